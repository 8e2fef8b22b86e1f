#include "ui/SPicker.h"

#include "db/uDB_FB.h"

#include <QLocale>

namespace {

// The value of an ID as a whole number, when it is one.
bool integerOf(const QVariant& v, qint64& out)
{
    bool ok = false;
    if (v.metaType().id() == QMetaType::QString)
        out = v.toString().trimmed().toLongLong(&ok);
    else if (v.metaType().id() != QMetaType::Double)
        out = v.toLongLong(&ok);
    return ok;
}

bool numberOf(const QVariant& v, double& out)
{
    bool ok = false;
    if (v.metaType().id() == QMetaType::QString)
        out = QLocale::c().toDouble(v.toString().trimmed(), &ok);
    else
        out = v.toDouble(&ok);
    return ok;
}

} // namespace

bool SameID(const QVariant& a, const QVariant& b)
{
    const bool aNull = VarIsNull(a);
    const bool bNull = VarIsNull(b);
    if (aNull || bNull)
        return aNull && bNull;
    qint64 ia = 0;
    qint64 ib = 0;
    if (integerOf(a, ia) && integerOf(b, ib))
        return ia == ib;
    double da = 0;
    double db = 0;
    const bool na = numberOf(a, da);
    const bool nb = numberOf(b, db);
    if (na && nb)
        return da == db;
    if (na != nb)
        return false;
    return a.toString() == b.toString();
}
