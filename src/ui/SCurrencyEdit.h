#pragma once

#include "ui/SNumericEdit.h"

#include "core/Money.h"

// An exact money box: shows "1 234,50" while not edited and "1234,50" while
// edited; what is typed is read to whole hundredths (ties to the even one).
// Clipboard keys do not work in it.
class TSCurrencyEdit : public TSNumericEdit
{
    Q_OBJECT

public:
    explicit TSCurrencyEdit(QWidget* parent = nullptr);

    // While the box is edited, reading the value reads its text first.
    Money Value();
    void SetValue(Money value);

protected:
    void ReadText() override;
    void ShowValue() override;
    bool AllowsClipboard() const override { return false; }

private:
    Money m_value;
};

// The amount rounded to whole hundredths, a tie going to the even hundredth.
Money RoundToHundredthsEven(Money value);
