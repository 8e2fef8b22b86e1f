#include "ui/SCurrencyEdit.h"

#include "core/uSystem.h"

TSCurrencyEdit::TSCurrencyEdit(QWidget* parent)
    : TSNumericEdit(parent)
{
    ShowValue();
}

Money TSCurrencyEdit::Value()
{
    if (Editing())
        ReadText();
    return m_value;
}

void TSCurrencyEdit::SetValue(Money value)
{
    m_value = value;
    ShowValue();
}

void TSCurrencyEdit::ReadText()
{
    if (const std::optional<Money> m = Money::parse(text()))
        m_value = RoundToHundredthsEven(*m);
}

void TSCurrencyEdit::ShowValue()
{
    setText(Editing() ? m_value.toText(2, false) : MoneyToText(m_value));
}

Money RoundToHundredthsEven(Money value)
{
    constexpr std::int64_t step = Money::Scale / 100;
    const std::int64_t u = value.units();
    std::int64_t q = u / step; // toward zero
    const std::int64_t r = u % step;
    const std::int64_t half = step / 2;
    if (r > half || (r == half && q % 2 != 0))
        ++q;
    else if (r < -half || (r == -half && q % 2 != 0))
        --q;
    return Money::fromUnits(q * step);
}
