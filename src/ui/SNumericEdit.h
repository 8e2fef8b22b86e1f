#pragma once

#include "ui/SEdit.h"

#include <optional>

// The common part of the number and money boxes: only digits, one decimal
// comma (when allowed), one leading minus and editing keys get in; the value
// is shown formatted while the box is not edited and in a plain form while
// it is. Texts are read and written in the fixed Czech form (decimal comma,
// blanks between thousands) whatever the system locale.
class TSNumericEdit : public TSEdit
{
    Q_OBJECT

public:
    explicit TSNumericEdit(QWidget* parent = nullptr);

Q_SIGNALS:
    // The box was left and its value is read and shown again.
    void Exit();

protected:
    // Reads the text into the value; a text that is no number keeps the value.
    virtual void ReadText() = 0;
    // Shows the value, plain while edited.
    virtual void ShowValue() = 0;
    virtual bool AllowsComma() const { return true; }
    // Whether Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z work in the box.
    virtual bool AllowsClipboard() const { return true; }
    bool Editing() const { return m_editing; }

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool accepts(QChar c) const;

    bool m_editing = false;
};

// A number from a text in the Czech form ("-1 234,5"; a decimal point is
// taken too); nothing for an empty or unreadable text.
std::optional<double> ParseCzechNumber(const QString& text);
