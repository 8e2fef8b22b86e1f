#include "ui/SListViewDB.h"

#include "core/uLog.h"

#include <QElapsedTimer>

namespace {

qint64 rowID(const TSQLDB& q, int column, const QString& name)
{
    const QVariant v = q.GetValue(column);
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong: return v.toLongLong();
    default: break;
    }
    bool ok = false;
    const qint64 id = q.GetText(column).trimmed().toLongLong(&ok);
    if (!ok)
        throw TTalbreckException(QStringLiteral("Chyba při čtení sloupce: ") + name,
                                 QStringLiteral("\"") + q.GetText(column) + QStringLiteral("\" není platné celé číslo."));
    return id;
}

QVariant fieldValue(const TSQLDB& q, int column, TSColumnKind kind)
{
    switch (kind) {
    case TSColumnKind::Text: return q.GetText(column);
    case TSColumnKind::Number: return q.GetValue(column);
    case TSColumnKind::Money: {
        const QVariant v = q.GetValue(column);
        if (v.metaType().id() == QMetaType::Double)
            return QVariant::fromValue(Money::fromUnits(std::llround(v.toDouble() * Money::Scale)));
        return v;
    }
    case TSColumnKind::Date: {
        const QVariant v = q.GetValue(column);
        return v.metaType().id() == QMetaType::QDateTime ? QVariant(v.toDateTime().date()) : v;
    }
    }
    return {};
}

} // namespace

TSListViewDB::TSListViewDB(QWidget* parent)
    : TSListView(parent)
{
}

void TSListViewDB::ColumnsChanged()
{
    SortFields.clear();
    for (const TSColumn& c : Model()->Columns()) {
        if (c.field.isEmpty())
            SortFields << QString();
        else
            SortFields << (c.kind == TSColumnKind::Text ? c.field + QStringLiteral(" COLLATE PXW_CSY") : c.field);
    }
}

QString TSListViewDB::OrderClause() const
{
    if (SortColumn < 0 || SortColumn >= SortFields.size() || SortFields[SortColumn].trimmed().isEmpty())
        return QString();
    const QString d = SortAsc ? QStringLiteral("ASC") : QStringLiteral("DESC");
    QString clause = SortFields[SortColumn].trimmed() + QLatin1Char(' ') + d;
    clause.replace(QLatin1Char(','), QLatin1Char(' ') + d + QLatin1Char(','));
    return clause;
}

void TSListViewDB::OpenSQL(const QString& sql)
{
    const QString order = OrderClause();
    TSQLDBPtr q = xSQLOpen(order.isEmpty() ? sql : sql + QStringLiteral(" order by ") + order, true);
    BaseSQL = sql;
    fill(std::move(q));
}

void TSListViewDB::OpenResult(TSQLDBPtr result)
{
    BaseSQL.clear();
    fill(std::move(result));
}

void TSListViewDB::ColumnClick(int column)
{
    // Only a column with a sort expression changes the order, and only a
    // list filled from a text can run it again.
    if (!Sort || BaseSQL.isEmpty() || column < 0 || column >= SortFields.size() || SortFields[column].trimmed().isEmpty()) {
        UpdateSortIndicator();
        return;
    }
    if (column == SortColumn)
        SortAsc = !SortAsc;
    SortColumn = column;
    UpdateSortIndicator();
    OpenSQL(BaseSQL);
}

void TSListViewDB::fill(TSQLDBPtr q)
{
    QElapsedTimer timer;
    timer.start();
    DisableActions();
    const int oldIndex = SelectedIndex();
    const qint64 oldID = SelectedID();
    CurrentSQL = q->SQL;

    const int idColumn = q->ColumnIndex(Column_ID);
    const int captionColumn = Column_Caption.isEmpty() ? -1 : q->ColumnIndex(Column_Caption);
    if (idColumn < 0 || (!Column_Caption.isEmpty() && captionColumn < 0)) {
        const QString missing = idColumn < 0 ? Column_ID : Column_Caption;
        throw TTalbreckException(QStringLiteral("Chyba při čtení sloupce: ") + missing,
                                 QStringLiteral("Sloupec \"") + missing + QStringLiteral("\" neexistuje."));
    }
    struct Field { int column; int result; TSColumnKind kind; };
    QList<Field> fields;
    const QList<TSColumn>& columns = Model()->Columns();
    for (int c = 0; c < columns.size(); ++c) {
        if (columns[c].field.isEmpty() || (c == 0 && captionColumn >= 0))
            continue;
        const int r = q->ColumnIndex(columns[c].field);
        if (r < 0)
            throw TTalbreckException(QStringLiteral("Chyba při čtení sloupce: ") + columns[c].field,
                                     QStringLiteral("Sloupec \"") + columns[c].field + QStringLiteral("\" neexistuje."));
        fields.append({c, r, columns[c].kind});
    }

    TSListModel* model = Model();
    int found = -1;
    {
        TSListFillScope scope(model);
        while (q->Fetch()) {
            const int row = model->AddRow();
            const qint64 id = rowID(*q, idColumn, Column_ID);
            model->SetID(row, id);
            if (captionColumn >= 0)
                model->SetValue(row, 0, q->GetText(captionColumn));
            for (const Field& f : std::as_const(fields))
                model->SetValue(row, f.column, fieldValue(*q, f.result, f.kind));
            if (found < 0 && oldIndex >= 0 && id == oldID)
                found = row;
            if (OnRowResult) {
                TSListItem item(model, row);
                OnRowResult(item, *q);
            }
        }
    }
    SelectAfterFill(found, oldIndex, true);
    q.reset();
    WriteLog(QStringLiteral("Nacteni Listview: ") + objectName() + QStringLiteral(" (") + FillTimeText(timer.elapsed(), true)
                 + QLatin1Char(')'),
             LogLevel::Debug);
}
