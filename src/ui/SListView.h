#pragma once

#include "ui/SListModel.h"

#include <QPointer>
#include <QTableView>

class QAction;

// The base of every list of records: one row per record with its ID, columns
// with headers, the layout (widths, sort column and direction) kept per user
// under the registry key "<RegKey>\LV" with names "<form>_<list>_...",
// Enter, Delete and double click routed to the window's actions, and the
// selection kept on the same record across a refill.
//
// Set the object names of the window and the list before SetColumns(): it
// reads the stored layout; the list writes it back when it is destroyed.
class TSListView : public QTableView
{
    Q_OBJECT

public:
    explicit TSListView(QWidget* parent = nullptr);
    ~TSListView() override;

    // Sorting by a click on a column header is allowed.
    bool Sort = true;
    int SortColumn = 0;
    bool SortAsc = true;
    // After a fill with no row to keep: true selects the row at the old
    // position (or the first), false the last row.
    bool SelectFirst = true;
    // The window's actions. The list runs Act_Detail on Enter and double
    // click, Act_Delete on Delete, and disables both when no row is
    // selected; enabling them is the window's business (SelectItem).
    QPointer<QAction> Act_Detail;
    QPointer<QAction> Act_New;
    QPointer<QAction> Act_Delete;

    // Sets the columns with their design widths, then reads the stored layout.
    void SetColumns(const QList<TSColumn>& columns);
    void SetImages(const QList<QIcon>& images) { m_model->SetImages(images); }
    TSListModel* Model() const { return m_model; }
    int Count() const { return m_model->Count(); }

    // The selected row, -1 when none.
    int SelectedIndex() const;
    // The ID of the selected row, 0 when no row is selected.
    qint64 SelectedID() const;
    // Selects, focuses and shows the first row with this ID; false (and
    // nothing changes) when there is none.
    bool SelectID(qint64 id);
    void SelectRow(int row);
    qint64 ID(int row) const { return m_model->ID(row); }
    // The text of the first column of a row.
    QString Caption(int row) const { return m_model->Text(row, 0); }

    // The window whose name keys the stored layout: the nearest TSForm
    // around the list, else its top-level window, unless set here.
    void SetOwnerForm(QWidget* form) { m_owner = form; }
    QWidget* OwnerForm() const;
    void LoadLayout();
    void SaveLayout();

Q_SIGNALS:
    // A row became selected.
    void SelectItem(int row);
    // A double click on a row of a list without Act_Detail.
    void DblSelectItem(int row);

protected:
    // A click on a column header; the base sorts the rows in memory.
    virtual void ColumnClick(int column);
    // Called by SetColumns before the layout is read.
    virtual void ColumnsChanged() {}
    // Whether the header shows SortColumn as the order of the rows.
    virtual bool ShowsSortOrder() const { return Sort; }
    void UpdateSortIndicator();
    void DisableActions();
    // Selection after a fill: the row found, else by SelectFirst from the old position.
    void SelectAfterFill(int found, int oldIndex, bool lastWhenPastEnd);

    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void selectionChanged_(const QItemSelection& selected);
    QString layoutKey() const;

    TSListModel* m_model;
    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_layoutOwner; // the window the layout was read for
};

// A fill of a list's rows: the hourglass is shown and the views hear of
// the new rows once at the end, even when a row ends the fill with an error.
class TSListFillScope
{
public:
    explicit TSListFillScope(TSListModel* model);
    ~TSListFillScope();
    TSListFillScope(const TSListFillScope&) = delete;
    TSListFillScope& operator=(const TSListFillScope&) = delete;

private:
    TSListModel* m_model;
    bool m_cursor;
};

// The elapsed time of a fill for the log: "nn:ss:zzz", or "ss:zzz" without minutes.
QString FillTimeText(qint64 ms, bool withMinutes);
