#include "members/uRodneCislo.h"

#include <QDate>

namespace {

bool allDigits(const QString& s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

bool BirthNumberDateValid(const QString& first)
{
    if (first.size() != 6 || !allDigits(first))
        return false;
    const int yy = first.left(2).toInt();
    int mm = first.mid(2, 2).toInt();
    const int dd = first.mid(4, 2).toInt();
    if (mm >= 71 && mm <= 82)
        mm -= 70;
    else if (mm >= 51 && mm <= 62)
        mm -= 50;
    else if (mm >= 21 && mm <= 32)
        mm -= 20;
    return QDate::isValid(2000 + yy, mm, dd);
}

bool BirthNumberCheckFails(const QString& first, const QString& second)
{
    if (second.isEmpty() || first.isEmpty() || !allDigits(first + second))
        return false;
    if (second.size() == 3 && first.size() == 6 && first.left(2).toInt() <= 53)
        return false;
    const qint64 n = (first + second).toLongLong();
    if (n % 11 == 0)
        return false;
    return !((first + second).size() == 10 && (n / 10) % 11 == 10 && n % 10 == 0);
}

QString CategoryByAge(int age)
{
    if (age < 15)
        return QStringLiteral("zactvo");
    if (age < 18)
        return QStringLiteral("dorost");
    if (age < 26)
        return QStringLiteral("juniori");
    return QStringLiteral("vedouci");
}
