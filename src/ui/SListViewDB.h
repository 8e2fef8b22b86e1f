#pragma once

#include "ui/SListView.h"

#include "db/uDB_FB.h"

#include <functional>

// A list filled from a cursor, row by row, and sorted by the database: a
// header click re-runs the last SQL text with the clicked column's sort
// expression ("DisplayName COLLATE PXW_CSY", "Poradi, Datum, ID") as its
// order clause.
class TSListViewDB : public TSListView
{
    Q_OBJECT

public:
    explicit TSListViewDB(QWidget* parent = nullptr);

    // The result column holding each row's integer ID.
    QString Column_ID = QStringLiteral("ID");
    // The result column shown as the first column; empty: the columns' own fields and OnRowResult fill it.
    QString Column_Caption;
    // Raised once per row after its ID, caption and field columns are set.
    std::function<void(TSListItem& item, const TSQLDB& result)> OnRowResult;
    // One sort expression per column; empty: the column is not sorted by
    // the database. SetColumns fills them from the fields (texts with the
    // Czech collation); the window may change them before the first fill.
    QStringList SortFields;
    // The text last given to OpenSQL (empty after OpenResult) and the full
    // text of the cursor that filled the list, order clause included.
    QString BaseSQL;
    QString CurrentSQL;

    // Runs the text with the order clause of SortColumn and fills the list.
    // A database error surfaces before any row is touched.
    void OpenSQL(const QString& sql);
    // Fills the list from an open cursor and frees it. Such a list is not
    // re-sorted on a header click: there is no text to run again.
    void OpenResult(TSQLDBPtr result);
    // The order clause of SortColumn, empty when that column has no sort
    // expression (or lies outside the columns).
    QString OrderClause() const;

protected:
    void ColumnClick(int column) override;
    void ColumnsChanged() override;
    bool ShowsSortOrder() const override { return Sort && !OrderClause().isEmpty(); }

private:
    void fill(TSQLDBPtr result);
};
