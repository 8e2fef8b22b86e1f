#include "members/fClen.h"
#include "ui_fClen.h"

#include "core/uClock.h"
#include "core/uDialogs.h"
#include "core/uSystem.h"
#include "db/uColl.h"
#include "db/uDB_FB.h"
#include "members/uFotka.h"
#include "members/uMembersHost.h"
#include "members/uClenRodice.h"
#include "members/uRodneCislo.h"
#include "reports/uPrint.h"
#include "resources/Images.h"
#include "ui/uDB_GUI.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QEvent>
#include <QFileInfo>
#include <QPixmap>
#include <QRegularExpressionValidator>

namespace {

const QString kVedouci = QStringLiteral("vedouci");
const QString kOstatni = QStringLiteral("ostatni");
const QString kModHint = QStringLiteral("Zadané RČ nevyhovuje kontrole modulo 11.");

} // namespace

TfrmClen::TfrmClen(QWidget* parent)
    : TSFormDetail(parent)
    , ui(std::make_unique<Ui::TfrmClen>())
{
    ui->setupUi(this);
    SetHelpFile(QStringLiteral("sc_kartaclena"));
    m_rodice = std::make_unique<TClenRodice>(ui.get(), this);

    QList<QIcon> images(5);
    images[4] = ListIcon(4);
    ui->lstAkce->SetImages(images);
    ui->lstAkce->SetColumns({{QStringLiteral("Akce"), 170, QStringLiteral("DisplayName")},
                             {QStringLiteral("Místo"), 110, QStringLiteral("Misto")},
                             {QStringLiteral("Datum od"), 80, QStringLiteral("Datum_Od"), TSColumnKind::Date}});
    ui->lstAkce->OnRowResult = [](TSListItem& item, const TSQLDB&) { item.SetImageIndex(4); };
    connect(ui->lstAkce, &TSListView::DblSelectItem, this, [this](int row) {
        if (!MembersHost::OpenEvent)
            return;
        MembersHost::OpenEvent(this, ui->lstAkce->ID(row));
        loadEvents(); // only the events: the person's unsaved edits stay
    });

    // Digits only; the clipboard keys and editing keys keep working.
    const QRegularExpression digits(QStringLiteral("[0-9]*"));
    ui->txtRC1->setValidator(new QRegularExpressionValidator(digits, ui->txtRC1));
    ui->txtRC2->setValidator(new QRegularExpressionValidator(digits, ui->txtRC2));
    connect(ui->txtRC1, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text.size() >= 6 && ui->txtRC1->hasFocus())
            ui->txtRC2->setFocus();
    });
    connect(ui->txtRC1, &QLineEdit::textChanged, this, &TfrmClen::birthNumberModCheck);
    connect(ui->txtRC2, &QLineEdit::textChanged, this, &TfrmClen::birthNumberModCheck);
    for (QWidget* w : {static_cast<QWidget*>(ui->txtRC1), static_cast<QWidget*>(ui->txtRC2), static_cast<QWidget*>(ui->txtPrijmeni),
                       static_cast<QWidget*>(ui->txtJmeno), static_cast<QWidget*>(ui->txtPrezdivka)})
        w->installEventFilter(this);

    connect(ui->chkClen, &QCheckBox::toggled, this, &TfrmClen::membershipRules);
    connect(ui->chkPlavec, &QCheckBox::clicked, this, &TfrmClen::membershipRules);
    connect(ui->chkAdresaRuzna, &QCheckBox::toggled, this, &TfrmClen::permanentAddressRule);
    connect(ui->cmdFotografie, &QPushButton::clicked, this, [this] {
        const QString file = OpenFileDialog(this, QStringLiteral("Fotografie člena oddílu"), PhotoDir(),
                                            QStringLiteral("Obrázky (*.jpg *.jpeg *.png *.bmp *.gif)"));
        if (!file.isEmpty())
            SetPhoto(file);
    });
    connect(ui->cmdTisk, &QPushButton::clicked, this, &TfrmClen::Tisk);
    ui->dtmClenstvi->setCalendarPopup(false);
    ui->tabMain->setUsesScrollButtons(false);
}

TfrmClen::~TfrmClen() = default;

int TfrmClen::ShowDetail(int id)
{
    return OpenDetail(id);
}

int ShowClen(QWidget* parent, qint64& id)
{
    TfrmClen window(parent);
    const int result = window.ShowDetail(static_cast<int>(id));
    if (result == mrOK)
        id = window.ID;
    return result;
}

