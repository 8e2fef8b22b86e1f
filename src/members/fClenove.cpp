#include "members/fClenove.h"
#include "ui_fClenove.h"

#include "core/uException.h"
#include "core/uSystem.h"
#include "db/uDB_FB.h"
#include "reports/uPrint.h"
#include "reports/uReportData.h"
#include "resources/Images.h"
#include "ui/SListViewDB.h"
#include "ui/STitle.h"
#include "ui/uDB_GUI.h"

#include <QAction>
#include <QApplication>
#include <QRadioButton>

std::function<int(QWidget*, qint64&)> TfrmClenove::MemberWindow;

namespace {

enum Column { colJmeno, colPrezdivka, colAdresa, colMobil, colMail, colNarozeni, colVek, colKategorie, colCislo, colVlastni };

// "09/10": nine now, ten this year; "10" when both are the same.
QString ageText(const QVariant& age, const QVariant& ageThisYear)
{
    if (VarIsNull(ageThisYear))
        return QString();
    const QString thisYear = ZeroPad(ageThisYear.toString(), 2);
    if (VarIsNull(age) || age.toInt() == ageThisYear.toInt())
        return thisYear;
    return ZeroPad(age.toString(), 2) + QLatin1Char('/') + thisYear;
}

} // namespace

TfrmClenove::TfrmClenove(QWidget* parent)
    : TSFormList(parent)
    , ui(std::make_unique<Ui::TfrmClenoveFiltr>())
{
    setObjectName(QStringLiteral("frmClenove"));
    setWindowTitle(QStringLiteral("Seznam členů"));
    SetHelpFile(QStringLiteral("sc_souhrnnezobrazeni"));
    Title()->SetCaption(QStringLiteral("Seznam členů"));
    Title()->SetIcon(OutlookIcon(1));
    CountKind = QStringLiteral("osob");
    DeleteKind = QStringLiteral("člena");

    auto* panel = new QWidget(FilterPanel());
    ui->setupUi(panel);
    auto* layout = new QHBoxLayout(FilterPanel());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);

    for (TSEdit* edit : {static_cast<TSEdit*>(ui->txtText), static_cast<TSEdit*>(ui->txtVekOd), static_cast<TSEdit*>(ui->txtVekDo)})
        edit->Act_Find = actVyhledat;
    ui->txtText->setMaxLength(255);
    ui->cmbKategorie->Act_Find = actVyhledat;
    ui->cmbAkce->Act_Find = actVyhledat;
    for (TSFloatEdit* age : {ui->txtVekOd, ui->txtVekDo}) {
        age->FloatType = TFloatType::flInteger;
        age->HasMinValue = true;
        age->MinValue = 0;
    }
    ui->txtVekOd->SetValue(0);
    ui->txtVekDo->SetValue(99);
    for (QRadioButton* state : {ui->radVse, ui->radClen, ui->radNeclen})
        connect(state, &QRadioButton::clicked, actVyhledat, &QAction::trigger);

    TSListViewDB* list = List();
    list->setObjectName(QStringLiteral("lstClenove"));
    list->SetImages({ListIcon(0), ListIcon(1)});
    list->Column_ID = QStringLiteral("ID");
    list->Column_Caption = QStringLiteral("DisplayName");
    list->SetColumns({
        {QStringLiteral("Jméno"), 170, QStringLiteral("DisplayName")},
        {QStringLiteral("Přezdívka"), 90, QStringLiteral("Prezdivka")},
        {QStringLiteral("Adresa"), 200, QStringLiteral("adresa_bydliste")},
        {QStringLiteral("Mobil"), 100, QStringLiteral("Mobil")},
        {QStringLiteral("E-mail"), 150, QStringLiteral("Mail")},
        {QStringLiteral("Datum nar."), 80, QStringLiteral("DATUMNAROZENI"), TSColumnKind::Date},
        {QStringLiteral("Věk"), 50},
        {QStringLiteral("Kategorie"), 90, QStringLiteral("KATEGORIE")},
        {QStringLiteral("Číslo člena"), 80, QStringLiteral("PrukazKCT_VYPIS")},
        {QStringLiteral("CL_01"), 100, QStringLiteral("CL_1")},
    });
    list->SortFields = {QStringLiteral("DisplayName COLLATE PXW_CSY"), QStringLiteral("Prezdivka COLLATE PXW_CSY"),
                        QStringLiteral("Ulice COLLATE PXW_CSY, CP"), QStringLiteral("Mobil"), QStringLiteral("Mail"),
                        QStringLiteral("DATUMNAROZENI"), QStringLiteral("Vek"), QStringLiteral("KATEGORIE COLLATE PXW_CSY"),
                        QStringLiteral("PRUKAZKCT"), QStringLiteral("CL_1")};
    list->OnRowResult = [](TSListItem& item, const TSQLDB& q) {
        item.SetImageIndex(q.GetText(QStringLiteral("Pohlavi")) == QLatin1String("mužské") ? 0 : 1);
        item.SetValue(colVek, ageText(q.GetValue(QStringLiteral("Vek")), q.GetValue(QStringLiteral("VekVRoce"))));
    };
}

