#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

// The cells of one sheet as the texts a user sees in them: text as it is,
// whole numbers without decimals ("2015", "602123456"), other numbers with a
// decimal comma ("1,5"), dates as "d.M.yyyy", truth values as "1" and "0".
// Rows and columns count from 1; a cell never filled is an empty text.
class TWorkbookSheet
{
public:
    QString Cell(int row, int column) const { return m_cells.value(key(row, column)); }
    // The last row holding a filled cell, 0 for an empty sheet.
    int LastRow() const { return m_lastRow; }

    void SetCell(int row, int column, const QString& text);

private:
    static qint64 key(int row, int column) { return (qint64(row) << 16) | column; }

    QHash<qint64, QString> m_cells;
    int m_lastRow = 0;
};

// A workbook read from its file, never written: an Office Open XML workbook
// (.xlsx, .xlsm) or an OpenDocument spreadsheet (.ods). Any other file —
// among them the old binary .xls and password-protected workbooks — raises
// TTalbreckException with a message telling the user what to do.
class TWorkbook
{
public:
    explicit TWorkbook(const QString& fileName);
    ~TWorkbook();
    TWorkbook(const TWorkbook&) = delete;
    TWorkbook& operator=(const TWorkbook&) = delete;

    QStringList SheetNames() const;
    bool HasSheet(const QString& name) const;
    // The cells of the sheet of this name (exact, case-sensitive); raises
    // TTalbreckException when there is none or it cannot be read.
    TWorkbookSheet Sheet(const QString& name) const;

    // Limits that keep a damaged or hostile file from taking the machine:
    // the largest part of the file unpacked, and the furthest cell read.
    static constexpr qint64 MaxPartSize = 256 * 1024 * 1024;
    static constexpr int MaxRows = 1048576;
    static constexpr int MaxColumns = 16384;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
