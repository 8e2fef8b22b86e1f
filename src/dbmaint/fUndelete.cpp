#include "dbmaint/fUndelete.h"
#include "ui_fUndelete.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "db/uDB_FB.h"

TfrmUndelete::TfrmUndelete(QWidget* parent)
    : TSForm(parent)
    , ui(std::make_unique<Ui::TfrmUndelete>())
{
    ui->setupUi(this);
    ui->STitle1->SetCaption(QStringLiteral("Obnovení položek"));
    SetHelpFile(QStringLiteral("obnoveni"));
    ui->lstPolozky->SetColumns({{QStringLiteral("Položka"), 300, QStringLiteral("DisplayName")}});
    ui->lstPolozky->Column_Caption = QStringLiteral("DisplayName");
    ui->cmdObnovit->setEnabled(false);
    connect(ui->lstPolozky, &TSListView::SelectItem, this, [this](int) { ui->cmdObnovit->setEnabled(true); });
    connect(ui->lstPolozky, &TSListView::DblSelectItem, this, [this](int) { RestoreSelected(); });
    connect(ui->cmdObnovit, &QPushButton::clicked, this, &TfrmUndelete::RestoreSelected);
    connect(ui->cmdZavrit, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmUndelete::~TfrmUndelete() = default;

void TfrmUndelete::Open(const QString& table)
{
    // The name comes from the database: never written into a statement unchecked.
    if (!IsPlainIdentifier(table))
        throw TTalbreckException(QStringLiteral("Neplatný název číselníku: \"") + table + QStringLiteral("\"."));
    m_table = table;
    ui->cmdObnovit->setEnabled(false);
    ui->lstPolozky->OpenResult(
        xSQLOpen(QStringLiteral("select ID, DisplayName from ") + table + QStringLiteral(" where Aktivni=0 order by DisplayName"), true));
    ui->cmdObnovit->setEnabled(ui->lstPolozky->SelectedIndex() >= 0);
}

void TfrmUndelete::RestoreSelected()
{
    const qint64 id = ui->lstPolozky->SelectedID();
    if (ui->lstPolozky->SelectedIndex() < 0) {
        ShowInfo(QStringLiteral("Nemáte vybranou žádnou položku."));
        ui->lstPolozky->setFocus();
        return;
    }
    xSQLOpen(QStringLiteral("update ") + m_table + QStringLiteral(" set Aktivni=1 where ID=") + QString::number(id), false);
    done(mrOK);
}

int ShowUndelete(const QString& table, QWidget* parent)
{
    TfrmUndelete window(parent);
    window.Open(table);
    if (Dialogs::testMode())
        return mrCancel;
    return window.ShowModal();
}
