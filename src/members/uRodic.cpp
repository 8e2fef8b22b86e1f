#include "members/uRodic.h"

void TRodic::Load(const TSQLDB& row)
{
    TVirtualObject::Load(row);
    ID_Clen = row.GetValue(QStringLiteral("ID_Clen"));
    ID_Rodic_Typ = static_cast<int>(row.GetInteger(QStringLiteral("ID_Rodic_Typ")));
    Rodic_Typ = row.GetText(QStringLiteral("Rodic_Typ"));
    DisplayName = row.GetText(QStringLiteral("DisplayName"));
    Telefon = row.GetText(QStringLiteral("Telefon"));
    Mail = row.GetText(QStringLiteral("Mail"));
    Poznamka = row.GetText(QStringLiteral("Poznamka"));
    Primarni = row.GetInteger(QStringLiteral("Primarni")) == 1;
}

std::unique_ptr<TVirtualCollection> TRodic::NewCollection()
{
    return std::make_unique<TVirtualCollection>(1, [] { return std::make_unique<TRodic>(); });
}

QVariant TRodic::SaveNew()
{
    auto q = xProcCall(QStringLiteral("CL_RODIC_NEW"), {ID_Clen, DisplayName, Telefon, Mail, ID_Rodic_Typ, Poznamka, Primarni}, {}, true);
    q->Fetch();
    return q->GetValue(QStringLiteral("ID"));
}

void TRodic::SaveEdit()
{
    xProcCall(QStringLiteral("CL_RODIC_EDIT"), {ID, DisplayName, Telefon, Mail, ID_Rodic_Typ, Poznamka, Primarni});
}

void TRodic::SaveDelete()
{
    xProcCall(QStringLiteral("CL_RODIC_DEL"), {ID});
}
