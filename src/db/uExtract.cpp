#include "db/uExtract.h"

#include "core/uException.h"
#include "core/uLog.h"
#include "db/uDB_FB.h"

#include <QLocale>
#include <QRegularExpression>

#include <ibase.h>

namespace {

constexpr int kCharsetOctets = 1;

QString quoted(const QString& text)
{
    QString s = text;
    s.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

void checkTableName(const QString& table)
{
    if (!IsPlainIdentifier(table))
        throw TTalbreckException(QStringLiteral("Neplatný název tabulky: \"") + table + QStringLiteral("\"."));
}

void checkColumnName(const QString& table, const QString& column)
{
    if (!IsPlainIdentifier(column))
        throw TTalbreckException(QStringLiteral("Tabulku \"") + table + QStringLiteral("\" nelze převést."),
                                 QStringLiteral("Sloupec \"") + column + QStringLiteral("\" nemá prostý název."));
}

// References "T." (or "T ." ) to the table itself inside a computed column.
QString retargetQualified(const QString& source, const QString& table, const QString& target)
{
    if (target.compare(table, Qt::CaseInsensitive) == 0)
        return source;
    const QRegularExpression re(QStringLiteral("(?<![A-Za-z0-9_$\"])") + QRegularExpression::escape(table) + QStringLiteral("(?=\\s*\\.)"),
                                QRegularExpression::CaseInsensitiveOption);
    QString s = source;
    return s.replace(re, target);
}

// A text blob longer than one literal may be (64 kB) is joined from pieces;
// a blob first in the chain keeps the result a blob however long it grows.
QString blobLiteral(const QString& text)
{
    constexpr qsizetype kPiece = 30000; // characters, one byte each in the connection's code page
    if (text.size() <= kPiece)
        return quoted(text);
    QString s = QStringLiteral("cast(") + quoted(text.left(kPiece)) + QStringLiteral(" as blob sub_type text)");
    for (qsizetype at = kPiece; at < text.size(); at += kPiece)
        s += QStringLiteral(" || ") + quoted(text.mid(at, kPiece));
    return s;
}

} // namespace

QString TypeToSQL(int type, int length, int scale, int subType)
{
    const QString s = QString::number(scale);
    switch (type) {
    case 7: return scale != 0 ? QStringLiteral("decimal(4, ") + s + QLatin1Char(')') : QStringLiteral("smallint");
    case 8: return scale != 0 ? QStringLiteral("decimal(9, ") + s + QLatin1Char(')') : QStringLiteral("integer");
    // A 64-bit integer keeps all its digits and decimals: NUMERIC(18,4) money stays exact.
    case 16: return scale != 0 ? QStringLiteral("decimal(18, ") + s + QLatin1Char(')') : QStringLiteral("bigint");
    case 10: return QStringLiteral("float");
    case 12: return QStringLiteral("date");
    case 13: return QStringLiteral("time");
    case 14: return QStringLiteral("char(") + QString::number(length) + QLatin1Char(')');
    case 23: return QStringLiteral("boolean");
    case 27: return scale != 0 ? QStringLiteral("decimal(15, ") + s + QLatin1Char(')') : QStringLiteral("double precision");
    // A time stamp keeps its time.
    case 35: return QStringLiteral("timestamp");
    case 37: return QStringLiteral("varchar(") + QString::number(length) + QLatin1Char(')');
    case 40: return QStringLiteral("cstring(") + QString::number(length) + QLatin1Char(')');
    case 261: return subType == 1 ? QStringLiteral("blob sub_type text") : QStringLiteral("blob");
    default: return QString();
    }
}

QString CollationName(int charset, int collation)
{
    auto q = xSQLOpen(QStringLiteral("select rdb$collation_name from rdb$collations where rdb$character_set_id=")
                          + QString::number(charset) + QStringLiteral(" and rdb$collation_id=") + QString::number(collation),
                      true);
    if (!q->Fetch())
        return QString();
    const QString name = q->GetText(0).trimmed();
    return name.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0 ? QString() : name;
}

QString TableDDL(const QString& table, const QString& asTable)
{
    checkTableName(table);
    const QString target = asTable.isEmpty() ? table : asTable;
    TSQLDB q;
    q.FetchBlobs = true;
    q.Open(QStringLiteral("select a.rdb$field_name, a.rdb$null_flag as tnull_flag, b.rdb$null_flag as fnull_flag, "
                          "a.rdb$field_source, a.rdb$default_source, b.rdb$character_set_id, b.rdb$collation_id as fcollate, "
                          "a.rdb$collation_id as tcollate, b.rdb$computed_source, b.rdb$field_length, b.rdb$field_scale, "
                          "b.rdb$field_sub_type, b.rdb$segment_length, b.rdb$field_type, b.rdb$dimensions "
                          "from rdb$relation_fields a, rdb$fields b where a.rdb$field_source = b.rdb$field_name "
                          "and a.rdb$relation_name = ")
               + quoted(table) + QStringLiteral(" order by a.rdb$field_position asc;"),
           true);

    QString text = QStringLiteral("create table ") + target + QStringLiteral("(\r\n");
    bool first = true;
    while (q.Fetch()) {
        const QString column = q.GetText(QStringLiteral("rdb$field_name")).trimmed();
        checkColumnName(table, column);
        text += first ? QStringLiteral("     ") : QStringLiteral(",\r\n     ");
        first = false;
        text += column + QLatin1Char(' ');
        if (!q.IsNull(QStringLiteral("rdb$computed_source"))) {
            text += QStringLiteral("computed by ")
                + retargetQualified(q.GetText(QStringLiteral("rdb$computed_source")).trimmed(), table, target);
            continue;
        }
        const QString domain = q.GetText(QStringLiteral("rdb$field_source")).trimmed();
        if (domain.startsWith(QLatin1String("RDB$"), Qt::CaseInsensitive)) {
            const QString type = TypeToSQL(static_cast<int>(q.GetInteger(QStringLiteral("rdb$field_type"))),
                                           static_cast<int>(q.GetInteger(QStringLiteral("rdb$field_length"))),
                                           -static_cast<int>(q.GetInteger(QStringLiteral("rdb$field_scale"))),
                                           static_cast<int>(q.GetInteger(QStringLiteral("rdb$field_sub_type"))));
            if (type.isEmpty() || !q.IsNull(QStringLiteral("rdb$dimensions")))
                throw TTalbreckException(QStringLiteral("Tabulku \"") + table + QStringLiteral("\" nelze převést."),
                                         QStringLiteral("Sloupec \"") + column + QStringLiteral("\" má typ, který převod nezná."));
            text += type;
            // Binary texts stay binary; other texts take the database's character set.
            if ((type.startsWith(QLatin1String("char")) || type.startsWith(QLatin1String("varchar")))
                && q.GetInteger(QStringLiteral("rdb$character_set_id")) == kCharsetOctets)
                text += QStringLiteral(" character set octets");
            continue;
        }
        text += domain;
        if (!q.IsNull(QStringLiteral("rdb$default_source")))
            text += QLatin1Char(' ') + q.GetText(QStringLiteral("rdb$default_source")).trimmed();
        if (!q.IsNull(QStringLiteral("tnull_flag")))
            text += QStringLiteral(" not null");
        // Without a collation of its own the column keeps its domain's (the Czech
        // sorting of the database); reading that as collation 0 would change it.
        if (!q.IsNull(QStringLiteral("tcollate"))) {
            const QString collation = CollationName(static_cast<int>(q.GetInteger(QStringLiteral("rdb$character_set_id"))),
                                                    static_cast<int>(q.GetInteger(QStringLiteral("tcollate"))));
            if (!collation.isEmpty())
                text += QStringLiteral(" collate ") + collation;
        }
    }
    if (first)
        throw TTalbreckException(QStringLiteral("Tabulka \"") + table + QStringLiteral("\" neexistuje nebo nemá žádné sloupce."));
    return text + QStringLiteral(");");
}

namespace {

// The literal of one value of the current row. Scaled numbers arrive as the
// engine's own text (cast in the select), exact in every digit.
QString valueLiteral(const TSQLDB& q, int i, bool scaledText, const QString& table)
{
    if (q.IsNull(i))
        return QStringLiteral("NULL");
    if (scaledText)
        return q.GetText(i).trimmed();
    const QVariant v = q.GetValue(i);
    switch (q.ColumnType(i)) {
    case SQL_VARYING:
    case SQL_TEXT: {
        if (v.metaType().id() == QMetaType::QByteArray) // CHARACTER SET OCTETS
            return QStringLiteral("x'") + QString::fromLatin1(v.toByteArray().toHex()) + QLatin1Char('\'');
        QString s = v.toString();
        if (q.ColumnType(i) == SQL_TEXT) { // only the padding of a fixed-length text goes
            qsizetype n = s.size();
            while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
                --n;
            s.truncate(n);
        }
        return quoted(s);
    }
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: return QString::number(v.toLongLong());
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        // The shortest text that reads back as the same number, always with a decimal point.
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    case SQL_TIMESTAMP:
        return QLatin1Char('\'') + v.toDateTime().toString(QStringLiteral("MM/dd/yyyy HH:mm:ss.zzz")) + QLatin1Char('\'');
    case SQL_TYPE_TIME: return QLatin1Char('\'') + v.toTime().toString(QStringLiteral("HH:mm:ss.zzz")) + QLatin1Char('\'');
    case SQL_TYPE_DATE: return QLatin1Char('\'') + DateToSQL(v.toDate()) + QLatin1Char('\'');
    case SQL_BOOLEAN: return v.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case SQL_BLOB:
        if (q.ColumnSubType(i) == 1)
            return blobLiteral(v.toString());
        throw TTalbreckException(QStringLiteral("Data tabulky \"") + table + QStringLiteral("\" nelze převést."),
                                 QStringLiteral("Sloupec \"") + q.ColumnName(i)
                                     + QStringLiteral("\" obsahuje binární data, která převod databáze neumí přenést."));
    default:
        throw TTalbreckException(QStringLiteral("Data tabulky \"") + table + QStringLiteral("\" nelze převést."),
                                 QStringLiteral("Sloupec \"") + q.ColumnName(i) + QStringLiteral("\" má typ, který převod nezná."));
    }
}

} // namespace

QStringList TableInserts(const QString& table, const QString& asTable)
{
    checkTableName(table);
    const QString target = asTable.isEmpty() ? table : asTable;

    // The stored columns in table order; computed ones cannot be written.
    struct Column
    {
        QString name;
        bool scaled;
    };
    QList<Column> columns;
    {
        auto m = xSQLOpen(QStringLiteral("select a.rdb$field_name, b.rdb$field_type, b.rdb$field_scale, "
                                         "b.rdb$computed_source from rdb$relation_fields a, rdb$fields b "
                                         "where a.rdb$relation_name = ")
                              + quoted(table)
                              + QStringLiteral(" and a.rdb$field_source = b.rdb$field_name order by a.rdb$field_position"),
                          true);
        while (m->Fetch()) {
            if (!m->IsNull(QStringLiteral("rdb$computed_source")))
                continue;
            const QString name = m->GetText(QStringLiteral("rdb$field_name")).trimmed();
            checkColumnName(table, name);
            const qint64 type = m->GetInteger(QStringLiteral("rdb$field_type"));
            const bool integer = type == 7 || type == 8 || type == 16;
            columns.append({name, integer && m->GetInteger(QStringLiteral("rdb$field_scale")) < 0});
        }
    }

    QStringList names;
    QStringList select;
    for (const Column& c : std::as_const(columns)) {
        names << c.name;
        select << (c.scaled ? QStringLiteral("cast(") + c.name + QStringLiteral(" as varchar(40)) as ") + c.name : c.name);
    }
    // A table of computed columns only cannot hold rows.
    if (columns.isEmpty())
        return {};
    const QString head =
        QStringLiteral("insert into ") + target + QLatin1Char('(') + names.join(QStringLiteral(", ")) + QStringLiteral(") values (");

    TSQLDB q;
    q.FetchBlobs = true;
    q.Open(QStringLiteral("select ") + select.join(QStringLiteral(", ")) + QStringLiteral(" from ") + table, true);
    QStringList result;
    while (q.Fetch()) {
        QStringList values;
        values.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            values << valueLiteral(q, i, columns[i].scaled, table);
        const QString statement = head + values.join(QStringLiteral(", ")) + QStringLiteral(");");
        WriteLog(statement, LogLevel::Debug);
        result << statement;
    }
    return result;
}
