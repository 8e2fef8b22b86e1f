#include "shell/uApplication.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uLog.h"

namespace {

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
