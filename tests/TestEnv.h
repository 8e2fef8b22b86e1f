#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

class TProjectDB;

// A private world for one test: a temporary program folder with a data
// folder, registry scopes of its own, the dialog seam in test mode and a
// pinned clock. openProject() copies the template database into the data
// folder and opens it with the embedded engine; a missing template or engine
// fails the test.
class TestEnv
{
public:
    TestEnv();
    ~TestEnv();

    QString programDir() const; // with a trailing slash
    QString dataDir() const;    // programDir() + "data/"
    // Copies the template database to dataDir() + "oddil.FDB".
    void copyTemplate() const;
    std::unique_ptr<TProjectDB> openProject() const;

    static QString templateDb();

private:
    QTemporaryDir m_dir;
};

// Small helpers the tests share.
QByteArray ReadBytes(const QString& path); // empty when the file is missing
QString ReadText(const QString& path);     // the file as UTF-8
// Writes the file; throws std::runtime_error when it cannot.
void WriteBytes(const QString& path, const QByteArray& bytes);
// The first column of the first row of a query on the default connection; 0 without a row.
qint64 QueryInt(const QString& sql);
