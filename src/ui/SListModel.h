#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QStringList>
#include <QVariant>

#include <vector>

class TVirtualObject;

// How a column shows its values: texts as they are, numbers and money right
// aligned, money as "1 234,50", dates as "dd.mm.yyyy".
enum class TSColumnKind { Text, Number, Money, Date };

// One column of a list. `field` names the result column shown here (empty:
// the window fills it in OnRowResult); `width` is the design width.
struct TSColumn
{
    QString caption;
    int width = 100;
    QString field;
    TSColumnKind kind = TSColumnKind::Text;
};

// The rows of a list: each row keeps its record's ID (or object) and its raw
// values; texts are made only for the rows on screen, so filling 100,000 rows
// costs little more than fetching them.
class TSListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TSListModel(QObject* parent = nullptr);

    void SetColumns(const QList<TSColumn>& columns);
    const QList<TSColumn>& Columns() const { return m_columns; }
    void SetImages(const QList<QIcon>& images) { m_images = images; }

    // Filling: between BeginFill and EndFill no view hears of single rows.
    void BeginFill();
    int AddRow();
    void EndFill();
    void Clear();

    // The rows held, also while a fill is running (when views see none).
    int Count() const { return static_cast<int>(m_rows.size()); }
    qint64 ID(int row) const { return m_rows[row].id; }
    void SetID(int row, qint64 id) { m_rows[row].id = id; }
    TVirtualObject* Object(int row) const { return m_rows[row].object; }
    void SetObject(int row, TVirtualObject* object) { m_rows[row].object = object; }
    void SetImage(int row, int imageIndex) { m_rows[row].image = imageIndex; }
    int Image(int row) const { return m_rows[row].image; }
    void SetValue(int row, int column, const QVariant& value) { m_cells[cellIndex(row, column)] = value; }
    QVariant Value(int row, int column) const { return m_cells[cellIndex(row, column)]; }
    // The shown text of a cell.
    QString Text(int row, int column) const;
    void SetTextColor(int row, int column, const QColor& color);

    // Reorders the rows by a text comparison of one column (lists without a database order).
    void SortByText(int column, bool ascending);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) override;

private:
    struct Row
    {
        qint64 id = 0;
        TVirtualObject* object = nullptr;
        int image = -1;
    };
    qsizetype cellIndex(int row, int column) const { return qsizetype(row) * m_columns.size() + column; }

    QList<TSColumn> m_columns;
    QList<QIcon> m_images;
    std::vector<Row> m_rows;
    QList<QVariant> m_cells; // row after row
    QHash<qsizetype, QColor> m_colors;
    bool m_filling = false;
};

// One row while it is filled: the window's OnRowResult sets its further columns.
class TSListItem
{
public:
    TSListItem(TSListModel* model, int row) : m_model(model), m_row(row) {}

    int Index() const { return m_row; }
    qint64 ID() const { return m_model->ID(m_row); }
    // Sets a column by index: a text, a number, a Money or a QDate.
    void SetValue(int column, const QVariant& value) { m_model->SetValue(m_row, column, value); }
    void SetCaption(const QString& text) { SetValue(0, text); }
    // Fills the next column after the last one set by AddSubItem (the first time column 1).
    void AddSubItem(const QVariant& value) { SetValue(m_next++, value); }
    void SetImageIndex(int index) { m_model->SetImage(m_row, index); }
    void SetTextColor(int column, const QColor& color) { m_model->SetTextColor(m_row, column, color); }

private:
    TSListModel* m_model;
    int m_row;
    int m_next = 1;
};