void TfrmClen::Prepare(int id)
{
    ID = id;
    FillPickers();
    if (id != 0)
        LoadData();
    else
        ClearData();
}

void TfrmClen::applySettings()
{
    const QVariant fotka = MembersHost::SettingValue(QStringLiteral("CL_Fotka"));
    const bool photo = !fotka.toString().isEmpty() && !VarEquals(fotka, 0);
    ui->panFotka->setVisible(photo);
    ui->panFotka->setFixedWidth(270); // leaves the page control room for all its tabs
    resize(photo ? 747 : 440, height());

    const bool kct = VarEquals(MembersHost::SettingValue(QStringLiteral("OD_EvidovatKCT")), 1);
    ui->lblCislo->setText(kct ? QStringLiteral("Číslo člena KČT:") : QStringLiteral("Číslo člena:"));
    ui->lblOdbor->setVisible(kct);
    ui->chkEurobeds->setVisible(kct);
}

void TfrmClen::FillPickers()
{
    m_rodice->Load(ID);

    applySettings();
    xDB2Combo(ui->cmbKategorie, xProcCall(QStringLiteral("cl_kategorie_all"), {Null}, {}, true));
    auto cols = xProcCall(QStringLiteral("vl_sloupec_all"), {1}, {}, true);
    QLabel* labels[] = {ui->lblC01, ui->lblC02, ui->lblC03, ui->lblC04, ui->lblC05};
    while (cols->Fetch()) {
        const QString col = cols->GetText(QStringLiteral("Sloupec"));
        for (int i = 0; i < 5; ++i)
            if (col.compare(QStringLiteral("CL_0") + QString::number(i + 1), Qt::CaseInsensitive) == 0)
                labels[i]->setText(cols->GetText(QStringLiteral("DisplayName")) + QStringLiteral(":"));
    }
    cols.reset();
    auto org = xProcCall(QStringLiteral("OD_Oficiality_ALL"), {}, {}, true);
    QString odbor;
    if (org->Fetch())
        for (const QString& c : {QStringLiteral("ID_KCTOBLAST"), QStringLiteral("KCT_CISLO")})
            if (org->ColumnIndex(c) >= 0)
                odbor += org->GetText(c);
    ui->lblOdbor->setText(odbor);
    ui->tabMain->setCurrentWidget(ui->tabOsobni);
    ui->txtPrijmeni->setFocus();
}

void TfrmClen::ClearData()
{
    ui->lblNazev->SetCaption(QStringLiteral("Nový člen"));
    for (QLineEdit* e : findChildren<QLineEdit*>())
        if (e->parent() != ui->cmbKategorie && e->parent() != ui->cmbRodTyp && e != ui->dtmClenstvi->findChild<QLineEdit*>())
            e->clear();
    ui->rtePoznamka->clear();
    for (QLabel* l : {ui->lblPohlavi, ui->lblVek, ui->lblVekVRoce, ui->lblDatumNarozeni})
        l->setText(QStringLiteral("-"));
    ui->cmbKategorie->setCurrentIndex(0);
    ui->dtmClenstvi->setDate(Clock::today());
    ui->chkEurobeds->setChecked(false);
    ui->chkPlavec->setChecked(false);
    ui->chkClen->setChecked(true);
    ui->chkAdresaRuzna->setChecked(false);
    birthNumberModCheck();
    m_idHodn = Null;
    m_fotka.clear();
    membershipRules();
    permanentAddressRule();
    showPhoto();
    ui->lstAkce->Model()->Clear();
    m_rodice->Refill();
}

