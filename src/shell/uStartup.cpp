#include "shell/uStartup.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uLog.h"
#include "core/uSystem.h"
#include "members/fClen.h"
#include "members/fClenove.h"
#include "members/uMembersHost.h"
#include "shell/fChyba.h"
#include "shell/fChybaHlaseni.h"
#include "shell/fMain.h"
#include "shell/fSplash.h"
#include "shell/uApplication.h"
#include "shell/uPages.h"
#include "shell/uProjectZUNO.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QTimer>

namespace {
std::unique_ptr<TProjectZUNO> g_app;
std::unique_ptr<TfrmMain> g_main;
}

TProjectZUNO* RunningApp() { return g_app.get(); }
TfrmMain* MainWindow() { return g_main.get(); }

void ZunoShutdown()
{
    g_main.reset();
    g_app.reset();
}

void RegisterModulePages()
{
    ClearPages();
    MembersHost::Setting = [](const QString& key) { return App() ? App()->Settings->GetValue(key) : QVariant(); };
    TfrmClenove::MemberWindow = [](QWidget*, qint64& id) {
        TfrmClen* member = KeptWindow<TfrmClen>([] { return new TfrmClen(MainWindow()); });
        const int result = member->ShowDetail(static_cast<int>(id));
        id = member->ID;
        return result;
    };
    RegisterPage(1, [] {
        TfrmMain* main = MainWindow();
        auto* list = KeptWindow<TfrmClenove>([main] { return new TfrmClenove(main); });
        QMdiSubWindow* sub = list->ShowInMdi(main->WorkArea());
        sub->showMaximized();
        QApplication::processEvents();
        list->Open();
    });
}

int ZunoMain(const QStringList& arguments, bool runLoop)
{
    QApplication::setApplicationName(QStringLiteral("ZUNO"));
    QApplication::setApplicationDisplayName(QStringLiteral("ZUNO"));
    InstallQtTranslations();

    auto splash = std::make_unique<TfrmSplash>(VersionText());
    if (!Dialogs::testMode()) {
        splash->show();
        QApplication::processEvents();
    }

    try {
        g_app = std::make_unique<TProjectZUNO>();
    } catch (const TAppTerminate& e) {
        return e.ExitCode();
    } catch (const TTalbreckException& e) {
        ShowError(e.Text());
        return 1;
    } catch (const std::exception& e) {
        ShowError(QString::fromLocal8Bit(e.what()));
        return 1;
    }

    if (runLoop)
        InstallTerminationHandler();
    // From here on an unhandled error opens the error window.
    SetErrorPresenter([](const QString& text, const QString&) { TfrmChyba::Present(text); });
    TfrmMain::SetErrorReportOpener([](const QString& screenshot) { ShowErrorReport(QString(), screenshot); });

    bool quit = false;
    QObject::connect(g_app.get(), &TProjectZUNO::QuitRequested, [&quit] { quit = true; });
    RegisterModulePages();
    g_main = std::make_unique<TfrmMain>(g_app.get());
    try {
        g_main->Initialise(arguments.mid(1));
    } catch (const TAppTerminate& e) {
        // The user chose to end the program (the version check's dialogs).
        splash.reset();
        ZunoShutdown();
        return e.ExitCode();
    } catch (...) {
        HandleException(std::current_exception());
        splash.reset();
        ZunoShutdown();
        return 1;
    }
    splash.reset();
    if (quit) {
        ZunoShutdown();
        return 0;
    }
    g_main->ShowAsConfigured();
    if (!runLoop)
        return 0;
    // Start-up measurements end the program as soon as its window is on the screen.
    if (qEnvironmentVariableIsSet("ZUNO_EXIT_WHEN_SHOWN"))
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    const int code = QApplication::exec();
    ZunoShutdown();
    return code;
}
