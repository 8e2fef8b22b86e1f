#include "reports/fFormDB.h"
#include "ui_fFormDB.h"

#include "core/uDialogs.h"
#include "core/uGUI.h"
#include "core/uProject.h"
#include "core/uRegistry.h"
#include "db/uDB_FB.h"
#include "reports/fReportDesigner.h"
#include "reports/SReportPreview.h"
#include "resources/Images.h"
#include "ui/STitle.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVBoxLayout>

namespace {

const QString kFilter = QStringLiteral("Sestava ZUNO (*.zrs)");
const QString kSuffix = QStringLiteral("zrs");
// What a newly registered template holds until it is designed.
const QString kEmptyTemplate = QStringLiteral("<%@ page size=\"A4\" orientation=\"portrait\" margins=\"15\" %>\n"
                                              "<h2>Nová sestava</h2>\n");

TReportDesignerOpener& designerOpener()
{
    static TReportDesignerOpener opener;
    return opener;
}

bool debugMode()
{
    return Project() && RegReadBool(Project()->RegKey, QStringLiteral("debug"), false);
}

} // namespace

TfrmFormDB::TfrmFormDB(QWidget* parent)
    : TfrmFormTemplate(parent)
    , ui(std::make_unique<Ui::TfrmFormDB>())
{
    setObjectName(QStringLiteral("frmFormDB"));
    setWindowTitle(QStringLiteral("Tisk"));
    SetHelpFile(QStringLiteral("fr_general"));
    setMinimumSize(600, 540);
    auto* panel = new QWidget(LeftPanel());
    ui->setupUi(panel);
    LeftPanel()->layout()->addWidget(panel);
    ui->panFiltr->hide();

    m_actNova = new QAction(ToolIcon(QStringLiteral("new")), QStringLiteral("&Nová"), this);
    m_actNova->setObjectName(QStringLiteral("actNova"));
    m_actNova->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_actNova->setToolTip(QStringLiteral("Nová sestava"));
    addAction(m_actNova);
    m_actSmazat = new QAction(ToolIcon(QStringLiteral("delete")), QStringLiteral("&Smazat"), this);
    m_actSmazat->setObjectName(QStringLiteral("actSmazat"));
    m_actSmazat->setToolTip(QStringLiteral("Smazat sestavu"));
    m_actKopie = new QAction(ToolIcon(QStringLiteral("copy")), QStringLiteral("Kopie"), this);
    m_actKopie->setObjectName(QStringLiteral("actKopie"));
    ui->lstFormular->addAction(m_actSmazat);
    ui->lstFormular->addAction(m_actKopie);
    connect(m_actNova, &QAction::triggered, this, &TfrmFormDB::NewReport);
    connect(m_actSmazat, &QAction::triggered, this, &TfrmFormDB::DeleteReport);
    connect(m_actKopie, &QAction::triggered, this, &TfrmFormDB::CopyReport);
    connect(ui->cmdNova, &QPushButton::clicked, m_actNova, &QAction::trigger);
    connect(ui->cmdSmazat, &QPushButton::clicked, m_actSmazat, &QAction::trigger);
    connect(ui->cmdZavrit, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->cmdUlozit, &QPushButton::clicked, this, &TfrmFormDB::SaveReport);
    connect(ui->cmdSoubor, &QPushButton::clicked, this, &TfrmFormDB::ChooseFile);
    connect(ui->cmdDesign, &QPushButton::clicked, this, &TfrmFormDB::DesignReport);

    TSListViewDB* list = ui->lstFormular;
    list->Sort = false;
    list->Act_New = m_actNova;
    list->Act_Delete = m_actSmazat;
    list->SetImages({ListIcon(25), ListIcon(27)});
    list->SetColumns({{QStringLiteral("Sestavy"), 250, QStringLiteral("DisplayName")}});
    list->SortFields = {QString()}; // the database orders the reports: system ones first
    list->OnRowResult = [](TSListItem& item, const TSQLDB& row) {
        item.SetImageIndex(row.GetInteger(QStringLiteral("System")) == 1 ? 1 : 0);
    };
    connect(list, &TSListView::SelectItem, this, [this] {
        if (!m_loading)
            LoadSelected();
    });

    auto filterChanged = [this] {
        if (!Engine()->Running() && !m_loading && !Engine()->Template().isEmpty())
            RunReport();
    };
    connect(ui->dtmRok, &QDateEdit::dateChanged, this, filterChanged);
    connect(ui->dtmDatum, &QDateEdit::dateChanged, this, filterChanged);
}

