// The floor for the start-up measurement: a bare Qt program that opens the
// same embedded database and shows an empty window.
#include "db/FbClient.h"
#include "db/uDatabase.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2 || !fb::LoadClient(nullptr))
        return 2;
    TDatabase db;
    db.DatabaseName = QString::fromLocal8Bit(argv[1]);
    db.Params << QStringLiteral("user_name=sysdba") << QStringLiteral("password=x") << QStringLiteral("lc_ctype=WIN1250")
              << QStringLiteral("config=Providers=Engine12");
    db.Connect();
    QMainWindow window;
    window.resize(1024, 700);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
