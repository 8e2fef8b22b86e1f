#include "ui/SNumericEdit.h"

#include <QKeyEvent>
#include <QLocale>

#include <cmath>
#include <optional>

TSNumericEdit::TSNumericEdit(QWidget* parent)
    : TSEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

bool TSNumericEdit::accepts(QChar c) const
{
    if (c.isDigit() && c.unicode() < 128)
        return true;
    // The rules look at the text the key would leave: a selection is replaced.
    QString rest = text();
    int start = cursorPosition();
    if (hasSelectedText()) {
        start = selectionStart();
        rest.remove(start, selectedText().size());
    }
    if (c == QLatin1Char(','))
        return AllowsComma() && !rest.contains(QLatin1Char(','));
    if (c == QLatin1Char('-'))
        return start == 0 && !rest.contains(QLatin1Char('-'));
    return false;
}

void TSNumericEdit::keyPressEvent(QKeyEvent* event)
{
    const bool clipboard = event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste)
                           || event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo);
    if (clipboard) {
        if (AllowsClipboard())
            TSEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    }
    QString t = event->text();
    // The decimal key of the numeric keypad gives the comma, as on a Czech keyboard.
    if ((event->modifiers() & Qt::KeypadModifier) && (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma))
        t = QStringLiteral(",");
    if (t.isEmpty() || t.at(0).unicode() < 0x20 || t.at(0).unicode() == 0x7f) {
        TSEdit::keyPressEvent(event); // editing, moving and Enter
        return;
    }
    event->accept();
    if (t.size() == 1 && accepts(t.at(0)))
        insert(t);
}

void TSNumericEdit::focusInEvent(QFocusEvent* event)
{
    m_editing = true;
    ShowValue();
    TSEdit::focusInEvent(event);
}

void TSNumericEdit::focusOutEvent(QFocusEvent* event)
{
    TSEdit::focusOutEvent(event);
    if (!m_editing)
        return;
    ReadText();
    m_editing = false;
    ShowValue();
    Q_EMIT Exit();
}

std::optional<double> ParseCzechNumber(const QString& text)
{
    QString t = text.trimmed();
    t.remove(QLatin1Char(' '));
    t.remove(QChar(0x00A0));
    t.remove(QChar(0x202F));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}
