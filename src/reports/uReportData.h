#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

class QObject;

// A named table of rows a report prints. Its component name begins with
// "ds" ("dsRadky"); a template reaches it under its report name without
// those two letters ("Radky"). Values are read as the database gives them:
// texts, integers, Money, QDate, QDateTime, Null.
class TReportData
{
public:
    explicit TReportData(const QString& name) : m_name(name) {}
    virtual ~TReportData() = default;
    TReportData(const TReportData&) = delete;
    TReportData& operator=(const TReportData&) = delete;

    QString Name() const { return m_name; }
    // "dsRadky" → "Radky"; a name without the "ds" prefix stays as it is.
    QString ReportName() const;

    // Reads the rows (again). A data set over a query runs it; an in-memory table keeps its rows.
    virtual void Open() {}

    const QStringList& Columns() const { return m_columns; }
    const std::vector<QVariantList>& Rows() const { return m_rows; }
    int ColumnIndex(const QString& column) const; // letter case ignored; -1 when absent

protected:
    QString m_name;
    QStringList m_columns;
    std::vector<QVariantList> m_rows;
};

// A data set over one SQL text, run on the program's connection in a
// transaction of its own each time the report is prepared.
class TReportDataSet : public TReportData
{
public:
    TReportDataSet(const QString& name, const QString& sql) : TReportData(name), m_sql(sql) {}
    QString SQL() const { return m_sql; }
    // Raises the database layer's exceptions.
    void Open() override;

private:
    QString m_sql;
};

// An in-memory table built by the printing window (two-level statements).
class TReportMemTable : public TReportData
{
public:
    TReportMemTable(const QString& name, const QStringList& columns) : TReportData(name) { m_columns = columns; }
    void AppendRow(const QVariantList& values);
};

using TReportDataPtr = std::unique_ptr<TReportData>;
// The data sets of one print, in the order the printing window gives them;
// the report window owns them.
using TReportDataList = std::vector<TReportDataPtr>;

// A named report data set over an SQL text; it is opened when the report is prepared.
TReportDataPtr xReportDataSet(const QString& name, const QString& sql);
