#include "members/uClenRodice.h"
#include "ui_fClen.h"

#include "core/uDialogs.h"
#include "members/uRodic.h"
#include "resources/Images.h"
#include "ui/uDB_GUI.h"

#include <QAction>

TClenRodice::TClenRodice(Ui::TfrmClen* form, QWidget* owner)
    : QObject(nullptr)
    , ui(form)
    , m_owner(owner)
{
    const auto action = [this, owner](const QString& name, const QString& text, QToolButton* button, void (TClenRodice::*slot)()) {
        auto* a = new QAction(text, owner);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        button->setDefaultAction(a);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return a;
    };
    m_actRodicNovy = action(QStringLiteral("actRodicNovy"), QStringLiteral("&Nový"), ui->cmdRodicNovy, &TClenRodice::novy);
    m_actRodicUlozit = action(QStringLiteral("actRodicUlozit"), QStringLiteral("&Uložit"), ui->cmdRodicUlozit, &TClenRodice::ulozit);
    m_actRodicSmazat = action(QStringLiteral("actRodicSmazat"), QStringLiteral("&Smazat"), ui->cmdRodicSmazat, &TClenRodice::smazat);

    QList<QIcon> images(20);
    images[19] = ListIcon(19);
    ui->lstRod->SetImages(images);
    ui->lstRod->Sort = false;
    ui->lstRod->SetColumns({{QStringLiteral("Jméno"), 160}, {QStringLiteral("Telefon"), 110}, {QStringLiteral("Typ"), 90}});
    ui->lstRod->Act_Delete = m_actRodicSmazat;
    ui->lstRod->OnRowResultVirtual = [](TSListItem& item, TVirtualObject& object) {
        const auto& r = static_cast<TRodic&>(object);
        item.SetCaption(r.DisplayName);
        item.AddSubItem(r.Telefon);
        item.AddSubItem(r.Rodic_Typ);
        item.SetImageIndex(19);
    };
    connect(ui->lstRod, &TSListView::SelectItem, this, [this](int) { selected(); });

}

void TClenRodice::Load(int memberId)
{
    m_id = memberId;
    xTable2Combo(ui->cmbRodTyp, QStringLiteral("cl_rodic_typ"), false);
    auto parents = TRodic::NewCollection();
    parents->LoadFromResult(xProcCall(QStringLiteral("CL_RODIC_ALL"), {memberId, Null}, {}, true));
    ui->lstRod->SetCollection(std::move(parents));
    reset();
}

void TClenRodice::Save(int memberId)
{
    m_id = memberId;
    TVirtualCollection* parents = ui->lstRod->Collection();
    for (int i = 0; i < parents->Count(); ++i)
        parents->Item<TRodic>(i)->ID_Clen = memberId;
    parents->SaveAll();
}

void TClenRodice::reset()
{
    m_actRodicUlozit->setEnabled(false);
    m_actRodicSmazat->setEnabled(false);
    m_actRodicNovy->setEnabled(true);
    for (QLineEdit* e : {ui->txtRod_Jmeno, ui->txtRod_Telefon, ui->txtRod_Mail, ui->txtRod_Poznamka}) {
        e->clear();
        e->setEnabled(false);
    }
    // A kind shown only for a parent who has it (deleted since) leaves the list again.
    for (int i = ui->cmbRodTyp->count() - 1; i >= 0; --i)
        if (ui->cmbRodTyp->itemData(i, Qt::UserRole + 1).toBool())
            ui->cmbRodTyp->removeItem(i);
    ui->cmbRodTyp->setCurrentIndex(-1);
    ui->cmbRodTyp->setEnabled(false);
    ui->chkRodPrimarni->setChecked(false);
    ui->chkRodPrimarni->setEnabled(false);
}

void TClenRodice::selected()
{
    auto* r = static_cast<TRodic*>(ui->lstRod->SelectedObject());
    if (!r)
        return;
    reset();
    m_actRodicUlozit->setEnabled(true);
    m_actRodicSmazat->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(ui->txtRod_Jmeno), static_cast<QWidget*>(ui->txtRod_Telefon),
                       static_cast<QWidget*>(ui->txtRod_Mail), static_cast<QWidget*>(ui->txtRod_Poznamka),
                       static_cast<QWidget*>(ui->cmbRodTyp), static_cast<QWidget*>(ui->chkRodPrimarni)})
        w->setEnabled(true);
    ui->txtRod_Jmeno->setText(r->DisplayName);
    ui->txtRod_Telefon->setText(r->Telefon);
    ui->txtRod_Mail->setText(r->Mail);
    ui->txtRod_Poznamka->setText(r->Poznamka);
    ui->chkRodPrimarni->setChecked(r->Primarni);
    if (!ui->cmbRodTyp->SelectID(r->ID_Rodic_Typ)) {
        // The kind was deleted from the code list: it stays what is stored.
        ui->cmbRodTyp->AddWithID(r->Rodic_Typ, r->ID_Rodic_Typ);
        ui->cmbRodTyp->setItemData(ui->cmbRodTyp->count() - 1, true, Qt::UserRole + 1);
        ui->cmbRodTyp->SelectID(r->ID_Rodic_Typ);
    }
}

void TClenRodice::Refill()
{
    reset();
    ui->lstRod->Refill();
}

void TClenRodice::novy()
{
    const std::optional<QString> name = TextInputDialog(m_owner, QStringLiteral("Nový kontakt na rodiče"), QStringLiteral("Zadejte jméno rodiče"), {});
    if (!name || name->trimmed().isEmpty()) // a parent without a name could never be stored
        return;
    auto r = std::make_unique<TRodic>();
    r->ID_Clen = m_id;
    r->DisplayName = name->trimmed();
    TVirtualObject* added = ui->lstRod->Collection()->Add(std::move(r));
    Refill();
    ui->lstRod->SelectObject(added);
    selected();
}

void TClenRodice::ulozit()
{
    auto* r = static_cast<TRodic*>(ui->lstRod->SelectedObject());
    if (!r)
        return;
    r->Primarni = ui->chkRodPrimarni->isChecked();
    if (ui->cmbRodTyp->currentIndex() >= 0) {
        r->ID_Rodic_Typ = ui->cmbRodTyp->SelectedID().toInt();
        r->Rodic_Typ = ui->cmbRodTyp->currentText();
    }
    r->DisplayName = ui->txtRod_Jmeno->text();
    r->Telefon = ui->txtRod_Telefon->text();
    r->Mail = ui->txtRod_Mail->text();
    r->Poznamka = ui->txtRod_Poznamka->text();
    Refill();
}

void TClenRodice::smazat()
{
    TVirtualObject* object = ui->lstRod->SelectedObject();
    if (!object)
        return;
    if (!Confirm(QStringLiteral("Opravdu chcete smazat kontakt \"") + static_cast<TRodic*>(object)->DisplayName + QStringLiteral("\" ?")))
        return;
    ui->lstRod->Collection()->Remove(object);
    Refill();
}
