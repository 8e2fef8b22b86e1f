#include "ui/SEdit.h"

#include <QAction>
#include <QKeyEvent>

TSEdit::TSEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setMaxLength(255);
}

void TSEdit::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && Act_Find) {
        Act_Find->trigger();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
