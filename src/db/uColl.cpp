#include "db/uColl.h"

#include "core/uException.h"
#include "db/uDB_FB.h"

int TColl::indexOf(const QString& key) const
{
    for (qsizetype i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(key, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

void TColl::SetValue(const QString& key, const QVariant& value)
{
    const int i = indexOf(key);
    if (i >= 0) {
        m_values[i] = value;
        return;
    }
    m_names << key;
    m_values.push_back(value);
}

QVariant TColl::GetValue(const QString& key) const
{
    const int i = indexOf(key);
    return i >= 0 ? m_values[i] : QVariant(QString());
}

int TColl::Int(const QString& key) const
{
    const QVariant v = GetValue(key);
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    if (!ok)
        throw TTalbreckException(QStringLiteral("Nastavení \"") + key + QStringLiteral("\" nemá číselnou hodnotu: \"")
                                 + v.toString() + QStringLiteral("\"."));
    return n;
}

bool TColl::Is(const QString& key, const QVariant& value) const
{
    return VarEquals(GetValue(key), value);
}

bool VarEquals(const QVariant& a, const QVariant& b)
{
    bool okA = false;
    bool okB = false;
    const double x = a.toString().trimmed().toDouble(&okA);
    const double y = b.toString().trimmed().toDouble(&okB);
    if (okA && okB)
        return x == y;
    return a.toString() == b.toString();
}

void TColl::Load()
{
    m_names.clear();
    m_values.clear();
    auto q = xProcOpen(QStringLiteral("OD_Nastaveni_ALL"), true);
    while (q->Fetch())
        SetValue(q->GetText(QStringLiteral("ID")), q->GetText(QStringLiteral("Hodnota")));
}

void TColl::Save() const
{
    for (qsizetype i = 0; i < m_names.size(); ++i)
        xProcCall(QStringLiteral("od_nastaveni_upd"), {m_names[i], m_values[static_cast<size_t>(i)]});
}
