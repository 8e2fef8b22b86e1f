#include "ui/SListModel.h"

#include "core/Money.h"
#include "core/uSystem.h"

#include <QCollator>
#include <QColor>
#include <QLocale>

#include <algorithm>
#include <numeric>

TSListModel::TSListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void TSListModel::SetColumns(const QList<TSColumn>& columns)
{
    beginResetModel();
    m_columns = columns;
    m_rows.clear();
    m_cells.clear();
    m_colors.clear();
    endResetModel();
}

void TSListModel::BeginFill()
{
    beginResetModel();
    m_filling = true;
    m_rows.clear();
    m_cells.clear();
    m_colors.clear();
}

int TSListModel::AddRow()
{
    m_rows.push_back({});
    m_cells.resize(m_cells.size() + m_columns.size());
    return static_cast<int>(m_rows.size()) - 1;
}

void TSListModel::EndFill()
{
    if (!m_filling)
        return;
    m_filling = false;
    endResetModel();
}

void TSListModel::Clear()
{
    BeginFill();
    EndFill();
}

void TSListModel::SetTextColor(int row, int column, const QColor& color)
{
    m_colors.insert(cellIndex(row, column), color);
}

QString TSListModel::Text(int row, int column) const
{
    const QVariant& v = m_cells[cellIndex(row, column)];
    if (!v.isValid() || v.isNull())
        return QString();
    if (v.metaType() == QMetaType::fromType<Money>())
        return MoneyToText(v.value<Money>());
    switch (v.metaType().id()) {
    case QMetaType::QDate: return DateToText(v.toDate());
    case QMetaType::QDateTime: return DateTimeToText(v.toDateTime());
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
    case QMetaType::Int:
    case QMetaType::LongLong:
        if (m_columns[column].kind == TSColumnKind::Money)
            return MoneyToText(Money::fromCrowns(v.toLongLong()));
        return v.toString();
    default: return v.toString();
    }
}

void TSListModel::SortByText(int column, bool ascending)
{
    if (column < 0 || column >= m_columns.size() || m_rows.empty())
        return;
    QCollator collator(QLocale{});
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = collator.compare(Text(a, column), Text(b, column));
        return ascending ? c < 0 : c > 0;
    });
    beginResetModel();
    std::vector<Row> rows;
    rows.reserve(m_rows.size());
    QList<QVariant> cells;
    cells.reserve(m_cells.size());
    QHash<qsizetype, QColor> colors;
    for (int from : order) {
        const int to = static_cast<int>(rows.size());
        rows.push_back(m_rows[from]);
        for (int c = 0; c < m_columns.size(); ++c) {
            cells.append(m_cells[cellIndex(from, c)]);
            if (auto it = m_colors.constFind(cellIndex(from, c)); it != m_colors.cend())
                colors.insert(cellIndex(to, c), *it);
        }
    }
    m_rows.swap(rows);
    m_cells.swap(cells);
    m_colors.swap(colors);
    endResetModel();
}

int TSListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || m_filling ? 0 : static_cast<int>(m_rows.size());
}

int TSListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant TSListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || m_filling)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return Text(index.row(), index.column());
    case Qt::TextAlignmentRole: {
        const TSColumnKind kind = m_columns[index.column()].kind;
        const bool right = kind == TSColumnKind::Money || kind == TSColumnKind::Number;
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    case Qt::DecorationRole: {
        const int image = m_rows[index.row()].image;
        if (index.column() == 0 && image >= 0 && image < m_images.size())
            return m_images[image];
        return {};
    }
    case Qt::ForegroundRole:
        if (auto it = m_colors.constFind(cellIndex(index.row(), index.column())); it != m_colors.cend())
            return *it;
        return {};
    default: return {};
    }
}

QVariant TSListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].caption;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignLeft);
    return {};
}

bool TSListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    // The locale file renames columns this way.
    if (orientation != Qt::Horizontal || role != Qt::EditRole || section < 0 || section >= m_columns.size())
        return false;
    m_columns[section].caption = value.toString();
    Q_EMIT headerDataChanged(orientation, section, section);
    return true;
}
