#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The program's QApplication: no exception crosses the event loop. Whatever a
// command throws is logged at ERROR and shown, and the program goes on.
class TZunoApplication : public QApplication
{
public:
    TZunoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Logs and shows an exception that no window handled. The error window
// replaces the plain box through SetErrorPresenter.
void HandleException(std::exception_ptr error);
void SetErrorPresenter(std::function<void(const QString& text, const QString& detail)> presenter);
// Runs a command; an exception goes to HandleException. For code that runs
// outside the event loop (start-up) and for tests.
void Guarded(const std::function<void()>& command);

// Ends the program in order (windows closed, database detached) when the
// desktop asks it to stop (SIGTERM at log-out, SIGINT, SIGHUP). Called once
// the database engine is running, since the engine sets handlers of its own
// that would keep the process alive.
void InstallTerminationHandler();
// Whether the program is ending because the desktop asked it to: nobody is
// there to answer a question, so closing windows asks none.
bool EndingBySystem();

// The texts of Qt's own dialogs and buttons (the file dialog's "Zrušit")
// in Czech, whatever the desktop's language.
void InstallQtTranslations();