TfrmFormDB::~TfrmFormDB() = default;

void TfrmFormDB::SetDesignerOpener(TReportDesignerOpener opener)
{
    designerOpener() = std::move(opener);
}

QString TfrmFormDB::reportDir() const
{
    return (Project() ? Project()->DataDir : QString()) + QStringLiteral("report/");
}

int TfrmFormDB::ShowForGroup(const QString& group, TReportDataList dataSets, TReportVariablesCallback callback,
                             TReportDataPtr tableA, TReportDataPtr tableB)
{
    Prepare(group, std::move(dataSets), std::move(callback), std::move(tableA), std::move(tableB));
    if (Dialogs::testMode())
        return mrNone;
    setWindowState(windowState() | Qt::WindowMaximized);
    const int result = ShowModal();
    Finish();
    return result;
}

void TfrmFormDB::Prepare(const QString& group, TReportDataList dataSets, TReportVariablesCallback callback,
                         TReportDataPtr tableA, TReportDataPtr tableB)
{
    TWaitCursor wait;
    Finish();
    m_group = group;
    m_dataSets = std::move(dataSets);
    for (TReportDataPtr* table : {&tableA, &tableB})
        if (*table)
            m_dataSets.push_back(std::move(*table));
    m_callback = std::move(callback);
    auto q = xProcCall(QStringLiteral("OD_FORMULAR_ALL"), {group}, {}, true);
    const QString name = q->Fetch() ? q->GetText(QStringLiteral("DisplayName")) : group;
    q.reset();
    Title()->SetCaption(QStringLiteral("Tisk: ") + name);
    FillList();
}

void TfrmFormDB::Finish()
{
    ui->panFiltr->hide();
    m_callback = nullptr;
    Engine()->SetDataSets({});
    Engine()->Clear();
    m_dataSets.clear();
    ShowPrepared();
}

void TfrmFormDB::SetFilter(bool visible, const QDate& year, const QDate& date)
{
    const bool loading = m_loading;
    m_loading = true; // setting the pickers is no user's change
    if (year.isValid())
        ui->dtmRok->setDate(year);
    if (date.isValid())
        ui->dtmDatum->setDate(date);
    m_loading = loading;
    ui->panFiltr->setVisible(visible);
}

qint64 TfrmFormDB::SelectedReport() const
{
    return ui->lstFormular->SelectedID();
}

bool TfrmFormDB::SelectReport(qint64 id)
{
    return ui->lstFormular->SelectID(id);
}

void TfrmFormDB::FillList()
{
    for (QWidget* w : std::initializer_list<QWidget*>{ui->cmdSmazat, ui->cmdUlozit, ui->cmdDesign, ui->cmdSoubor})
        w->setEnabled(false);
    m_actSmazat->setEnabled(false);
    m_actKopie->setEnabled(false);
    const bool loading = m_loading;
    m_loading = true;
    try {
        ui->lstFormular->OpenSQL(xProcText(QStringLiteral("OD_Sestava_ALL"), {m_group, Null}, {}, true));
        if (ui->lstFormular->Count() > 0 && ui->lstFormular->SelectedIndex() < 0)
            ui->lstFormular->SelectRow(0);
    } catch (...) {
        m_loading = loading;
        throw;
    }
    m_loading = loading;
    LoadSelected(); // once, whatever the fill selected on its way
}

