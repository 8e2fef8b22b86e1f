#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uLog.h"
#include "core/uSystem.h"
#include "db/uProjectDB.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZUNO"));
    std::unique_ptr<TProjectDB> project;
    try {
        project = std::make_unique<TProjectDB>(QStringLiteral("ZUNO"), true, true, QString(), QStringLiteral("oddil"), QString());
    } catch (const TAppTerminate& e) {
        return e.ExitCode();
    } catch (const TTalbreckException& e) {
        ShowError(e.Text());
        return 1;
    }
    QMainWindow window;
    window.setObjectName(QStringLiteral("frmMain"));
    window.setWindowTitle(QStringLiteral("ZUNO ") + VersionText());
    window.setCentralWidget(new QLabel(QStringLiteral("Databáze: ") + project->DatabaseFile()));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
