#pragma once

#include "core/Money.h"
#include "core/uException.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>
#include <vector>

class TDatabase;
namespace Firebird {
class IMessageMetadata;
class IResultSet;
class IStatement;
class ITransaction;
} // namespace Firebird

// The database's Null as a procedure argument or a column value. An empty
// QVariant() is the unassigned value, written as the empty text ''.
inline const QVariant Null = QVariant::fromValue(nullptr);
inline bool VarIsNull(const QVariant& v) { return v.isNull() || v.metaType().id() == QMetaType::Nullptr; }

// A refusal or message of a stored procedure: the number of the database
// exception it raised is the severity (1 error, 2 information, 3 warning).
class TTalbreckDBException : public TTalbreckException
{
public:
    TTalbreckDBException(int severity, const QString& errorText, const QString& sql);

    int Severity() const { return m_severity; }
    // Description() is the procedure's own message: the second line of the engine's error text.
    const QString& SQL() const { return m_sql; }
    const QString& ErrorText() const { return m_errorText; }

private:
    int m_severity;
    QString m_sql;
    QString m_errorText;
};

// One statement with a transaction of its own, committed when the cursor is
// freed (or at once for an executed statement through xSQLOpen). Open()
// fetches the first row already; Fetch() then stands on it first:
//
//   auto q = xProcCall("CL_Clen_ALL", {...}, {}, true);
//   while (q->Fetch()) list << q->GetText("DisplayName");
class TSQLDB
{
public:
    explicit TSQLDB(TDatabase* db = nullptr);
    ~TSQLDB();
    TSQLDB(const TSQLDB&) = delete;
    TSQLDB& operator=(const TSQLDB&) = delete;

    // Runs the text as it stands. Raises TTalbreckDBException for a refusal
    // of a procedure, TTalbreckException for any other database error; a
    // failed statement leaves no transaction open.
    void Open(const QString& sql, bool asSelect);
    bool Fetch();
    // Ends the statement and commits its transaction now. Some errors (a
    // change of the schema that the data do not allow) only show at commit:
    // they raise here like a failed Open. Freeing the cursor without it
    // commits too, but can only log such an error.
    void Commit();

    // Reads of the current row by column name (letter case ignored). GetText
    // raises TTalbreckException "Chyba při čtení sloupce: …" for an unknown column.
    QString GetText(const QString& column) const;
    QVariant GetValue(const QString& column) const; // Null for a database NULL
    qint64 GetInteger(const QString& column) const; // NULL reads as 0
    Money GetCurrency(const QString& column) const;
    double GetFloat(const QString& column) const;
    QDateTime GetDateTime(const QString& column) const;
    QDate GetDate(const QString& column) const;
    bool IsNull(const QString& column) const;

    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    QString ColumnName(int index) const;
    // The engine's SQL type code (SQL_VARYING, SQL_INT64, …) without the nullable bit.
    int ColumnType(int index) const;
    int ColumnScale(int index) const;
    int ColumnSubType(int index) const;
    // -1 for an unknown column.
    int ColumnIndex(const QString& column) const;
    QVariant GetValue(int index) const;
    QString GetText(int index) const;
    bool IsNull(int index) const;

    bool FirstRow = false;
    QString SQL;
    qint64 Elapsed = -1; // milliseconds of the last Open, -1 before it ran
    bool FetchBlobs = false;

private:
    struct Column
    {
        QString name;
        unsigned type;
        int subType;
        int scale;
        unsigned length;
        unsigned offset;
        unsigned nullOffset;
        unsigned charSet;
    };

    void describe(Firebird::IMessageMetadata* meta);
    int indexOrThrow(const QString& column) const;
    // An integer column's raw value and decimal scale; false for other types.
    bool readScaled(int index, qint64& value, int& scale) const;
    QVariant blobValue(const Column& c, const unsigned char* data) const;
    void release(bool commit) noexcept;

    TDatabase* m_db;
    Firebird::ITransaction* m_tra = nullptr;
    Firebird::IStatement* m_stmt = nullptr;
    Firebird::IResultSet* m_rs = nullptr;
    std::vector<unsigned char> m_buffer;
    std::vector<Column> m_columns;
    bool m_onRow = false;
};

using TSQLDBPtr = std::unique_ptr<TSQLDB>;

// Runs an SQL text. With keepOpen the open cursor is returned (the caller
// frees it, which commits); without, the statement is executed and committed
// at once and nothing is returned.
TSQLDBPtr xSQLOpen(const QString& sql, bool keepOpen, TDatabase* db = nullptr);

// The call text of a procedure with its arguments written as literals:
// booleans 1/0, Null as null, numbers with a decimal point, dates as
// month/day/year, texts in apostrophes with apostrophes doubled.
QString xProcText(const QString& name, const QVariantList& values = {}, const QString& tail = {}, bool asSelect = false);
// The literal of one argument value.
QString SqlLiteral(const QVariant& value);
TSQLDBPtr xProcCall(const QString& name, const QVariantList& values = {}, const QString& tail = {}, bool asSelect = false);
TSQLDBPtr xProcOpen(const QString& name, bool asSelect);
// Active rows of a code-list table, ordered by DisplayName. The table name must be a plain identifier.
TSQLDBPtr xActiveList(const QString& table);

QString DateToSQL(const QDate& d);           // 03/25/2009
QString DateTimeToSQL(const QDateTime& d);   // 03/25/2009 14:05

// True for a plain identifier ([A-Za-z0-9_]+), the only names taken from data
// that may be written into a statement.
bool IsPlainIdentifier(const QString& name);

// Shows the procedure's message: severity 2 as information, 3 as a warning,
// 1 as an error; any other severity shows nothing.
void ShowDBMessage(const TTalbreckDBException& e);