void TfrmFormDB::setSystem(bool system)
{
    m_system = system;
    for (QWidget* w : std::initializer_list<QWidget*>{ui->cmdSmazat, ui->cmdUlozit, ui->cmdSoubor})
        w->setEnabled(!system);
    m_actSmazat->setEnabled(!system);
    ui->cmdDesign->setEnabled(!system || debugMode());
    ui->txtNazev->setReadOnly(system);
    ui->txtAutor->setReadOnly(system);
    ui->memPopis->setReadOnly(system);
    m_actKopie->setEnabled(true);
}

void TfrmFormDB::LoadSelected()
{
    if (Engine()->Running() || m_loading)
        return;
    const qint64 id = SelectedReport();
    if (id == 0) {
        ui->txtNazev->clear();
        ui->txtAutor->clear();
        ui->memPopis->clear();
        ui->lblDatum->clear();
        ui->txtSoubor->clear();
        Engine()->Clear();
        ShowPrepared();
        return;
    }
    m_loading = true;
    ui->lstFormular->setEnabled(false);
    struct Restore
    {
        TfrmFormDB* w;
        ~Restore()
        {
            w->m_loading = false;
            w->ui->lstFormular->setEnabled(true);
            if (w->isVisible())
                w->ui->lstFormular->setFocus();
        }
    } restore{this};

    auto q = xProcCall(QStringLiteral("OD_Sestava_ALL"), {Null, id}, {}, true);
    if (!q->Fetch())
        return;
    ui->txtNazev->setText(q->GetText(QStringLiteral("DisplayName")));
    ui->txtAutor->setText(q->GetText(QStringLiteral("Autor")));
    ui->memPopis->setPlainText(q->GetText(QStringLiteral("Poznamka")));
    ui->lblDatum->setText(q->GetText(QStringLiteral("Datum")));
    const QString file = q->GetText(QStringLiteral("FileName"));
    setSystem(q->GetInteger(QStringLiteral("System")) == 1);
    q.reset();
    ui->txtSoubor->setText(file);
    loadTemplate(file);
}

void TfrmFormDB::loadTemplate(const QString& fileName)
{
    TWaitCursor wait;
    try {
        Engine()->LoadFromFile(reportDir() + fileName);
    } catch (const TTalbreckException& e) {
        // The list stays usable: another report can be chosen.
        ShowPrepared();
        ShowError(e.Text());
        return;
    }
    const bool loading = m_loading;
    m_loading = false;
    RunReport();
    m_loading = loading;
}

void TfrmFormDB::RunReport()
{
    if (Engine()->Running() || Engine()->Template().isEmpty())
        return;
    TWaitCursor wait;
    struct Shown
    {
        TfrmFormDB* w;
        ~Shown() { w->ShowPrepared(); }
    } shown{this};
    if (m_callback)
        m_callback(*Engine(), m_dataSets, ui->dtmRok->date(), ui->dtmDatum->date());
    std::vector<TReportData*> sets;
    for (const TReportDataPtr& d : m_dataSets)
        sets.push_back(d.get());
    Engine()->SetDataSets(sets);
    Engine()->SetResourceFolder(Project() ? Project()->DataDir : QString());
    try {
        Engine()->Prepare();
    } catch (const TReportScriptError& e) {
        ShowError(e.Text());
    }
}

QString TfrmFormDB::chooseTemplateFile()
{
    const QString dir = reportDir();
    const QString chosen = OpenFileDialog(this, QStringLiteral("Nový soubor"), dir, kFilter, kSuffix);
    if (chosen.isEmpty())
        return {};
    const QFileInfo info(chosen);
    const QString name = info.fileName();
    const QString target = dir + name;
    if (info.exists()) {
        if (info.canonicalPath() != QFileInfo(dir).canonicalFilePath()) {
            QFile::remove(target);
            if (!QFile::copy(chosen, target)) {
                ShowError(QStringLiteral("Soubor nelze zkopírovat do složky sestav: ") + QDir::toNativeSeparators(target));
                return {};
            }
        }
    } else if (!QFileInfo::exists(target)) {
        // A new name starts an empty template; a template of that name already
        // in the report folder is used as it is, never overwritten.
        TReportEngine empty;
        empty.SetTemplate(kEmptyTemplate);
        try {
            empty.SaveToFile(target);
        } catch (const TTalbreckException& e) {
            ShowError(e.Text());
            return {};
        }
    }
    return name;
}

