#pragma once

#include <QString>
#include <QStringList>

class TDatabase;

// SQL scripts: statements end with a terminator (";" until "SET TERM"
// changes it) at the end of a line; block comments "/* … */" may stand on
// lines of their own. The parser does not look into quoted text, so script
// authors end every statement with the terminator at the end of its line.

// Splits the lines into statements (trimmed, without terminators). False when
// the script ends inside a comment.
bool ParseScript(const QStringList& lines, const QString& terminator, QStringList& statements);

// Runs every statement in its own transaction, in order; the first failing
// statement raises its error and stops the script, those before it stay
// committed. `fileName` names the script in messages.
void ExecScript(const QStringList& lines, const QString& fileName, TDatabase* db = nullptr);
// Loads a script file (UTF-8, or Windows-1250 when it is not valid UTF-8) and runs it.
void ExecScriptFile(const QString& fileName, TDatabase* db = nullptr);
// The lines of a script file.
QStringList ReadScriptFile(const QString& fileName);
