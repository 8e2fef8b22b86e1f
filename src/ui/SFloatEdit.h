#pragma once

#include "ui/SNumericEdit.h"

enum class TFloatType { flFloat, flInteger, flCurrency };

// A number box: a general number, a whole number or an amount of money
// carried as a floating-point value (use TSCurrencyEdit for exact money).
// The value is kept within the bounds that apply. Enter runs Act_Find.
class TSFloatEdit : public TSNumericEdit
{
    Q_OBJECT

public:
    explicit TSFloatEdit(QWidget* parent = nullptr);

    TFloatType FloatType = TFloatType::flFloat;
    // A printf pattern with one number ("%.2f") for showing flFloat values; empty: the shortest form.
    QString FloatFormat;
    double MinValue = 0;
    double MaxValue = 0;
    bool HasMinValue = false;
    bool HasMaxValue = false;

    // While the box is edited, reading the value reads its text first.
    double Value();
    // Shows the value (within the bounds) at once.
    void SetValue(double value);

protected:
    void ReadText() override;
    void ShowValue() override;
    bool AllowsComma() const override { return FloatType != TFloatType::flInteger; }

private:
    double bounded(double value) const;
    // The text of a value as the box shows it, edited or not.
    QString ValueText(double value, bool editing) const;

    double m_value = 0;
};