TfrmClenove::~TfrmClenove() = default;

void TfrmClenove::Open()
{
    xResult2Combo(ui->cmbKategorie, xProcCall(QStringLiteral("CL_Kategorie_ALL"), {Null}, {}, true), true);
    // The events come with their module; until then the filter offers "vše" only.
    try {
        xTable2Combo(ui->cmbAkce, QStringLiteral("AK_Akce"), true);
    } catch (const TTalbreckException&) {
        ui->cmbAkce->ClearEntries();
        ui->cmbAkce->AddWithID(QStringLiteral("vše"), Null);
        ui->cmbAkce->setCurrentIndex(0);
    }
    auto columns = xProcCall(QStringLiteral("vl_sloupec_all"), {1}, {}, true);
    while (columns->Fetch())
        if (columns->GetText(QStringLiteral("Sloupec")) == QLatin1String("CL_01"))
            List()->Model()->setHeaderData(colVlastni, Qt::Horizontal, columns->GetText(QStringLiteral("DisplayName")), Qt::EditRole);
    Vyhledat();
}

QString TfrmClenove::SearchSQL()
{
    const QString text = ui->txtText->text();
    const QVariant state = ui->radClen->isChecked() ? QVariant(1) : ui->radNeclen->isChecked() ? QVariant(0) : Null;
    return xProcText(QStringLiteral("CL_Clen_ALL"),
                     {text, ui->cmbAkce->SelectedID(), ui->cmbKategorie->SelectedID(),
                      qRound(ui->txtVekOd->Value()), qRound(ui->txtVekDo->Value()), state},
                     {}, true);
}

void TfrmClenove::DefaultFilter()
{
    ui->txtText->clear();
    if (ui->cmbKategorie->count() > 0)
        ui->cmbKategorie->setCurrentIndex(0);
    if (ui->cmbAkce->count() > 0)
        ui->cmbAkce->setCurrentIndex(0);
    ui->txtVekOd->SetValue(0);
    ui->txtVekDo->SetValue(99);
    ui->radClen->setChecked(true);
}

int TfrmClenove::OpenDetail(qint64& id)
{
    if (!MemberWindow)
        return mrCancel;
    return MemberWindow(this, id);
}

void TfrmClenove::DeleteRecord(qint64 id)
{
    xProcCall(QStringLiteral("cl_clen_del"), {id});
}

void TfrmClenove::Tisk()
{
    TReportDataList dataSets;
    dataSets.push_back(xReportDataSet(QStringLiteral("dsClenove"), List()->CurrentSQL));
    PrintFromWindow(this, std::move(dataSets), QStringLiteral("frmClenove"));
}

QString TfrmClenove::DeleteQuestion(const QString& caption) const
{
    return QStringLiteral("Opravdu chcete smazat člena: \"") + caption + QStringLiteral("\" ?");
}
