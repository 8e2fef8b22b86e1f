#include "core/Money.h"

#include <QVariant>

namespace {

__extension__ typedef __int128 Int128;

std::int64_t pow10(int n)
{
    std::int64_t r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

// Division rounding half away from zero.
std::int64_t divRound(std::int64_t a, std::int64_t b)
{
    if (b < 0) {
        a = -a;
        b = -b;
    }
    const std::int64_t q = a / b;
    const std::int64_t r = a % b;
    if (2 * (r < 0 ? -r : r) >= b)
        return a < 0 ? q - 1 : q + 1;
    return q;
}

} // namespace

Money Money::fromScaled(std::int64_t value, int scale)
{
    const int shift = 4 + scale; // scale is 0 or negative
    if (shift >= 0)
        return fromUnits(value * pow10(shift));
    return fromUnits(divRound(value, pow10(-shift)));
}

Money Money::rounded(int decimals) const
{
    decimals = std::clamp(decimals, 0, 4);
    const std::int64_t step = pow10(4 - decimals);
    return fromUnits(divRound(m_units, step) * step);
}

Money Money::mulDiv(std::int64_t num, std::int64_t den) const
{
    const Int128 p = static_cast<Int128>(m_units) * num;
    Int128 q = p / den;
    Int128 r = p % den;
    if (r < 0)
        r = -r;
    const Int128 d = den < 0 ? -static_cast<Int128>(den) : den;
    if (2 * r >= d)
        q += ((p < 0) != (den < 0)) ? -1 : 1;
    return fromUnits(static_cast<std::int64_t>(q));
}

QString Money::toText(int decimals, bool groupThousands) const
{
    decimals = std::clamp(decimals, 0, 4);
    const std::int64_t step = pow10(4 - decimals);
    const std::int64_t v = divRound(m_units, step);
    const bool negative = v < 0;
    const std::uint64_t a = negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    const std::uint64_t div = static_cast<std::uint64_t>(pow10(decimals));
    const QString whole = QString::number(a / div);

    QString out;
    out.reserve(whole.size() + whole.size() / 3 + decimals + 2);
    if (negative)
        out += QLatin1Char('-');
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (groupThousands && i > 0 && (whole.size() - i) % 3 == 0)
            out += QLatin1Char(' ');
        out += whole[i];
    }
    if (decimals > 0) {
        out += QLatin1Char(',');
        out += QString::number(a % div).rightJustified(decimals, QLatin1Char('0'));
    }
    return out;
}

QString Money::toSqlLiteral() const
{
    const bool negative = m_units < 0;
    const std::uint64_t a = negative ? 0 - static_cast<std::uint64_t>(m_units) : static_cast<std::uint64_t>(m_units);
    QString s = QString::number(a / Scale);
    std::uint64_t frac = a % Scale;
    if (frac != 0) {
        QString f = QString::number(frac).rightJustified(4, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        s += QLatin1Char('.') + f;
    }
    return negative ? QLatin1Char('-') + s : s;
}

std::optional<Money> Money::parse(const QString& input)
{
    QString t = input.trimmed();
    if (t.endsWith(QStringLiteral("Kč")))
        t = t.chopped(2).trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t[0] == QLatin1Char('-');
        t = t.mid(1).trimmed();
    }
    std::int64_t whole = 0;
    std::int64_t frac = 0;
    int fracDigits = 0;
    int wholeDigits = 0;
    bool inFraction = false;
    int roundDigit = -1; // fifth decimal, for rounding
    for (const QChar c : std::as_const(t)) {
        if (c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F)) {
            if (inFraction)
                return std::nullopt;
            continue;
        }
        if (c == QLatin1Char(',') || c == QLatin1Char('.')) {
            if (inFraction)
                return std::nullopt;
            inFraction = true;
            continue;
        }
        if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
        const int d = c.unicode() - '0';
        if (!inFraction) {
            if (++wholeDigits > 14)
                return std::nullopt; // beyond NUMERIC(18,4)
            whole = whole * 10 + d;
        } else if (fracDigits < 4) {
            frac = frac * 10 + d;
            ++fracDigits;
        } else if (roundDigit < 0) {
            roundDigit = d;
        }
    }
    if (wholeDigits == 0 && fracDigits == 0)
        return std::nullopt;
    frac *= pow10(4 - fracDigits);
    std::int64_t units = whole * Scale + frac;
    if (roundDigit >= 5)
        ++units;
    return fromUnits(negative ? -units : units);
}

void RegisterMoneyMetaType()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QMetaType::registerConverter<Money, QString>([](const Money& m) { return m.toSqlLiteral().replace(QLatin1Char('.'), QLatin1Char(',')); });
    QMetaType::registerConverter<Money, double>([](const Money& m) { return static_cast<double>(m.units()) / Money::Scale; });
}