void TfrmClen::LoadData()
{
    auto q = xProcCall(QStringLiteral("CL_Clen_DETAIL"), {ID}, {}, true);
    if (!q->Fetch())
        throw TTalbreckException(QStringLiteral("Člen již v evidenci není."));
    ui->txtPrijmeni->setText(q->GetText(QStringLiteral("Prijmeni")));
    ui->txtJmeno->setText(q->GetText(QStringLiteral("Jmeno")));
    ui->txtPrezdivka->setText(q->GetText(QStringLiteral("Prezdivka")));
    const QString rc = q->GetText(QStringLiteral("RC"));
    ui->txtRC1->setText(rc.left(6));
    ui->txtRC2->setText(rc.mid(7, 4));
    ui->lblPohlavi->setText(q->IsNull(QStringLiteral("Pohlavi")) ? QStringLiteral("-") : q->GetText(QStringLiteral("Pohlavi")));
    ui->lblVek->setText(q->IsNull(QStringLiteral("Vek")) ? QStringLiteral("-") : q->GetText(QStringLiteral("Vek")));
    ui->lblVekVRoce->setText(q->IsNull(QStringLiteral("VekVRoce")) ? QStringLiteral("-") : q->GetText(QStringLiteral("VekVRoce")));
    ui->lblDatumNarozeni->setText(q->IsNull(QStringLiteral("DatumNarozeni")) ? QStringLiteral("-")
                                                                             : DateToText(q->GetDate(QStringLiteral("DatumNarozeni"))));
    ui->txtBydlUlice->setText(q->GetText(QStringLiteral("Ulice")));
    ui->txtBydlCP->setText(q->GetText(QStringLiteral("CP")));
    ui->txtBydlPSC->setText(q->GetText(QStringLiteral("PSC")));
    ui->txtBydlMesto->setText(q->GetText(QStringLiteral("Mesto")));
    ui->txtTrvUlice->setText(q->GetText(QStringLiteral("Trvale_Ulice")));
    ui->txtTrvCP->setText(q->GetText(QStringLiteral("Trvale_CP")));
    ui->txtTrvPSC->setText(q->GetText(QStringLiteral("Trvale_PSC")));
    ui->txtTrvMesto->setText(q->GetText(QStringLiteral("Trvale_Mesto")));
    ui->txtTelefon->setText(q->GetText(QStringLiteral("Telefon")));
    ui->txtTelefon2->setText(q->GetText(QStringLiteral("Telefon2")));
    ui->txtMobil->setText(q->GetText(QStringLiteral("Mobil")));
    ui->txtMail->setText(q->GetText(QStringLiteral("Mail")));
    ui->rtePoznamka->setPlainText(q->GetText(QStringLiteral("Poznamka")));
    ui->chkPlavec->setChecked(q->GetInteger(QStringLiteral("Plavec")) == 1);
    const bool differs = ui->txtTrvUlice->text() != ui->txtBydlUlice->text() || ui->txtTrvCP->text() != ui->txtBydlCP->text()
                         || ui->txtTrvPSC->text() != ui->txtBydlPSC->text() || ui->txtTrvMesto->text() != ui->txtBydlMesto->text();
    ui->chkAdresaRuzna->setChecked(differs);
    permanentAddressRule();
    const bool member = q->GetInteger(QStringLiteral("Clen")) == 1;
    ui->chkClen->setChecked(member);
    if (member) {
        ui->dtmClenstvi->setDate(q->IsNull(QStringLiteral("Clenstvi")) ? Clock::today() : q->GetDate(QStringLiteral("Clenstvi")));
        ui->txtPrukazKCT->setText(q->GetText(QStringLiteral("PrukazKCT")));
        const QString kategorie = q->GetText(QStringLiteral("ID_Kategorie"));
        if (!ui->cmbKategorie->SelectID(kategorie)) {
            // A category since deleted stays what the person has.
            xDB2Combo(ui->cmbKategorie, xProcCall(QStringLiteral("cl_kategorie_all"), {kategorie}, {}, true));
            ui->cmbKategorie->SelectID(kategorie);
        }
        ui->chkEurobeds->setChecked(q->GetInteger(QStringLiteral("EuroBeds")) != 0);
    }
    membershipRules();
    m_idHodn = q->GetValue(QStringLiteral("ID_Hodn"));
    m_fotka = q->GetText(QStringLiteral("Fotka"));
    q.reset();
    birthNumberModCheck();
    updateHeader();
    showPhoto();

    QLineEdit* values[] = {ui->txtC01, ui->txtC02, ui->txtC03, ui->txtC04, ui->txtC05};
    auto h = xProcCall(QStringLiteral("vl_hodn_all"), {m_idHodn}, {}, true);
    const bool hasValues = h->Fetch();
    for (int i = 0; i < 5; ++i)
        values[i]->setText(hasValues ? h->GetText(QStringLiteral("CL_") + QString::number(i + 1)) : QString());
    h.reset();
    loadEvents();
    m_rodice->Refill();
}

void TfrmClen::loadEvents()
{
    ui->lstAkce->OpenResult(xProcCall(QStringLiteral("AK_Akce_CLEN"), {ID, Null, Null, Null}, {}, true));
}

