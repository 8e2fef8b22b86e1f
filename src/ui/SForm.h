#pragma once

#include <QDialog>
#include <QMdiSubWindow>
#include <QPointer>

class QAction;
class QMdiArea;

// The modal results of the program's windows.
enum TModalResult : int { mrNone = 0, mrOK = 1, mrCancel = 2 };

// The base of the program's windows. Before it is first shown it applies the
// locale texts and restores its placement kept per user under
// "<RegKey>\Form" ("<name>_windowstate", "_width", "_height", "_top",
// "_left"); it stores them again whenever it is hidden or destroyed. A
// window placed off every screen is moved onto one. F1 opens HelpFile + ".htm".
//
// A window works as a modal dialog (ShowModal) or as a child of the main
// window's MDI area (ShowInMdi); it keeps one subwindow for its lifetime.
class TSForm : public QDialog
{
    Q_OBJECT

public:
    explicit TSForm(QWidget* parent = nullptr);
    ~TSForm() override;

    // The help topic without extension; empty: F1 goes on to the main window.
    QString HelpFile() const { return m_helpFile; }
    void SetHelpFile(const QString& topic);

    // Shows the window modally; mrOK when it was closed with OK, else mrCancel.
    int ShowModal();
    // Shows the window as a child of the MDI area; later calls show it again.
    QMdiSubWindow* ShowInMdi(QMdiArea* area);
    // The MDI subwindow holding the window, null for a top-level window.
    QMdiSubWindow* MdiWindow() const { return m_sub; }

    void RestorePlacement();
    void StorePlacement();
    void Help();

    void setVisible(bool visible) override;
    void done(int result) override;

protected:
    // Runs once before the window is first shown, after the constructors of
    // the window have run. Overrides call their base first.
    virtual void Created();

    void hideEvent(QHideEvent* event) override;

private:
    void ensureCreated();
    QWidget* frameWindow() const;
    void keepOnScreen();

    QString m_helpFile;
    QAction* m_help;
    QPointer<QMdiSubWindow> m_sub;
    bool m_created = false;
    bool m_placed = false;
};
