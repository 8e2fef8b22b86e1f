#include "shell/fMain.h"
#include "ui_fMain.h"

#include "core/ExBar.h"
#include "core/Navigation.h"
#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uLog.h"
#include "core/uSystem.h"
#include "db/uDB_FB.h"
#include "db/uDB_Script.h"
#include "dbmaint/fUpgrade.h"
#include "dbmaint/fZaloha.h"
#include "members/fImportExcel.h"
#include "resources/Images.h"
#include "shell/fAbout.h"
#include "shell/uApplication.h"
#include "shell/uPages.h"
#include "shell/uProjectZUNO.h"
#include "shell/uVersionCheck.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>
#include <QSplitter>

namespace {

std::function<void(const QString&)>& errorReportOpener()
{
    static std::function<void(const QString&)> opener;
    return opener;
}

} // namespace

void TfrmMain::SetErrorReportOpener(std::function<void(const QString&)> opener)
{
    errorReportOpener() = std::move(opener);
}

TfrmMain::TfrmMain(TProjectZUNO* app, QWidget* parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::TfrmMain>())
    , m_app(app)
{
    ui->setupUi(this);
    setWindowIcon(AppIcon());
    m_caption = windowTitle();

    m_bar = new TExBar(ui->Splitter1);
    m_bar->setObjectName(QStringLiteral("ExBar"));
    ui->Splitter1->insertWidget(0, m_bar);
    ui->Splitter1->setStretchFactor(0, 0);
    ui->Splitter1->setStretchFactor(1, 1);
    connect(m_bar, &TExBar::itemClicked, this, [this](int page) { Guarded([this, page] { ShowPage(page); }); });
    connect(ui->Splitter1, &QSplitter::splitterMoved, this, [this] { m_bar->setBarWidth(ui->Splitter1->sizes().value(0)); });

    connectActions();
    connect(m_app, &TProjectZUNO::SettingsLoaded, this, &TfrmMain::applySettings);
    connect(m_app, &TProjectZUNO::WindowStateWanted, this, [this](bool maximised) { m_maximised = maximised; });

    // Centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(std::min(1100, area.width()), std::min(760, area.height()));
        move(area.center() - rect().center());
    }
}

TfrmMain::~TfrmMain() = default;

QMdiArea* TfrmMain::WorkArea() const
{
    return ui->mdiArea;
}

void TfrmMain::connectActions()
{
    const std::pair<QAction*, int> pageActions[] = {
        {ui->mnuInfo, 0},     {ui->mnuClenove, 1}, {ui->mnuUcet, 2},      {ui->mnuUcetPU, 7},   {ui->mnuMajetek, 3},
        {ui->mnuAkce, 4},     {ui->mnuKalendar, 5}, {ui->mnuFormulare, 6}, {ui->mnuDenik, 7},    {ui->mnuPokladna, 8},
        {ui->mnuBanka, 9},    {ui->mnuFaP, 10},    {ui->mnuFaV, 11},      {ui->mnuIntDoklad, 12}, {ui->mnuDotace, 13},
    };
    for (const auto& [action, page] : pageActions) {
        const int p = page;
        connect(action, &QAction::triggered, this, [this, p] { Guarded([this, p] { ShowPage(p); }); });
    }
    connect(ui->mnuKonec, &QAction::triggered, this, &QWidget::close);
    connect(ui->mnuSQLSkript, &QAction::triggered, this, [this] { Guarded([this] { runSqlScript(); }); });

    const std::pair<QAction*, const char16_t*> helpActions[] = {
        {ui->mnuFAQ, u"pa_otazkyaodpovedi.htm"},
        {ui->mnuPostupy, u"pu_postupy.htm"},
        {ui->mnuKeys, u"sa_klavesovezkratky.htm"},
        {ui->mnuHistory, u"sa_history.htm"},
    };
    connect(ui->mnuUzivPrirucka, &QAction::triggered, this, [this] { m_app->ShowHelp(); });
    for (const auto& [action, topic] : helpActions) {
        const QString t = QString::fromUtf16(topic);
        connect(action, &QAction::triggered, this, [this, t] { m_app->ShowHelp(t); });
    }
    connect(ui->mnuKonference, &QAction::triggered, this, [] { ShellOpen(ForumAddress()); });
    connect(ui->mnuChyba, &QAction::triggered, this, [] {
        const QString shot = TakeScreenshot();
        if (errorReportOpener())
            Guarded([shot] { errorReportOpener()(shot); });
        else
            WriteLog(QStringLiteral("Snímek obrazovky pro hlášení o chybě: ") + shot, LogLevel::Info);
    });
    connect(ui->mnuVerze, &QAction::triggered, this, [] { Guarded([] { CheckVersionOnline(VersionServer()); }); });
    connect(ui->mnuOAplikaci, &QAction::triggered, this, &TfrmMain::showAbout);

    // Entries whose windows come with later modules wait, disabled.
    connect(ui->mnuZalohaDat, &QAction::triggered, this, [this] {
        Guarded([this] {
            if (ShowBackupWindow(m_app, this) == mrOK)
                ShowPage(0);
        });
    });

    connect(ui->Smazatvechnydata1, &QAction::triggered, this, [this] {
        Guarded([this] {
            if (DeleteAllData(m_app) == mrOK) {
                m_app->LoadSettings(true);
                ShowPage(0);
            }
        });
    });

    connect(ui->mnuImport, &QAction::triggered, this, [this] {
        Guarded([this] {
            if (TfrmImportExcel::Opener(this) == mrOK) {
                ShowPage(1);
                ShowInfo(QStringLiteral("Import členů proběhl bez chyb."));
            }
        });
    });

    for (QAction* a : {ui->mnuObecne, ui->mnuOficiality,
                       ui->mnuNastaveniJU, ui->mnuPenezniDenik, ui->mnuNastaveniPU, ui->mnuAdresar, ui->mnuUctovaOsnova,
                       ui->mnuPredkontace, ui->mnuPocatek, ui->mnuZaverka, ui->mnuTiskoveSestavy, ui->mnuStavPU})
        a->setEnabled(false);
}

