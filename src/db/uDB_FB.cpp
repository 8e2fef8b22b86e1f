#include "db/uDB_FB.h"

#include "core/uDialogs.h"
#include "core/uGUI.h"
#include "core/uLog.h"
#include "db/FbClient.h"
#include "db/uDatabase.h"
#include "db/Win1250.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRegularExpression>

#include <ibase.h>

#include <cstring>

namespace {

QString descriptionLine(const QString& errorText)
{
    const QStringList lines = errorText.split(QLatin1Char('\r'));
    if (lines.size() < 2)
        return QString();
    QString line = lines[1];
    if (line.startsWith(QLatin1Char('\n')))
        line.remove(0, 1);
    return line;
}

QString severityMarker(int severity)
{
    switch (severity) {
    case 1: return QStringLiteral("TALBRECK_ERROR");
    case 2: return QStringLiteral("TALBRECK_INFO");
    case 3: return QStringLiteral("TALBRECK_WARNING");
    default: return QString::number(severity);
    }
}

QString elapsedText(qint64 ms)
{
    return QStringLiteral("%1:%2:%3")
        .arg(ms / 60000, 2, 10, QLatin1Char('0'))
        .arg((ms / 1000) % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

// Day 0 of the engine's dates is 17 November 1858 (Julian day 2400001).
constexpr qint64 kEngineDateToJulian = 2400001;
// Binary text columns (CHARACTER SET OCTETS) come back as bytes.
constexpr unsigned kCharsetOctets = 1;

QDate engineDate(ISC_DATE d) { return QDate::fromJulianDay(d + kEngineDateToJulian); }
QTime engineTime(ISC_TIME t) { return QTime::fromMSecsSinceStartOfDay(static_cast<int>(t / 10)); }

[[noreturn]] void raiseEngineError(const fb::Error& err, const QString& sql)
{
    if (err.exceptionNumber != 0)
        throw TTalbreckDBException(err.exceptionNumber, err.text, sql);
    throw TTalbreckException(QStringLiteral("Chyba při zpracování SQL: ") + sql, err.text);
}

} // namespace

// ---------------------------------------------------------------- exception

TTalbreckDBException::TTalbreckDBException(int severity, const QString& errorText, const QString& sql)
    : TTalbreckException(QStringLiteral("Chyba při zpracování SQL: ") + sql, descriptionLine(errorText))
    , m_severity(severity)
    , m_sql(sql)
    , m_errorText(errorText)
{
    setText(QStringLiteral("Chyba při zpracování SQL: ") + sql + QStringLiteral("\r\n\r\nVyjímka: ") + severityMarker(severity)
            + QStringLiteral("\r\nPopis chyby: ") + Description());
}

// ---------------------------------------------------------------- cursor

TSQLDB::TSQLDB(TDatabase* db)
    : m_db(db ? db : DefaultDatabase())
{
}

TSQLDB::~TSQLDB()
{
    release(true);
}

void TSQLDB::release(bool commit) noexcept
{
    if (m_rs) {
        try {
            fb::Status st;
            m_rs->close(&st);
        } catch (...) {
            m_rs->release();
        }
        m_rs = nullptr;
    }
    if (m_stmt) {
        try {
            fb::Status st;
            m_stmt->free(&st);
        } catch (...) {
            m_stmt->release();
        }
        m_stmt = nullptr;
    }
    if (m_tra) {
        bool done = false;
        if (commit) {
            try {
                fb::Status st;
                m_tra->commit(&st);
                done = true;
            } catch (const Firebird::FbException& e) {
                WriteLog(QStringLiteral("Commit failed"), LogLevel::Error, fb::Describe(e).text);
            }
        }
        if (!done) {
            try {
                fb::Status st;
                m_tra->rollback(&st);
            } catch (...) {
                m_tra->release();
            }
        }
        m_tra = nullptr;
    }
    m_onRow = false;
}

void TSQLDB::Commit()
{
    if (!m_tra)
        return;
    try {
        fb::Status st;
        if (m_rs) {
            m_rs->close(&st);
            m_rs = nullptr;
        }
        if (m_stmt) {
            m_stmt->free(&st);
            m_stmt = nullptr;
        }
        m_tra->commit(&st);
        m_tra = nullptr;
        m_onRow = false;
    } catch (const Firebird::FbException& e) {
        const fb::Error err = fb::Describe(e);
        release(false);
        raiseEngineError(err, SQL);
    }
}

void TSQLDB::describe(Firebird::IMessageMetadata* meta)
{
    fb::Status st;
    const unsigned count = meta->getCount(&st);
    m_columns.clear();
    m_columns.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        Column c;
        const char* alias = meta->getAlias(&st, i);
        c.name = Win1250::decode(alias, static_cast<qsizetype>(std::strlen(alias)));
        c.type = meta->getType(&st, i) & ~1u;
        c.subType = meta->getSubType(&st, i);
        c.scale = meta->getScale(&st, i);
        c.length = meta->getLength(&st, i);
        c.offset = meta->getOffset(&st, i);
        c.nullOffset = meta->getNullOffset(&st, i);
        c.charSet = meta->getCharSet(&st, i);
        m_columns.push_back(c);
    }
    m_buffer.assign(meta->getMessageLength(&st), 0);
}

void TSQLDB::Open(const QString& sql, bool asSelect)
{
    TWaitCursor cursor;
    release(false);
    SQL = sql;
    Elapsed = -1;
    FirstRow = false;
    m_columns.clear();
    QElapsedTimer timer;
    timer.start();

    auto logStatement = [this](bool completed) {
        if (!LevelOn(LogLevel::Debug))
            return;
        WriteLog(completed ? SQL + QStringLiteral(" (") + elapsedText(Elapsed) + QLatin1Char(')') : SQL, LogLevel::Debug);
        WriteSqlLog(SQL, LogLevel::Debug);
    };

    if (!m_db || !m_db->Connected()) {
        logStatement(false);
        throw TTalbreckException(QStringLiteral("Chyba při zpracování SQL: ") + sql,
                                 QStringLiteral("Aplikace není připojena k databázi."));
    }

    try {
        fb::Status st;
        static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                            isc_tpb_rec_version, isc_tpb_nowait};
        m_tra = m_db->Attachment()->startTransaction(&st, sizeof tpb, tpb);
        const QByteArray text = Win1250::encode(sql);
        m_stmt = m_db->Attachment()->prepare(&st, m_tra, static_cast<unsigned>(text.size()), text.constData(), 3,
                                             Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        Firebird::IMessageMetadata* out = m_stmt->getOutputMetadata(&st);
        describe(out);
        if (asSelect) {
            m_rs = m_stmt->openCursor(&st, m_tra, nullptr, nullptr, out, 0);
            m_onRow = m_rs->fetchNext(&st, m_buffer.data()) == Firebird::IStatus::RESULT_OK;
        } else {
            m_stmt->execute(&st, m_tra, nullptr, nullptr, m_columns.empty() ? nullptr : out,
                            m_columns.empty() ? nullptr : m_buffer.data());
            // An executed procedure with return values stands on its one row.
            m_onRow = !m_columns.empty();
        }
        out->release();
    } catch (const Firebird::FbException& e) {
        const fb::Error err = fb::Describe(e);
        release(false);
        logStatement(false);
        raiseEngineError(err, sql);
    } catch (...) {
        release(false);
        logStatement(false);
        throw;
    }
    Elapsed = timer.elapsed();
    FirstRow = true;
    logStatement(true);
}

bool TSQLDB::Fetch()
{
    if (FirstRow) {
        FirstRow = false;
        return m_onRow;
    }
    if (!m_onRow || !m_rs) {
        m_onRow = false;
        return false;
    }
    try {
        fb::Status st;
        m_onRow = m_rs->fetchNext(&st, m_buffer.data()) == Firebird::IStatus::RESULT_OK;
    } catch (const Firebird::FbException& e) {
        const fb::Error err = fb::Describe(e);
        m_onRow = false;
        raiseEngineError(err, SQL);
    }
    return m_onRow;
}

int TSQLDB::ColumnIndex(const QString& column) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name.compare(column, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

int TSQLDB::indexOrThrow(const QString& column) const
{
    const int i = ColumnIndex(column);
    if (i < 0)
        throw TTalbreckException(QStringLiteral("Chyba při čtení sloupce: ") + column,
                                 QStringLiteral("Sloupec \"") + column + QStringLiteral("\" neexistuje."));
    return i;
}

QString TSQLDB::ColumnName(int index) const { return m_columns.at(index).name; }
int TSQLDB::ColumnType(int index) const { return static_cast<int>(m_columns.at(index).type); }
int TSQLDB::ColumnScale(int index) const { return m_columns.at(index).scale; }
int TSQLDB::ColumnSubType(int index) const { return m_columns.at(index).subType; }

bool TSQLDB::IsNull(int index) const
{
    const Column& c = m_columns.at(index);
    if (!m_onRow)
        return true;
    return *reinterpret_cast<const short*>(m_buffer.data() + c.nullOffset) != 0;
}

QVariant TSQLDB::blobValue(const Column& c, const unsigned char* data) const
{
    if (!FetchBlobs)
        return Null;
    ISC_QUAD id;
    std::memcpy(&id, data, sizeof id);
    QByteArray bytes;
    try {
        fb::Status st;
        Firebird::IBlob* blob = m_db->Attachment()->openBlob(&st, m_tra, &id, 0, nullptr);
        char chunk[32768];
        for (;;) {
            unsigned got = 0;
            const int rc = blob->getSegment(&st, sizeof chunk, chunk, &got);
            if (rc == Firebird::IStatus::RESULT_OK || rc == Firebird::IStatus::RESULT_SEGMENT)
                bytes.append(chunk, got);
            else
                break;
        }
        blob->close(&st);
    } catch (const Firebird::FbException& e) {
        throw TTalbreckException(QStringLiteral("Chyba při čtení sloupce: ") + c.name, fb::Describe(e).text);
    }
    if (c.subType == 1)
        return Win1250::decode(bytes);
    return bytes;
}

QVariant TSQLDB::GetValue(int index) const
{
    if (IsNull(index))
        return Null;
    const Column& c = m_columns[index];
    const unsigned char* data = m_buffer.data() + c.offset;
    auto integer = [&c](qint64 v) -> QVariant {
        if (c.scale == 0)
            return v;
        return QVariant::fromValue(Money::fromScaled(v, c.scale));
    };
    switch (c.type) {
    case SQL_VARYING: {
        quint16 len;
        std::memcpy(&len, data, sizeof len);
        if (c.charSet == kCharsetOctets)
            return QByteArray(reinterpret_cast<const char*>(data + 2), len);
        return Win1250::decode(reinterpret_cast<const char*>(data + 2), len);
    }
    case SQL_TEXT:
        if (c.charSet == kCharsetOctets)
            return QByteArray(reinterpret_cast<const char*>(data), c.length);
        return Win1250::decode(reinterpret_cast<const char*>(data), c.length);
    case SQL_SHORT: {
        qint16 v;
        std::memcpy(&v, data, sizeof v);
        return c.scale == 0 ? QVariant(static_cast<int>(v)) : integer(v);
    }
    case SQL_LONG: {
        qint32 v;
        std::memcpy(&v, data, sizeof v);
        return c.scale == 0 ? QVariant(static_cast<int>(v)) : integer(v);
    }
    case SQL_INT64: {
        qint64 v;
        std::memcpy(&v, data, sizeof v);
        return integer(v);
    }
    case SQL_FLOAT: {
        float v;
        std::memcpy(&v, data, sizeof v);
        return static_cast<double>(v);
    }
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        double v;
        std::memcpy(&v, data, sizeof v);
        return v;
    }
    case SQL_TYPE_DATE: {
        ISC_DATE v;
        std::memcpy(&v, data, sizeof v);
        return engineDate(v);
    }
    case SQL_TYPE_TIME: {
        ISC_TIME v;
        std::memcpy(&v, data, sizeof v);
        return engineTime(v);
    }
    case SQL_TIMESTAMP: {
        ISC_TIMESTAMP v;
        std::memcpy(&v, data, sizeof v);
        return QDateTime(engineDate(v.timestamp_date), engineTime(v.timestamp_time));
    }
    case SQL_BOOLEAN:
        return *data != 0;
    case SQL_BLOB:
        return blobValue(c, data);
    default:
        return Null;
    }
}

QString TSQLDB::GetText(int index) const
{
    const Column& c = m_columns.at(index);
    if ((c.type == SQL_VARYING || c.type == SQL_TEXT) && c.charSet != kCharsetOctets) {
        if (IsNull(index))
            return QString();
        const unsigned char* data = m_buffer.data() + c.offset;
        if (c.type == SQL_TEXT)
            return Win1250::decode(reinterpret_cast<const char*>(data), c.length);
        quint16 len;
        std::memcpy(&len, data, sizeof len);
        return Win1250::decode(reinterpret_cast<const char*>(data + 2), len);
    }
    const QVariant v = GetValue(index);
    if (VarIsNull(v))
        return QString();
    switch (v.metaType().id()) {
    case QMetaType::QString: return v.toString();
    case QMetaType::QDate: return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    case QMetaType::QTime: return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default: return v.toString();
    }
}

QString TSQLDB::GetText(const QString& column) const { return GetText(indexOrThrow(column)); }
QVariant TSQLDB::GetValue(const QString& column) const { return GetValue(indexOrThrow(column)); }
bool TSQLDB::IsNull(const QString& column) const { return IsNull(indexOrThrow(column)); }

bool TSQLDB::readScaled(int index, qint64& value, int& scale) const
{
    const Column& c = m_columns[index];
    const unsigned char* data = m_buffer.data() + c.offset;
    switch (c.type) {
    case SQL_SHORT: {
        qint16 v;
        std::memcpy(&v, data, sizeof v);
        value = v;
        break;
    }
    case SQL_LONG: {
        qint32 v;
        std::memcpy(&v, data, sizeof v);
        value = v;
        break;
    }
    case SQL_INT64:
        std::memcpy(&value, data, sizeof value);
        break;
    default:
        return false;
    }
    scale = c.scale;
    return true;
}

qint64 TSQLDB::GetInteger(const QString& column) const
{
    const int i = indexOrThrow(column);
    if (IsNull(i))
        return 0;
    qint64 raw;
    int scale;
    if (readScaled(i, raw, scale))
        return scale == 0 ? raw : Money::fromScaled(raw, scale).rounded(0).units() / Money::Scale;
    const QVariant v = GetValue(i);
    bool ok = false;
    const qint64 r = v.toLongLong(&ok);
    if (!ok)
        throw TTalbreckException(QStringLiteral("Chyba při čtení sloupce: ") + column,
                                 QStringLiteral("\"") + v.toString() + QStringLiteral("\" není celé číslo."));
    return r;
}

Money TSQLDB::GetCurrency(const QString& column) const
{
    const int i = indexOrThrow(column);
    if (IsNull(i))
        return Money();
    qint64 raw;
    int scale;
    if (readScaled(i, raw, scale))
        return Money::fromScaled(raw, scale);
    const QVariant v = GetValue(i);
    if (v.metaType().id() == QMetaType::Double)
        return Money::fromUnits(llround(v.toDouble() * Money::Scale));
    if (auto m = Money::parse(v.toString()))
        return *m;
    throw TTalbreckException(QStringLiteral("Chyba při čtení sloupce: ") + column,
                             QStringLiteral("\"") + v.toString() + QStringLiteral("\" není částka."));
}

double TSQLDB::GetFloat(const QString& column) const
{
    const QVariant v = GetValue(indexOrThrow(column));
    return VarIsNull(v) ? 0.0 : v.toDouble();
}

QDateTime TSQLDB::GetDateTime(const QString& column) const
{
    const QVariant v = GetValue(indexOrThrow(column));
    if (VarIsNull(v))
        return QDateTime();
    if (v.metaType().id() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    return v.toDateTime();
}

QDate TSQLDB::GetDate(const QString& column) const
{
    const int i = indexOrThrow(column);
    if (IsNull(i))
        return QDate();
    const Column& c = m_columns[i];
    const unsigned char* data = m_buffer.data() + c.offset;
    if (c.type == SQL_TYPE_DATE || c.type == SQL_TIMESTAMP) {
        ISC_DATE d;
        std::memcpy(&d, data, sizeof d); // a time stamp starts with its date
        return engineDate(d);
    }
    return GetDateTime(column).date();
}

// ---------------------------------------------------------------- routines

TSQLDBPtr xSQLOpen(const QString& sql, bool keepOpen, TDatabase* db)
{
    auto q = std::make_unique<TSQLDB>(db);
    q->Open(sql, keepOpen);
    if (keepOpen)
        return q;
    q->Commit();
    return nullptr;
}

QString DateToSQL(const QDate& d)
{
    return d.toString(QStringLiteral("MM/dd/yyyy"));
}

QString DateTimeToSQL(const QDateTime& d)
{
    return d.toString(QStringLiteral("MM/dd/yyyy HH:mm"));
}

QString SqlLiteral(const QVariant& value)
{
    if (!value.isValid())
        return QStringLiteral("''");
    const int type = value.metaType().id();
    if (type == QMetaType::Nullptr)
        return QStringLiteral("null");
    switch (type) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return value.toString();
    case QMetaType::Double:
    case QMetaType::Float: return QString::number(value.toDouble(), 'g', 15).replace(QLatin1Char(','), QLatin1Char('.'));
    case QMetaType::QDate: return QLatin1Char('\'') + DateToSQL(value.toDate()) + QLatin1Char('\'');
    case QMetaType::QDateTime: return QLatin1Char('\'') + DateTimeToSQL(value.toDateTime()) + QLatin1Char('\'');
    default: break;
    }
    if (value.metaType() == QMetaType::fromType<Money>())
        return value.value<Money>().toSqlLiteral();
    QString text = value.toString();
    text.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString xProcText(const QString& name, const QVariantList& values, const QString& tail, bool asSelect)
{
    QString sql = (asSelect ? QStringLiteral("select * from ") : QStringLiteral("execute procedure ")) + name;
    if (!values.isEmpty()) {
        sql += QLatin1Char('(');
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (i > 0)
                sql += QStringLiteral(", ");
            sql += SqlLiteral(values[i]);
        }
        sql += QLatin1Char(')');
    }
    if (asSelect && !tail.isEmpty())
        sql += QLatin1Char(' ') + tail;
    return sql;
}

TSQLDBPtr xProcCall(const QString& name, const QVariantList& values, const QString& tail, bool asSelect)
{
    return xSQLOpen(xProcText(name, values, tail, asSelect), asSelect);
}

TSQLDBPtr xProcOpen(const QString& name, bool asSelect)
{
    return xProcCall(name, {}, {}, asSelect);
}

bool IsPlainIdentifier(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z0-9_]+$"));
    return re.match(name).hasMatch();
}

TSQLDBPtr xActiveList(const QString& table)
{
    if (!IsPlainIdentifier(table))
        throw TTalbreckException(QStringLiteral("Neplatný název tabulky: \"") + table + QStringLiteral("\"."));
    return xSQLOpen(QStringLiteral("select * from ") + table + QStringLiteral(" where Aktivni=1 order by DisplayName"), true);
}

void ShowDBMessage(const TTalbreckDBException& e)
{
    switch (e.Severity()) {
    case 1: MessageDlg(e.Description(), TMsgKind::Error); break;
    case 2: MessageDlg(e.Description(), TMsgKind::Information); break;
    case 3: MessageDlg(e.Description(), TMsgKind::Warning); break;
    default: break;
    }
}