bool TfrmClen::SaveData()
{
    if (!BirthNumberDateValid(ui->txtRC1->text())) {
        ShowWarning(QStringLiteral("Rodné číslo je neplatné"));
        ui->tabMain->setCurrentWidget(ui->tabOsobni);
        ui->txtRC1->setFocus();
        return false;
    }
    if (ui->rtePoznamka->toPlainText().size() > 9999) {
        ShowWarning(QStringLiteral("Poznámka může mít nejvýše 9999 znaků."));
        ui->tabMain->setCurrentWidget(ui->tabPoznamka);
        ui->rtePoznamka->setFocus();
        return false;
    }
    const bool member = ui->chkClen->isChecked();
    if (!member) {
        ui->chkEurobeds->setChecked(false);
        ui->cmbKategorie->setCurrentIndex(0);
        ui->txtPrukazKCT->clear();
        ui->dtmClenstvi->setDate(Clock::today());
    }
    if (!ui->chkAdresaRuzna->isChecked())
        permanentAddressRule();
    const QVariantList values = {ui->txtPrijmeni->text(), ui->txtJmeno->text(), ui->txtPrezdivka->text(),
                                 ui->txtRC1->text() + QStringLiteral("/") + ui->txtRC2->text(), m_fotka, ui->dtmClenstvi->date(),
                                 ui->chkEurobeds->isChecked(), ui->txtPrukazKCT->text(),
                                 member ? ui->cmbKategorie->SelectedID() : Null, member, ui->chkPlavec->isChecked(),
                                 ui->txtC01->text(), ui->txtC02->text(), ui->txtC03->text(), ui->txtC04->text(), ui->txtC05->text(),
                                 ui->rtePoznamka->toPlainText()};
    try {
        if (ID < 1) {
            auto q = xProcCall(QStringLiteral("cl_clen_new"), values, {}, true);
            q->Fetch();
            ID = static_cast<int>(q->GetInteger(QStringLiteral("ID_Clen")));
        } else {
            xProcCall(QStringLiteral("cl_clen_edit"), QVariantList{ID} + values);
        }
        xProcCall(QStringLiteral("CL_Clen_Kontakt_EDIT"),
                  {ID, ui->txtTelefon->text(), ui->txtTelefon2->text(), ui->txtMobil->text(), ui->txtMail->text()});
        xProcCall(QStringLiteral("CL_Clen_Adresa_EDIT"), {ID, QStringLiteral("bydliste"), ui->txtBydlUlice->text(), ui->txtBydlCP->text(),
                                                          ui->txtBydlPSC->text(), ui->txtBydlMesto->text()});
        xProcCall(QStringLiteral("CL_Clen_Adresa_EDIT"), {ID, QStringLiteral("trvale"), ui->txtTrvUlice->text(), ui->txtTrvCP->text(),
                                                          ui->txtTrvPSC->text(), ui->txtTrvMesto->text()});
        m_rodice->Save(ID);
    } catch (const TTalbreckDBException& e) {
        if (e.Severity() != 3)
            throw;
        ShowDBMessage(e);
        return false;
    }
    return true;
}

void TfrmClen::Tisk()
{
    if (!PrepareForPrint())
        return;
    TReportDataList sets;
    const auto ds = [&sets](const QString& name, const QString& proc, const QVariantList& args) {
        sets.push_back(xReportDataSet(name, xProcText(proc, args, {}, true)));
    };
    ds(QStringLiteral("dsClenove"), QStringLiteral("CL_Clen_DETAIL"), {ID});
    ds(QStringLiteral("dsAkce"), QStringLiteral("AK_Akce_CLEN"), {ID, Null, Null, Null});
    ds(QStringLiteral("dsVlastnosti"), QStringLiteral("vl_hodn_all"), {m_idHodn});
    ds(QStringLiteral("dsRodice"), QStringLiteral("CL_RODIC_ALL"), {ID, Null});
    ds(QStringLiteral("dsSloupce"), QStringLiteral("vl_sloupec_all"), {1}); // the captions of the user values
    // The picture the card prints: the person's photo, the default one when
    // there is none or its file is missing (the stored name stays as it is).
    const QString photo = PhotoDir() + m_fotka;
    auto fotka = std::make_unique<TReportMemTable>(QStringLiteral("dsFotka"), QStringList{QStringLiteral("SOUBOR")});
    fotka->AppendRow({!m_fotka.isEmpty() && QFileInfo(photo).isFile() ? photo : DefaultPhotoPath()});
    sets.push_back(std::move(fotka));
    PrintFromWindow(this, std::move(sets));
}

void TfrmClen::SetPhoto(const QString& path)
{
    const QString name = ImportPhoto(path);
    if (name.isEmpty()) {
        ShowWarning(QStringLiteral("Fotografii \"") + path + QStringLiteral("\" nelze použít."));
        return;
    }
    m_fotka = name;
    showPhoto();
}