void TfrmMain::Initialise(const QStringList& arguments)
{
    m_app->SchemaVersion = {6, 0};

    bool upgradable = true;
    {
        auto q = xSQLOpen(QStringLiteral("select Hodnota from OD_Nastaveni where ID='DB_Upgradovatelna'"), true);
        if (q->Fetch())
            upgradable = q->GetText(QStringLiteral("Hodnota")) == QLatin1String("1");
    }
    m_app->CheckVersion(upgradable);
    m_app->RunStartupScripts();
    m_app->LoadSettings(true);
    m_caption = QStringLiteral("ZUNO ") + m_app->VersionLabel();
    setWindowTitle(m_caption);

    // A backup named on the command line (the desktop opens .sbk files with the program).
    for (const QString& arg : arguments) {
        if (!arg.endsWith(QLatin1String(".sbk"), Qt::CaseSensitive) || !QFileInfo(arg).isFile())
            continue;
        const QString path = QFileInfo(arg).absoluteFilePath();
        if (Confirm(QStringLiteral("Chcete obnovit data ze zálohy: \"") + QFileInfo(arg).fileName() + QStringLiteral("\" ?")
                    + QStringLiteral("\r\n\r\nUpozornění: Tato operace je nevratná. Aktuální data budou přepsána daty ze zálohy.")))
            Guarded([this, path] { m_app->Restore(path, false, true); });
    }

    if (m_app->Settings->Is(QStringLiteral("DB_Upgradovatelna"), 0))
        ShowWarning(QStringLiteral("Verze aplikace: ") + m_app->VersionLabel()
                    + QStringLiteral("\r\n\r\nUpozornění: Tato verze ZUNO je určena pouze k testování. Zadaná data nebude možné převést do veřejné verze."));
}

void TfrmMain::ShowAsConfigured()
{
    if (m_maximised)
        showMaximized();
    else
        showNormal();
}

void TfrmMain::applySettings()
{
    const bool ju = m_app->ModuleJU();
    const bool pu = m_app->ModulePU();
    ui->mnuJU->menuAction()->setVisible(ju);
    ui->mnuUcet->setVisible(ju);
    ui->mnuPU->menuAction()->setVisible(pu);
    for (QAction* a : {ui->mnuUcetPU, ui->mnuDenik, ui->mnuPokladna, ui->mnuBanka, ui->mnuFaP, ui->mnuFaV, ui->mnuIntDoklad,
                       ui->mnuDotace})
        a->setVisible(pu);
    const std::pair<QAction*, int> pageActions[] = {
        {ui->mnuInfo, 0},  {ui->mnuClenove, 1}, {ui->mnuUcet, 2},   {ui->mnuUcetPU, 7},   {ui->mnuMajetek, 3},
        {ui->mnuAkce, 4},  {ui->mnuKalendar, 5}, {ui->mnuFormulare, 6}, {ui->mnuDenik, 7}, {ui->mnuPokladna, 8},
        {ui->mnuBanka, 9}, {ui->mnuFaP, 10},    {ui->mnuFaV, 11},   {ui->mnuIntDoklad, 12}, {ui->mnuDotace, 13},
    };
    for (const auto& [action, page] : pageActions)
        action->setEnabled(PageAvailable(page));
    if (m_shownOnce)
        buildBar();
}