void TfrmFormDB::NewReport()
{
    const QString file = chooseTemplateFile();
    if (file.isEmpty())
        return;
    auto q = xProcCall(QStringLiteral("od_sestava_new"),
                       {QStringLiteral(""), QStringLiteral(""), QStringLiteral("<unknown>"), file, m_group, 0, 0}, {}, true);
    const qint64 id = q->Fetch() ? q->GetInteger(QStringLiteral("ID")) : 0;
    q.reset();
    FillList();
    if (id && SelectedReport() != id && SelectReport(id))
        LoadSelected();
}

void TfrmFormDB::ChooseFile()
{
    if (SelectedReport() == 0 || m_system)
        return;
    const QString file = chooseTemplateFile();
    if (file.isEmpty())
        return;
    ui->txtSoubor->setText(file);
    loadTemplate(file);
}

void TfrmFormDB::SaveReport()
{
    const qint64 id = SelectedReport();
    if (id == 0 || m_system)
        return;
    xProcCall(QStringLiteral("od_sestava_edit"), {id, ui->txtNazev->text(), ui->txtAutor->text(), ui->txtSoubor->text(),
                                                   ui->memPopis->toPlainText(), 0, 0});
    FillList();
    if (SelectedReport() != id && SelectReport(id))
        LoadSelected();
}

void TfrmFormDB::DeleteReport()
{
    const qint64 id = SelectedReport();
    if (id == 0 || m_system)
        return;
    if (!Confirm(QStringLiteral("Opravdu chcete vybranou sestavu smazat?")))
        return;
    xProcCall(QStringLiteral("od_sestava_del"), {id});
    FillList();
}

void TfrmFormDB::CopyReport()
{
    const qint64 id = SelectedReport();
    if (id == 0)
        return;
    auto q = xProcCall(QStringLiteral("OD_Sestava_ALL"), {Null, id}, {}, true);
    if (!q->Fetch())
        return;
    const QString name = q->GetText(QStringLiteral("DisplayName"));
    const QString note = q->GetText(QStringLiteral("Poznamka"));
    const QString file = q->GetText(QStringLiteral("FileName"));
    const QVariant filterYear = q->GetValue(QStringLiteral("filtr_ROK"));
    const QVariant filterDay = q->GetValue(QStringLiteral("filtr_den"));
    q.reset();

    const QFileInfo info(file);
    const QString copy = info.completeBaseName() + QStringLiteral("_copy.") + (info.suffix().isEmpty() ? kSuffix : info.suffix());
    const QString dir = reportDir();
    QFile::remove(dir + copy);
    if (!QFile::copy(dir + file, dir + copy)) {
        // No record without its file.
        ShowError(QStringLiteral("Soubor sestavy nelze zkopírovat: ") + QDir::toNativeSeparators(dir + file));
        return;
    }
    auto n = xProcCall(QStringLiteral("od_sestava_new"),
                       {name + QStringLiteral(" - kopie"), note, QStringLiteral(""), copy, m_group, filterYear, filterDay}, {}, true);
    const qint64 newId = n->Fetch() ? n->GetInteger(QStringLiteral("ID")) : 0;
    n.reset();
    FillList();
    if (newId && SelectedReport() != newId && SelectReport(newId))
        LoadSelected();
}

void TfrmFormDB::DesignReport()
{
    if (SelectedReport() == 0 || (m_system && !debugMode()) || Engine()->Template().isEmpty())
        return;
    const auto& opener = designerOpener();
    if (opener)
        opener(this, *Engine());
    else if (!Dialogs::testMode()) // the designer is modal
        OpenReportDesigner(this, *Engine());
    RunReport();
}
