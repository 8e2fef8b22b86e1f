#include "core/uGUI.h"

#include "core/uRegistry.h"

#include <QDateEdit>
#include <QGuiApplication>
#include <QHeaderView>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>

void LimitPickerToYear(QDateEdit* picker, bool limit, int year)
{
    if (!limit) {
        picker->clearMinimumDate();
        picker->clearMaximumDate();
        return;
    }
    if (year <= 0)
        year = picker->date().year();
    picker->setDateRange(QDate(year, 1, 1), QDate(year, 12, 31));
}

bool PageControlKeys(QTabWidget* pages, int key, Qt::KeyboardModifiers modifiers)
{
    if (!(modifiers & Qt::ControlModifier) || pages->count() == 0)
        return false;
    int step = 0;
    if (key == Qt::Key_PageDown)
        step = 1;
    else if (key == Qt::Key_PageUp)
        step = -1;
    else
        return false;
    const int n = pages->count();
    pages->setCurrentIndex((pages->currentIndex() + step + n) % n);
    return true;
}

namespace {

QHeaderView* headerOf(QAbstractItemView* list)
{
    if (auto* table = qobject_cast<QTableView*>(list))
        return table->horizontalHeader();
    if (auto* tree = qobject_cast<QTreeView*>(list))
        return tree->header();
    return nullptr;
}

QString valueName(const QWidget* window, const QAbstractItemView* list, int column)
{
    return window->objectName() + QLatin1Char('_') + list->objectName() + QLatin1Char('_') + QString::number(column);
}

} // namespace

void LoadColumnWidths(const QWidget* window, QAbstractItemView* list, const QString& key)
{
    QHeaderView* header = headerOf(list);
    if (!header)
        return;
    auto reg = RegOpen(key);
    for (int i = 0; i < header->count(); ++i) {
        bool ok = false;
        const int w = reg->value(valueName(window, list, i), header->sectionSize(i)).toInt(&ok);
        if (ok && w > 0)
            header->resizeSection(i, w);
    }
}

void SaveColumnWidths(const QWidget* window, QAbstractItemView* list, const QString& key)
{
    QHeaderView* header = headerOf(list);
    if (!header)
        return;
    auto reg = RegOpen(key);
    for (int i = 0; i < header->count(); ++i)
        reg->setValue(valueName(window, list, i), header->sectionSize(i));
}

TWaitCursor::TWaitCursor()
    : m_on(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
{
    if (m_on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

TWaitCursor::~TWaitCursor()
{
    if (m_on)
        QGuiApplication::restoreOverrideCursor();
}