void TfrmMain::buildBar()
{
    const bool pu = m_app->ModulePU();
    const bool ce = m_app->ModuleCE();
    const bool ju = m_app->ModuleJU();
    m_bar->beginUpdate();
    // Keep what the user opened or closed since start when the bar is rebuilt.
    if (m_bar->groupCount() > 0)
        m_bar->saveState(m_app->RegKey);
    m_bar->clear();
    m_grpModuly = m_bar->addGroup(QStringLiteral("Moduly"), QStringLiteral("moduly"));
    m_grpUcetnictvi = pu ? m_bar->addGroup(QStringLiteral("Účetnictví"), QStringLiteral("ucetnictvi")) : -1;
    m_grpZustatek = pu ? m_bar->addGroup(QStringLiteral("Účetnictví zůstatek"), QStringLiteral("ucetnictvi_stav")) : -1;
    m_grpCestaky = ce ? m_bar->addGroup(QStringLiteral("Cestovní náhrady"), QStringLiteral("cestaky")) : -1;
    for (const TNavItem& item : NavigationItems) {
        if (item.page == 2 && !ju)
            continue;
        const int group = item.group == TNavGroup::Moduly       ? m_grpModuly
                        : item.group == TNavGroup::Ucetnictvi ? m_grpUcetnictvi
                                                              : m_grpCestaky;
        if (group < 0)
            continue;
        const QString caption = QString::fromUtf16(item.caption);
        m_bar->addItem(group, caption, caption, OutlookIcon(item.icon), item.page);
        m_bar->setPageEnabled(item.page, PageAvailable(item.page));
    }
    m_bar->loadState(m_app->RegKey, m_app->DataDir);
    ui->Splitter1->setSizes({m_bar->barWidth(), std::max(100, width() - m_bar->barWidth())});
    m_bar->endUpdate();
    fillBalances();
}

void TfrmMain::fillBalances()
{
    if (m_grpZustatek < 0)
        return;
    const QColor colour = palette().color(QPalette::ButtonText);
    m_bar->beginUpdate();
    m_bar->clearTexts(m_grpZustatek);
    if (VarIsNull(m_app->RokPU)) {
        m_bar->addText(m_grpZustatek, QStringLiteral("Není založen žádný rok."), colour);
    } else {
        m_bar->addText(m_grpZustatek, QStringLiteral("Aktuální rok: ") + m_app->RokPU.toString(), colour);
        auto q = xProcCall(QStringLiteral("PU_UCET_ALL"), {QStringLiteral("U"), Null, m_app->RokPU, Null}, {}, true);
        while (q->Fetch())
            m_bar->addText(m_grpZustatek,
                           q->GetText(QStringLiteral("DisplayName")) + QStringLiteral(": ")
                               + MoneyToText(q->GetCurrency(QStringLiteral("Saldo")), true, true),
                           colour);
    }
    m_bar->endUpdate();
}

int TfrmMain::GroupOfPage(int page) const
{
    if (page >= 0 && page <= 6)
        return m_grpModuly;
    if (page >= 7 && page <= 13)
        return m_grpUcetnictvi;
    if (page >= 14 && page <= 17)
        return m_grpCestaky;
    return -1;
}

void TfrmMain::ShowPage(int page)
{
    m_bar->setHighlighted(GroupOfPage(page));
    OpenPage(page);
    fillBalances();
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    Guarded([this] {
        buildBar();
        ShowPage(0);
    });
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    m_bar->saveState(m_app->RegKey);
    if (!EndingBySystem())
        Guarded([this] { m_app->AutoBackupPrompt(); });
    QMainWindow::closeEvent(event);
}

void TfrmMain::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        m_app->ShowHelp();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TfrmMain::runSqlScript()
{
    const QString file = OpenFileDialog(this, QStringLiteral("Vyberte prosím SQL skript"), m_app->DataDir + QStringLiteral("script"),
                                        QStringLiteral("SQL Skript (*.sql)"), QStringLiteral("sql"));
    if (file.isEmpty())
        return;
    const QString name = QFileInfo(file).fileName();
    try {
        ExecScriptFile(file);
    } catch (const TTalbreckException& e) {
        throw TTalbreckException(QStringLiteral("Chyba při vykonání SQL skriptu."), e.Text());
    }
    WriteLog(QStringLiteral("Spuštěn SQL skript: ") + name, LogLevel::Info);
    ShowInfo(QStringLiteral("SQL skript \"") + name + QStringLiteral("\" byl spuštěn ."));
}

void TfrmMain::showAbout()
{
    TfrmAbout about(m_app->VersionLabel(), VersionToText(m_app->SchemaVersion), this);
    if (!Dialogs::testMode())
        about.exec();
}
