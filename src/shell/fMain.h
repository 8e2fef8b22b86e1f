#pragma once

#include <QMainWindow>
#include <memory>

class QMdiArea;
class TExBar;
class TProjectZUNO;
namespace Ui { class TfrmMain; }

// The main window: the menu, the navigation bar on the left and the work
// area where module windows open.
class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfrmMain(TProjectZUNO* app, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The start-up work of the main window: version check, one-off scripts,
    // settings, caption, backups named on the command line, test-build warning.
    void Initialise(const QStringList& arguments);
    // Highlights the page's group, opens its window and refreshes the balances.
    void ShowPage(int page);
    // Shows the window maximised or normal as the settings ask.
    void ShowAsConfigured();

    TExBar* Bar() const { return m_bar; }
    QMdiArea* WorkArea() const;
    // The group index in the bar, -1 when the group is not shown.
    int GroupModuly() const { return m_grpModuly; }
    int GroupUcetnictvi() const { return m_grpUcetnictvi; }
    int GroupZustatek() const { return m_grpZustatek; }
    int GroupCestaky() const { return m_grpCestaky; }
    // The group a page belongs to; -1 for none.
    int GroupOfPage(int page) const;

    // Called by the "Hlášení o chybě ..." entry with the screenshot's path,
    // once the error report window exists.
    static void SetErrorReportOpener(std::function<void(const QString& screenshot)> opener);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // F1 that no window used opens the user's guide.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectActions();
    void applySettings();
    void buildBar();
    void fillBalances();
    void runSqlScript();
    void showAbout();

    std::unique_ptr<Ui::TfrmMain> ui;
    TProjectZUNO* m_app;
    TExBar* m_bar = nullptr;
    int m_grpModuly = -1;
    int m_grpUcetnictvi = -1;
    int m_grpZustatek = -1;
    int m_grpCestaky = -1;
    bool m_maximised = false;
    bool m_shownOnce = false;
    QString m_caption;
};
