#pragma once

#include <QMetaType>
#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

// An exact amount of money: a 64-bit count of ten-thousandths of a crown,
// the same scale as the database's NUMERIC(18,4). Never converted through a
// double, so sums of many documents stay exact to the last haléř.
class Money
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(std::int64_t tenThousandths) { Money m; m.m_units = tenThousandths; return m; }
    static constexpr Money fromCrowns(std::int64_t crowns) { return fromUnits(crowns * Scale); }
    // A database value with the given decimal scale (as reported by the engine:
    // -2 for NUMERIC(x,2)). Digits below a ten-thousandth are rounded half away from zero.
    static Money fromScaled(std::int64_t value, int scale);

    constexpr std::int64_t units() const { return m_units; }
    constexpr bool isZero() const { return m_units == 0; }

    // Text in the fixed Czech form: "-1 234,50" (no currency). Exactly `decimals`
    // digits after the comma, rounded half away from zero.
    QString toText(int decimals = 2, bool groupThousands = true) const;
    // The literal for an SQL text: "-1234.5" (point, trailing zeros dropped).
    QString toSqlLiteral() const;

    // Reads "1 234,50", "1234.5", "-12", "+3,1 Kč", with blanks or no-break
    // blanks between thousands. More than four decimals are rounded half away
    // from zero. Returns nothing for anything else, including an empty text.
    static std::optional<Money> parse(const QString& text);

    // The amount multiplied by num/den, rounded half away from zero to a ten-thousandth
    // (rates, shares and percentages stay exact fractions).
    Money mulDiv(std::int64_t num, std::int64_t den) const;
    // The amount rounded to the given number of decimals (0..4), half away from zero.
    Money rounded(int decimals) const;

    constexpr Money operator-() const { return fromUnits(-m_units); }
    constexpr Money operator+(Money o) const { return fromUnits(m_units + o.m_units); }
    constexpr Money operator-(Money o) const { return fromUnits(m_units - o.m_units); }
    constexpr Money operator*(std::int64_t k) const { return fromUnits(m_units * k); }
    constexpr Money& operator+=(Money o) { m_units += o.m_units; return *this; }
    constexpr Money& operator-=(Money o) { m_units -= o.m_units; return *this; }
    constexpr auto operator<=>(const Money&) const = default;

private:
    std::int64_t m_units = 0;
};

Q_DECLARE_METATYPE(Money)

// Lets QVariant turn a Money into text and numbers; called once at start.
void RegisterMoneyMetaType();
