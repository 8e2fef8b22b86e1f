#include "ui/SListView.h"

#include "core/uGUI.h"
#include "core/uProject.h"
#include "core/uRegistry.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>

TSListView::TSListView(QWidget* parent)
    : QTableView(parent)
    , m_model(new TSListModel(this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    // Fixed row heights keep a list of 100,000 rows as quick as a short one.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) { ColumnClick(column); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection&) { selectionChanged_(selected); });
}

TSListView::~TSListView()
{
    SaveLayout();
}

void TSListView::SetColumns(const QList<TSColumn>& columns)
{
    m_model->SetColumns(columns);
    for (int i = 0; i < columns.size(); ++i)
        horizontalHeader()->resizeSection(i, columns[i].width);
    ColumnsChanged();
    LoadLayout();
}

QWidget* TSListView::OwnerForm() const
{
    if (m_owner)
        return m_owner;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (w->inherits("TSForm"))
            return w;
    return window();
}

QString TSListView::layoutKey() const
{
    return Project() ? Project()->RegKey + QStringLiteral("\\LV") : QString();
}

void TSListView::LoadLayout()
{
    QWidget* owner = OwnerForm();
    const QString key = layoutKey();
    if (key.isEmpty() || !owner || owner == this)
        return;
    LoadColumnWidths(owner, this, key);
    const QString prefix = owner->objectName() + QLatin1Char('_') + objectName() + QLatin1Char('_');
    SortAsc = RegReadInt(key, prefix + QStringLiteral("asc"), SortAsc ? 1 : 0) != 0;
    SortColumn = RegReadInt(key, prefix + QStringLiteral("column"), SortColumn);
    m_layoutOwner = owner;
    UpdateSortIndicator();
}

void TSListView::SaveLayout()
{
    const QString key = layoutKey();
    if (key.isEmpty() || !m_layoutOwner)
        return;
    SaveColumnWidths(m_layoutOwner, this, key);
    const QString prefix = m_layoutOwner->objectName() + QLatin1Char('_') + objectName() + QLatin1Char('_');
    RegWrite(key, prefix + QStringLiteral("asc"), SortAsc ? 1 : 0);
    RegWrite(key, prefix + QStringLiteral("column"), SortColumn);
}

void TSListView::UpdateSortIndicator()
{
    const bool shown = ShowsSortOrder() && SortColumn >= 0 && SortColumn < m_model->columnCount();
    horizontalHeader()->setSortIndicatorShown(shown);
    if (shown)
        horizontalHeader()->setSortIndicator(SortColumn, SortAsc ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TSListView::ColumnClick(int column)
{
    if (Sort) {
        SortColumn = column;
        SortAsc = !SortAsc;
        const qint64 id = SelectedID();
        const bool hadSelection = SelectedIndex() >= 0;
        m_model->SortByText(column, SortAsc);
        if (hadSelection)
            SelectID(id);
    }
    UpdateSortIndicator();
}

int TSListView::SelectedIndex() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

qint64 TSListView::SelectedID() const
{
    const int row = SelectedIndex();
    return row < 0 ? 0 : m_model->ID(row);
}

bool TSListView::SelectID(qint64 id)
{
    for (int row = 0; row < m_model->Count(); ++row) {
        if (m_model->ID(row) == id) {
            SelectRow(row);
            return true;
        }
    }
    return false;
}

void TSListView::SelectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index, QAbstractItemView::EnsureVisible);
}

void TSListView::SelectAfterFill(int found, int oldIndex, bool lastWhenPastEnd)
{
    const int count = m_model->Count();
    if (found >= 0) {
        SelectRow(found);
    } else if (count > 0) {
        if (!SelectFirst)
            SelectRow(count - 1);
        else if (oldIndex < 0)
            SelectRow(0);
        else if (oldIndex < count)
            SelectRow(oldIndex);
        else
            SelectRow(lastWhenPastEnd ? count - 1 : 0);
    }
    if (SelectedIndex() < 0)
        DisableActions();
}

void TSListView::DisableActions()
{
    if (Act_Detail)
        Act_Detail->setEnabled(false);
    if (Act_Delete)
        Act_Delete->setEnabled(false);
}

void TSListView::selectionChanged_(const QItemSelection& selected)
{
    const int row = SelectedIndex();
    if (row < 0)
        DisableActions();
    else if (!selected.isEmpty())
        Q_EMIT SelectItem(row);
}

void TSListView::keyPressEvent(QKeyEvent* event)
{
    // Accepting the key keeps a dialog's default button from firing as well.
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && Act_Detail) {
        Act_Detail->trigger();
        event->accept();
        return;
    }
    if (key == Qt::Key_Delete && Act_Delete) {
        Act_Delete->trigger();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TSListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    const int row = SelectedIndex();
    if (row < 0)
        return;
    if (Act_Detail)
        Act_Detail->trigger();
    else
        Q_EMIT DblSelectItem(row);
}

QString FillTimeText(qint64 ms, bool withMinutes)
{
    const QString tail = QStringLiteral("%1:%2").arg((ms / 1000) % 60, 2, 10, QLatin1Char('0')).arg(ms % 1000, 3, 10, QLatin1Char('0'));
    if (!withMinutes)
        return tail;
    return QStringLiteral("%1:").arg(ms / 60000, 2, 10, QLatin1Char('0')) + tail;
}

TSListFillScope::TSListFillScope(TSListModel* model)
    : m_model(model)
    , m_cursor(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
{
    if (m_cursor)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_model->BeginFill();
}

TSListFillScope::~TSListFillScope()
{
    m_model->EndFill();
    if (m_cursor)
        QGuiApplication::restoreOverrideCursor();
}
