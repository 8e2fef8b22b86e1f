#include "reports/uReportData.h"

#include "db/uDB_FB.h"

QString TReportData::ReportName() const
{
    return m_name.startsWith(QLatin1String("ds")) ? m_name.mid(2) : m_name;
}

int TReportData::ColumnIndex(const QString& column) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(column, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TReportDataSet::Open()
{
    auto q = xSQLOpen(m_sql, true);
    QStringList columns;
    for (int i = 0; i < q->ColumnCount(); ++i)
        columns << q->ColumnName(i);
    std::vector<QVariantList> rows;
    while (q->Fetch()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            row << q->GetValue(i);
        rows.push_back(std::move(row));
    }
    m_columns = columns;
    m_rows = std::move(rows);
}

void TReportMemTable::AppendRow(const QVariantList& values)
{
    QVariantList row = values;
    while (row.size() < m_columns.size())
        row << Null;
    row.resize(m_columns.size());
    m_rows.push_back(std::move(row));
}

TReportDataPtr xReportDataSet(const QString& name, const QString& sql)
{
    return std::make_unique<TReportDataSet>(name, sql);
}
