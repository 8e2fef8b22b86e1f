#include "ui/SFloatEdit.h"

#include "core/Money.h"
#include "core/uSystem.h"

#include <QRegularExpression>

#include <cmath>

TSFloatEdit::TSFloatEdit(QWidget* parent)
    : TSNumericEdit(parent)
{
    ShowValue();
}

double TSFloatEdit::bounded(double value) const
{
    if (HasMinValue && value < MinValue)
        value = MinValue;
    if (HasMaxValue && value > MaxValue)
        value = MaxValue;
    return value;
}

double TSFloatEdit::Value()
{
    if (Editing())
        ReadText();
    return m_value;
}

void TSFloatEdit::SetValue(double value)
{
    m_value = value;
    ShowValue();
}

void TSFloatEdit::ReadText()
{
    const std::optional<double> v = ParseCzechNumber(text());
    if (!v)
        return;
    switch (FloatType) {
    case TFloatType::flFloat: m_value = *v; break;
    case TFloatType::flInteger: m_value = std::trunc(*v); break;
    // Whole hundredths, ties to the even one.
    case TFloatType::flCurrency: m_value = std::nearbyint(*v / 0.01) * 0.01; break;
    }
}

QString TSFloatEdit::ValueText(double value, bool editing) const
{
    switch (FloatType) {
    case TFloatType::flInteger: return QString::number(static_cast<qint64>(std::trunc(value)));
    case TFloatType::flCurrency: {
        const Money m = Money::fromUnits(std::llround(value * Money::Scale));
        return editing ? m.toText(2, false) : MoneyToText(m);
    }
    case TFloatType::flFloat: break;
    }
    // Only a pattern with exactly one number conversion is used.
    static const QRegularExpression onePattern(QStringLiteral("^[^%]*%[-+ 0#]*\\d*(\\.\\d+)?[fFeEgG][^%]*$"));
    QString s = !FloatFormat.isEmpty() && onePattern.match(FloatFormat).hasMatch()
                    ? QString::asprintf(FloatFormat.toLatin1().constData(), value)
                    : QString::number(value, 'g', 15);
    return s.replace(QLatin1Char('.'), QLatin1Char(','));
}

void TSFloatEdit::ShowValue()
{
    m_value = bounded(m_value);
    setText(ValueText(m_value, Editing()));
}
