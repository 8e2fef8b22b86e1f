#pragma once

#include <QString>
#include <QStringList>

namespace Firebird { class IAttachment; }

// One connection to a database: its name (a file for the embedded engine,
// "host:/path" for a server) and its parameters as "name=value" lines
// (user_name, password, sql_role_name, lc_ctype, config).
class TDatabase
{
public:
    TDatabase() = default;
    ~TDatabase();
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    QString DatabaseName;
    QStringList Params;

    // Raises Firebird::FbException as the engine reports a failure, and
    // TTalbreckException when the client library cannot be loaded.
    void Connect();
    void Disconnect() noexcept;
    bool Connected() const { return m_attachment != nullptr; }
    Firebird::IAttachment* Attachment() const { return m_attachment; }
    // The server's version text.
    QString ServerVersion();

    // Creates a new database with a CREATE DATABASE statement and stays connected to it.
    void CreateDatabase(const QString& createStatement);

private:
    Firebird::IAttachment* m_attachment = nullptr;
};

// The connection every query uses when it is not given one.
TDatabase* DefaultDatabase();
void SetDefaultDatabase(TDatabase* db);
