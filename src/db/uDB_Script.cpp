#include "db/uDB_Script.h"

#include "core/uException.h"
#include "db/Win1250.h"
#include "db/uDB_FB.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// True when `line` ends with the terminator (trailing blanks ignored).
bool endsWithTerminator(const QString& line, const QString& t)
{
    return QStringView(line).trimmed().endsWith(t);
}

// Removes the terminator that closes `s` (its last occurrence, followed only by blanks).
void removeClosingTerminator(QString& s, const QString& t)
{
    const QString trimmed = s.trimmed();
    if (trimmed.endsWith(t))
        s = trimmed.chopped(t.size());
}

} // namespace

bool ParseScript(const QStringList& input, const QString& terminator, QStringList& statements)
{
    QStringList lines = input;
    QString t = terminator;
    QString s;
    const qsizetype n = lines.size();
    qsizetype i = 0;
    while (i < n) {
        const QString line = lines[i];
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty()) {
            ++i;
            continue;
        }
        // The end of a comment opened after the previous statement's terminator.
        if (trimmed == QLatin1String("*/") && !statements.isEmpty()) {
            statements.last() += line;
            ++i;
            continue;
        }
        if (trimmed.startsWith(QLatin1String("/*"))) {
            // Skip the comment; what follows its end on the closing line is read as a line of its own.
            qsizetype from = line.indexOf(QLatin1String("/*")) + 2;
            if (line.indexOf(QLatin1String("*/"), from) < 0) {
                ++i;
                while (i < n && !lines[i].contains(QLatin1String("*/")))
                    ++i;
                if (i >= n)
                    return false;
                from = 0;
            }
            const QString rest = lines[i].mid(lines[i].indexOf(QLatin1String("*/"), from) + 2);
            if (rest.trimmed().isEmpty())
                ++i;
            else
                lines[i] = rest;
            continue;
        }
        if (trimmed.startsWith(QLatin1String("SET TERM"), Qt::CaseInsensitive)) {
            QString rest = trimmed.mid(8).trimmed();
            const qsizetype old = rest.indexOf(t);
            if (old >= 0)
                rest.remove(old, t.size());
            t = rest.trimmed();
            ++i;
            continue;
        }

        const qsizetype p = trimmed.indexOf(t); // -1 when absent
        const qsizetype c = trimmed.indexOf(QLatin1String("/*"));
        if (trimmed.endsWith(t) || (c >= 0 && p < c)) {
            // One line: the statement, possibly followed by a comment.
            s = trimmed;
            if (trimmed.endsWith(t))
                s.chop(t.size());
            else if (p >= 0)
                s.remove(p, t.size());
            s = s.trimmed();
            if (!s.isEmpty())
                statements << s;
            s.clear();
            ++i;
            continue;
        }

        // Several lines, joined by line breaks, up to the first line that ends
        // with the terminator or in which the terminator comes before a comment.
        s = line;
        ++i;
        while (i < n) {
            const QString& m = lines[i];
            ++i;
            if (m.trimmed().isEmpty())
                continue;
            s += QStringLiteral("\r\n") + m;
            const qsizetype pm = m.indexOf(t);
            const qsizetype cm = m.indexOf(QLatin1String("/*"));
            if (endsWithTerminator(m, t)) {
                removeClosingTerminator(s, t);
                break;
            }
            if (pm >= 0 && cm >= 0 && pm < cm) {
                s.remove(s.size() - m.size() + pm, t.size());
                break;
            }
        }
        s = s.trimmed();
        if (!s.isEmpty())
            statements << s;
        s.clear();
    }
    return true;
}

namespace {

bool isTransactionControl(const QString& statement)
{
    const QString lower = statement.simplified().toLower();
    return lower == QLatin1String("commit") || lower == QLatin1String("commit work") || lower == QLatin1String("rollback")
        || lower == QLatin1String("rollback work");
}

} // namespace

void ExecScript(const QStringList& lines, const QString& fileName, TDatabase* db)
{
    QStringList statements;
    if (!ParseScript(lines, QStringLiteral(";"), statements))
        throw TTalbreckException(QStringLiteral("Chyba při parsování skriptu \"") + fileName + QStringLiteral("\"."));
    for (const QString& statement : std::as_const(statements)) {
        // Every statement commits on its own; a script's own COMMIT has nothing left to do.
        if (isTransactionControl(statement))
            continue;
        const QString lower = statement.trimmed().toLower();
        if (lower.size() >= 7 && lower.startsWith(QLatin1String("select")))
            xSQLOpen(statement, true, db).reset();
        else
            xSQLOpen(statement, false, db);
    }
}

QStringList ReadScriptFile(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        throw TTalbreckException(QStringLiteral("Nenalezen soubor s SQL skriptem."), fileName);
    const QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = Win1250::decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.split(QLatin1Char('\n'));
}

void ExecScriptFile(const QString& fileName, TDatabase* db)
{
    if (!QFileInfo::exists(fileName))
        throw TTalbreckException(QStringLiteral("Nenalezen soubor s SQL skriptem."), fileName);
    ExecScript(ReadScriptFile(fileName), fileName, db);
}
