// Filling a data-bound list from a procedure against the bare fetch of the
// same rows: what the list adds over the query layer.
#include "BenchMain.h"

#include "db/uDB_FB.h"
#include "ui/SListViewDB.h"

#include <benchmark/benchmark.h>

namespace {

BenchDatabase& db()
{
    static BenchDatabase d;
    return d;
}

QString rowsSQL(qint64 rows)
{
    return xProcText(QStringLiteral("TEST_ROWS"), {rows}, {}, true);
}

// The loop a window would write: every column read by name, row by row.
void BM_Fetch(benchmark::State& state)
{
    db();
    for (auto _ : state) {
        auto q = xSQLOpen(rowsSQL(state.range(0)), true);
        qint64 sum = 0;
        while (q->Fetch()) {
            sum += q->GetInteger(QStringLiteral("ID"));
            benchmark::DoNotOptimize(q->GetText(QStringLiteral("DisplayName")));
            sum += q->GetCurrency(QStringLiteral("Castka")).units();
            benchmark::DoNotOptimize(q->GetDate(QStringLiteral("Datum")));
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same rows into a shown list: ID, name, amount and date per row, the
// previous rows replaced, the selection restored.
void BM_ListFill(benchmark::State& state)
{
    db();
    TSListViewDB list;
    list.setObjectName(QStringLiteral("lstBench"));
    list.SetColumns({{QStringLiteral("Název"), 200, QStringLiteral("DisplayName")},
                     {QStringLiteral("Částka"), 100, QStringLiteral("Castka"), TSColumnKind::Money},
                     {QStringLiteral("Datum"), 80, QStringLiteral("Datum"), TSColumnKind::Date}});
    list.SortFields[0].clear(); // the same text as the fetch: no order clause
    list.resize(800, 600);
    list.show();
    for (auto _ : state) {
        list.OpenSQL(rowsSQL(state.range(0)));
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_Fetch)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListFill)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv, {{"BM_ListFill/10000", "BM_Fetch/10000"}, {"BM_ListFill/100000", "BM_Fetch/100000"}});
}