void TfrmClen::showPhoto()
{
    // A missing file changes only the picture shown, never the stored name.
    const QString file = PhotoDir() + m_fotka;
    QPixmap picture;
    if (m_fotka.isEmpty() || !QFileInfo(file).isFile() || !picture.load(file))
        picture.load(DefaultPhotoPath());
    const QSize room(250, 340);
    ui->imgFotka->setPixmap(picture.isNull() ? QPixmap() : picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TfrmClen::updateHeader()
{
    QString text = ui->txtPrijmeni->text() + QStringLiteral(" ") + ui->txtJmeno->text();
    if (!ui->txtPrezdivka->text().isEmpty())
        text += QStringLiteral(" - ") + ui->txtPrezdivka->text();
    ui->lblNazev->SetCaption(text);
}

bool TfrmClen::eventFilter(QObject* watched, QEvent* event)
{
    // A whole birth number pasted into the first part fills both parts.
    if (watched == ui->txtRC1 && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        static const QRegularExpression whole(QStringLiteral("^\\s*(\\d{6})\\s*/?\\s*(\\d{3,4})\\s*$"));
        const QRegularExpressionMatch m = whole.match(QGuiApplication::clipboard()->text());
        if (m.hasMatch()) {
            ui->txtRC1->setText(m.captured(1));
            ui->txtRC2->setText(m.captured(2));
            ui->txtRC2->setFocus();
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        if (watched == ui->txtRC1 || watched == ui->txtRC2)
            birthNumberLeft();
        else
            updateHeader();
    }
    return TSFormDetail::eventFilter(watched, event);
}

void TfrmClen::birthNumberModCheck()
{
    const bool fails = BirthNumberCheckFails(ui->txtRC1->text(), ui->txtRC2->text());
    ui->lblModCheck->setVisible(fails);
    ui->txtRC1->setToolTip(fails ? kModHint : QString());
    ui->txtRC2->setToolTip(fails ? kModHint : QString());
}

void TfrmClen::birthNumberLeft()
{
    if (!ui->txtRC1->text().isEmpty())
        ui->txtRC1->setText(ZeroPad(ui->txtRC1->text(), 6));
    for (QLabel* l : {ui->lblPohlavi, ui->lblVek, ui->lblVekVRoce, ui->lblDatumNarozeni})
        l->setText(QStringLiteral("-"));
    if (BirthNumberDateValid(ui->txtRC1->text())) {
        auto q = xProcCall(QStringLiteral("CL_RC"), {ui->txtRC1->text() + QStringLiteral("/") + ui->txtRC2->text()}, {}, true);
        if (q->Fetch() && !q->IsNull(QStringLiteral("Vek"))) {
            ui->lblPohlavi->setText(q->GetText(QStringLiteral("Pohlavi")));
            ui->lblVek->setText(q->GetText(QStringLiteral("Vek")));
            ui->lblVekVRoce->setText(q->GetText(QStringLiteral("VekVRoce")));
            ui->lblDatumNarozeni->setText(DateToText(q->GetDate(QStringLiteral("DatumNarozeni"))));
            const QString current = ui->cmbKategorie->SelectedID().toString();
            if (current != kVedouci && current != kOstatni)
                ui->cmbKategorie->SelectID(CategoryByAge(static_cast<int>(q->GetInteger(QStringLiteral("Vek")))));
        }
    }
    if (!ui->chkClen->isChecked())
        ui->cmbKategorie->SelectID(kOstatni);
}

void TfrmClen::membershipRules()
{
    const bool member = ui->chkClen->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(ui->cmbKategorie), static_cast<QWidget*>(ui->dtmClenstvi),
                       static_cast<QWidget*>(ui->txtPrukazKCT), static_cast<QWidget*>(ui->chkEurobeds)})
        w->setEnabled(member);
    if (!member)
        ui->cmbKategorie->SelectID(kOstatni);
}

void TfrmClen::permanentAddressRule()
{
    const bool own = ui->chkAdresaRuzna->isChecked();
    const std::pair<QLineEdit*, QLineEdit*> pairs[] = {{ui->txtBydlUlice, ui->txtTrvUlice},
                                                       {ui->txtBydlCP, ui->txtTrvCP},
                                                       {ui->txtBydlPSC, ui->txtTrvPSC},
                                                       {ui->txtBydlMesto, ui->txtTrvMesto}};
    for (const auto& [from, to] : pairs) {
        to->setEnabled(own);
        if (!own)
            to->setText(from->text());
    }
}
