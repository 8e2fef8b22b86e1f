#pragma once

#include "ui/uVirtualCollection.h"

// A parent or guardian of a member, edited in the member window and stored
// with the member.
class TRodic : public TVirtualObject
{
public:
    QVariant ID_Clen = Null;
    int ID_Rodic_Typ = 1;
    QString Rodic_Typ;
    QString DisplayName;
    QString Telefon;
    QString Mail;
    QString Poznamka;
    bool Primarni = false;

    void Load(const TSQLDB& row) override;

    // The parents' collection (kind 1) of a member window.
    static std::unique_ptr<TVirtualCollection> NewCollection();

protected:
    QVariant SaveNew() override;
    void SaveEdit() override;
    void SaveDelete() override;
};
