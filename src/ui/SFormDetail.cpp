#include "ui/SFormDetail.h"

#include "core/uDialogs.h"
#include "core/uGUI.h"

#include <QAbstractButton>
#include <QAction>
#include <QTabWidget>

TSFormDetail::TSFormDetail(QWidget* parent)
    : TSForm(parent)
{
    // Shortcuts, so that the key turns every page control and not only the
    // one holding the focus.
    const auto pageKey = [this](const QString& name, int key) {
        auto* a = new QAction(this);
        a->setObjectName(name);
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(key)));
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
        connect(a, &QAction::triggered, this, [this, key] { turnPages(key); });
    };
    pageKey(QStringLiteral("actDalsiStranka"), Qt::Key_PageDown);
    pageKey(QStringLiteral("actPredchoziStranka"), Qt::Key_PageUp);
}

void TSFormDetail::turnPages(int key)
{
    for (QTabWidget* pages : findChildren<QTabWidget*>())
        PageControlKeys(pages, key, Qt::ControlModifier);
}

void TSFormDetail::Created()
{
    TSForm::Created();
    if (auto* save = findChild<QAbstractButton*>(QStringLiteral("cmdUlozit")))
        connect(save, &QAbstractButton::clicked, this, &TSFormDetail::Ulozit);
    for (const QString& name : {QStringLiteral("cmdZavrit"), QStringLiteral("cmdStorno")})
        if (auto* cancel = findChild<QAbstractButton*>(name))
            connect(cancel, &QAbstractButton::clicked, this, &TSFormDetail::reject);
}

int TSFormDetail::OpenDetail(int id)
{
    ID = id;
    FillPickers();
    if (id != 0)
        LoadData();
    else
        ClearData();
    return ShowModal();
}

void TSFormDetail::Ulozit()
{
    if (SaveData())
        done(mrOK);
}

void TSFormDetail::reject()
{
    done(mrCancel);
}

bool TSFormDetail::PrepareForPrint()
{
    if (ID != 0)
        return SaveData();
    if (!Confirm(QStringLiteral("Před tiskem musí být položka uložena. Chcete položku uložit?")))
        return false;
    if (!SaveData())
        return false;
    LoadData();
    return true;
}
