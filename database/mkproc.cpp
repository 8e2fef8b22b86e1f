// zuno-mkproc: gathers every stored procedure of the schema scripts into the
// procedures script that upgrades a database of the same major version.
//
//   zuno-mkproc OUTPUT.sql SCRIPT.sql [SCRIPT.sql ...]
//
// The scripts are read with the program's own parser, so the procedures are
// exactly the statements the schema build runs; each becomes
// CREATE OR ALTER PROCEDURE, in the order of the scripts.

#include "core/uException.h"
#include "db/uDB_Script.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: zuno-mkproc OUTPUT.sql SCRIPT.sql [SCRIPT.sql ...]\n");
        return 2;
    }
    static const QRegularExpression head(QStringLiteral("^(create\\s+or\\s+alter|recreate|create|alter)\\s+procedure\\s+"),
                                         QRegularExpression::CaseInsensitiveOption);
    QString text = QStringLiteral("/* Every stored procedure of the schema, gathered from the database scripts\n"
                                  "   when the program is built. Run on a database of the same major version. */\n\n"
                                  "SET TERM ^ ;\n");
    try {
        for (const QString& script : args.mid(1)) {
            QStringList statements;
            if (!ParseScript(ReadScriptFile(script), QStringLiteral(";"), statements)) {
                std::fprintf(stderr, "zuno-mkproc: %s ends inside a comment\n", qPrintable(script));
                return 1;
            }
            for (QString statement : std::as_const(statements)) {
                const auto m = head.match(statement);
                if (!m.hasMatch())
                    continue;
                statement.replace(0, m.capturedLength(), QStringLiteral("CREATE OR ALTER PROCEDURE "));
                statement.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                text += QLatin1Char('\n') + statement + QStringLiteral("^\n");
            }
        }
    } catch (const TTalbreckException& e) {
        std::fprintf(stderr, "zuno-mkproc: %s\n", qPrintable(e.Text()));
        return 1;
    }
    text += QStringLiteral("\nSET TERM ; ^\n");

    QSaveFile out(args[0]);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0 || !out.commit()) {
        std::fprintf(stderr, "zuno-mkproc: cannot write %s\n", qPrintable(args[0]));
        return 1;
    }
    return 0;
}
