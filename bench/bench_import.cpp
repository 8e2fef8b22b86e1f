// The members' import of 1,000 rows: reading the workbook, checking every
// row and storing each in its one database call, against storing the same
// prepared rows with that call alone.
#include "BenchMain.h"

#include "db/uDB_FB.h"
#include "members/uImportClenu.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

namespace {

constexpr int kRows = 1000;

QStringList person(int i)
{
    QStringList row(ImportColumnCount);
    static const char* const categories[] = {"zactvo", "Dorost", "juniori", "vedoucí", "ostatni"};
    const QDate born = QDate(1955, 1, 1).addDays(i * 17 % 23000);
    row[0] = QStringLiteral("Příjmení %1").arg(i);
    row[1] = QStringLiteral("Šárka");
    row[2] = QStringLiteral("Šíp");
    row[3] = born.toString(QStringLiteral("yyMMdd")).left(2) + QStringLiteral("%1").arg(born.month() + 50, 2, 10, QLatin1Char('0'))
             + born.toString(QStringLiteral("dd")) + QStringLiteral("/%1").arg(i % 1000, 4, 10, QLatin1Char('0'));
    row[4] = QString::number(2000 + i % 26);
    row[5] = QStringLiteral("ano");
    row[6] = i % 3 ? QStringLiteral("ne") : QStringLiteral("ano");
    row[8] = QString::number(i % 10000);
    row[9] = QString::fromUtf8(categories[i % 5]);
    if (i % 2) {
        row[10] = QStringLiteral("matka");
        row[11] = QStringLiteral("Jana Nováková");
        row[12] = QStringLiteral("602 111 222");
    }
    row[16] = QStringLiteral("777 123 456");
    row[17] = QStringLiteral("clen%1@example.cz").arg(i);
    row[18] = QStringLiteral("Žižkova");
    row[19] = QString::number(i % 300);
    row[20] = QStringLiteral("602 00");
    row[21] = QStringLiteral("Brno");
    row[26] = QStringLiteral("modrá");
    row[31] = QStringLiteral("Poznámka k členovi");
    return row;
}

const QString& workbook()
{
    static const QString path = [] {
        const QString p = QDir::tempPath() + QStringLiteral("/zuno-bench-import.xlsx");
        lxw_workbook* wb = workbook_new(QFile::encodeName(p).constData());
        lxw_worksheet* ws = workbook_add_worksheet(wb, "Import");
        for (int c = 0; c < ImportColumnCount; ++c)
            worksheet_write_string(ws, 1, lxw_col_t(c), ImportColumnCaptions().at(c).toUtf8().constData(), nullptr);
        for (int i = 0; i < kRows; ++i) {
            const QStringList row = person(i);
            for (int c = 0; c < ImportColumnCount; ++c)
                if (!row[c].isEmpty())
                    worksheet_write_string(ws, lxw_row_t(i + 2), lxw_col_t(c), row[c].toUtf8().constData(), nullptr);
        }
        workbook_close(wb);
        return p;
    }();
    return path;
}

BenchDatabase& db()
{
    static BenchDatabase d;
    return d;
}

// Reading, checking and storing, as the import window does it.
void BM_Import(benchmark::State& state)
{
    db();
    const QString path = workbook();
    for (auto _ : state) {
        QList<QStringList> rows;
        ReadImportSheet(path, rows);
        if (rows.size() != kRows) {
            state.SkipWithError("the workbook did not read whole");
            return;
        }
        for (const QStringList& row : rows)
            ImportStore(ImportArguments(row, 2026), ImportPersonName(row));
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The same rows, already checked, through the database call alone.
void BM_StoreOnly(benchmark::State& state)
{
    db();
    QList<QVariantList> prepared;
    for (int i = 0; i < kRows; ++i)
        prepared << ImportArguments(person(i), 2026);
    for (auto _ : state) {
        for (const QVariantList& args : prepared) {
            auto q = xProcCall(QStringLiteral("CL_Clen_IMPORT"), args, {}, true);
            benchmark::DoNotOptimize(q->GetInteger(QStringLiteral("ID_Clen")));
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

} // namespace

BENCHMARK(BM_StoreOnly)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv, {{"BM_Import/iterations:3", "BM_StoreOnly/iterations:3"}});
}
