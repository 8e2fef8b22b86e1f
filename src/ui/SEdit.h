#pragma once

#include <QLineEdit>
#include <QPointer>

class QAction;

// A one-line text box (at most 255 characters) whose Enter runs Act_Find:
// the filter fields of list windows search with it. Enter that runs the
// action goes no further, so a dialog's default button does not fire too.
class TSEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TSEdit(QWidget* parent = nullptr);

    QPointer<QAction> Act_Find;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
