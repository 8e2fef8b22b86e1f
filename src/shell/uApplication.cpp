#include "shell/uApplication.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uLog.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSocketNotifier>
#include <QTranslator>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};
bool g_endingBySystem = false;

void onTerminationSignal(int)
{
    const char byte = 1;
    // Only an async-signal-safe write here; the event loop does the rest.
    [[maybe_unused]] const auto written = ::write(g_signalPipe[1], &byte, 1);
}

std::function<void(const QString&, const QString&)>& presenter()
{
    static std::function<void(const QString&, const QString&)> p;
    return p;
}

} // namespace

TZunoApplication::TZunoApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool TZunoApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException(std::current_exception());
        return false;
    }
}

void SetErrorPresenter(std::function<void(const QString&, const QString&)> p)
{
    presenter() = std::move(p);
}

void HandleException(std::exception_ptr error)
{
    QString text;
    QString detail;
    try {
        std::rethrow_exception(error);
    } catch (const TTalbreckException& e) {
        text = e.Text();
        detail = e.Description();
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QStringLiteral("Neznámá chyba.");
    }
    WriteLog(text, LogLevel::Error);
    if (presenter())
        presenter()(text, detail);
    else
        ShowError(text);
}

void Guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (...) {
        HandleException(std::current_exception());
    }
}

bool EndingBySystem()
{
    return g_endingBySystem;
}

void InstallTerminationHandler()
{
    if (g_signalPipe[0] >= 0 || ::pipe(g_signalPipe) != 0)
        return;
    ::fcntl(g_signalPipe[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(g_signalPipe[1], F_SETFD, FD_CLOEXEC);
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char byte;
        [[maybe_unused]] const auto got = ::read(g_signalPipe[0], &byte, 1);
        WriteLog(QStringLiteral("Aplikace byla ukončena systémem."), LogLevel::Info);
        g_endingBySystem = true;
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &action, nullptr);
}

void InstallQtTranslations()
{
    static QTranslator* translator = nullptr;
    if (translator || !QCoreApplication::instance())
        return;
    translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        WriteLog(QStringLiteral("Český překlad standardních dialogů nebyl nalezen."), LogLevel::Debug);
}
