// Opens a database file with the embedded engine, says "ready" and keeps it
// open until its standard input closes.
#include "core/uSystem.h"
#include "db/FbClient.h"
#include "db/uDatabase.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    if (!fb::LoadClient(nullptr))
        return 3;
    TDatabase db;
    db.DatabaseName = QString::fromLocal8Bit(argv[1]);
    db.Params << QStringLiteral("user_name=sysdba") << QStringLiteral("password=x") << QStringLiteral("lc_ctype=WIN1250")
              << QStringLiteral("config=Providers=Engine12");
    try {
        db.Connect();
    } catch (...) {
        return 4;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    char buf[16];
    while (std::fgets(buf, sizeof buf, stdin)) {
    }
    return 0;
}
