// zuno-mkdb: creates a database file and runs the schema scripts into it.
//
//   zuno-mkdb OUTPUT.fdb SCRIPT.sql [SCRIPT.sql ...]
//
// The file is built under a temporary name and moved into place only when
// every script ran, so a failed build never leaves a half-made database.

#include "core/uException.h"
#include "core/uSystem.h"
#include "db/FbClient.h"
#include "db/uDB_Script.h"
#include "db/uDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    RegisterMoneyMetaType();
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: zuno-mkdb OUTPUT.fdb SCRIPT.sql [SCRIPT.sql ...]\n");
        return 2;
    }
    const QString output = QFileInfo(args[0]).absoluteFilePath();
    const QString temp = output + QStringLiteral(".building");
    QFile::remove(temp);

    QString error;
    if (!fb::LoadClient(&error)) {
        std::fprintf(stderr, "zuno-mkdb: the Firebird client cannot be loaded: %s\n", qPrintable(error));
        return 1;
    }
    try {
        TDatabase db;
        QString path = temp;
        path.replace(QLatin1Char('\''), QStringLiteral("''"));
        db.CreateDatabase(QStringLiteral("create database '") + path
                          + QStringLiteral("' user 'SYSDBA' password 'masterkey' page_size 16384 "
                                           "default character set WIN1250 collation PXW_CSY"));
        // Run the scripts over a connection in the database's character set,
        // so that the texts inside procedure bodies are stored as WIN1250.
        db.Disconnect();
        db.DatabaseName = temp;
        db.Params << QStringLiteral("user_name=SYSDBA") << QStringLiteral("password=masterkey")
                  << QStringLiteral("lc_ctype=WIN1250") << QStringLiteral("config=Providers=Engine12");
        db.Connect();
        SetDefaultDatabase(&db);
        for (const QString& script : args.mid(1)) {
            ExecScriptFile(script, &db);
        }
        SetDefaultDatabase(nullptr);
        db.Disconnect();
    } catch (const TTalbreckException& e) {
        std::fprintf(stderr, "zuno-mkdb: %s\n", qPrintable(e.Text()));
        QFile::remove(temp);
        return 1;
    } catch (const Firebird::FbException& e) {
        std::fprintf(stderr, "zuno-mkdb: %s\n", qPrintable(fb::Describe(e).text));
        QFile::remove(temp);
        return 1;
    }
    QFile::remove(output);
    if (!QFile::rename(temp, output)) {
        std::fprintf(stderr, "zuno-mkdb: cannot move the database to %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
