#include "members/fImportExcel.h"
#include "ui_fImportExcel.h"

#include "core/uClock.h"
#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uGUI.h"
#include "core/uLog.h"
#include "core/uProject.h"
#include "members/uImportClenu.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

TfrmImportExcel::TfrmImportExcel(QWidget* parent)
    : TSForm(parent)
    , ui(std::make_unique<Ui::TfrmImportExcel>())
{
    ui->setupUi(this);
    ui->STitle1->SetCaption(QStringLiteral("Import z Excelu"));
    SetHelpFile(QStringLiteral("na_importexcel"));
    QList<TSColumn> columns;
    for (const QString& caption : ImportColumnCaptions())
        columns.append({caption, columns.isEmpty() ? 120 : (columns.size() >= 4 && columns.size() <= 7) ? 62 : 90, {}});
    ui->lstImport->Sort = false;
    ui->lstImport->SetColumns(columns);
    ui->cmdPrevod->setEnabled(false);
    connect(ui->cmdImport, &QPushButton::clicked, this, &TfrmImportExcel::ImportFile);
    connect(ui->cmdPrevod, &QPushButton::clicked, this, &TfrmImportExcel::Transfer);
    connect(ui->cmdZavrit, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmImportExcel::~TfrmImportExcel() = default;

void TfrmImportExcel::ImportFile()
{
    const QString dir = Project() ? Project()->DataDir + QStringLiteral("import") : QDir::homePath();
    const QString fileName = OpenFileDialog(this, QStringLiteral("Soubor"), dir,
                                            QStringLiteral("Sešit (*.xlsx *.xlsm *.ods *.xls);;Všechny soubory (*)"),
                                            QStringLiteral("xlsx"));
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return;
    ReadFile(fileName);
}

bool TfrmImportExcel::ReadFile(const QString& fileName)
{
    m_rows.clear();
    QString failure;
    {
        TWaitCursor wait;
        try {
            ReadImportSheet(fileName, m_rows);
        } catch (const TTalbreckException& e) {
            failure = e.Text();
        }
    }
    const qsizetype read = m_rows.size();
    m_rows.removeIf([this](const QStringList& row) { return m_stored.contains(row); });
    showRows();
    if (!failure.isEmpty())
        failed(failure);
    if (m_rows.size() < read)
        ShowInfo(QStringLiteral("Řádky, které už byly převedeny do seznamu členů, byly vynechány (počet: %1).").arg(read - m_rows.size()));
    return failure.isEmpty();
}

bool TfrmImportExcel::Transfer()
{
    const int year = Clock::today().year();
    int stored = 0;
    ui->pbPrevod->setRange(0, static_cast<int>(m_rows.size()));
    ui->pbPrevod->setValue(0);
    ui->pbPrevod->setVisible(true);
    for (QPushButton* b : {ui->cmdImport, ui->cmdPrevod, ui->cmdZavrit})
        b->setEnabled(false);
    QString failure;
    {
        TWaitCursor wait;
        try {
            for (const QStringList& row : std::as_const(m_rows)) {
                const QString who = ImportPersonName(row);
                ImportStore(ImportArguments(row, year), who);
                m_stored.insert(row);
                ++stored;
                ui->pbPrevod->setValue(stored);
                if (stored % 25 == 0)
                    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
        } catch (const TTalbreckException& e) {
            failure = e.Text();
        }
    }
    ui->pbPrevod->setVisible(false);
    ui->cmdImport->setEnabled(true);
    ui->cmdZavrit->setEnabled(true);
    if (failure.isEmpty()) {
        done(mrOK);
        return true;
    }
    // The people stored already leave the list: a second transfer stores the rest only.
    m_rows.remove(0, stored);
    showRows();
    if (stored > 0)
        failure += QStringLiteral("\n\nPočet osob už uložených: %1; ze seznamu byly odebrány. Opravte sešit a načtěte jej znovu: "
                                  "osoby už uložené budou vynechány.").arg(stored);
    failed(failure);
    return false;
}

void TfrmImportExcel::showRows()
{
    TSListModel* model = ui->lstImport->Model();
    model->BeginFill();
    for (int i = 0; i < m_rows.size(); ++i) {
        const int r = model->AddRow();
        model->SetID(r, i + 1);
        for (int c = 0; c < ImportColumnCount; ++c)
            model->SetValue(r, c, m_rows.at(i).at(c));
    }
    model->EndFill();
    ui->lblPocet->setText(QStringLiteral("Počet členů: ") + QString::number(m_rows.size()));
    ui->cmdPrevod->setEnabled(!m_rows.isEmpty());
}

void TfrmImportExcel::failed(const QString& text)
{
    WriteLog(QStringLiteral("Import z Excelu: ") + text, LogLevel::Warn);
    ShowError(text);
}

std::function<int(QWidget*)> TfrmImportExcel::Opener = [](QWidget* parent) {
    TfrmImportExcel window(parent);
    return window.ShowModal();
};
