// The member list with 10,000 people: filling the list window against the
// bare fetch of the same select, every shown column read by name.
#include "BenchMain.h"

#include "db/uDB_FB.h"
#include "members/fClenove.h"
#include "ui/SListViewDB.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kMembers = 10000;

// The database with the members stored once, with addresses, contacts,
// categories and a user value, as a club's register has them.
BenchDatabase& db()
{
    static BenchDatabase d;
    static const bool filled = [] {
        xSQLOpen(QStringLiteral(
                     "execute block as declare i integer = 0; declare h integer; begin "
                     "while (i < %1) do begin "
                     "h = gen_id(GEN_VL_HODN_ID, 1); "
                     "insert into VL_HODN (ID, CL_1) values (:h, 'Vlastnost ' || mod(:i, 7)); "
                     "insert into CL_CLEN (Prijmeni, Jmeno, Prezdivka, Narozen, Pohlavi, Clen, ID_Kategorie, PrukazKCT, "
                     "Ulice, CP, PSC, Mesto, Mobil, Mail, ID_Hodn) values ("
                     "'Příjmení' || mod(:i * 7919, %1), 'Šárka', 'Šíp', dateadd(-mod(:i, 20000) day to date '2026-01-01'), "
                     "iif(mod(:i, 2) = 0, 'M', 'Z'), 1, decode(mod(:i, 5), 0, 'zactvo', 1, 'dorost', 2, 'juniori', 3, 'vedouci', 'ostatni'), "
                     "lpad(mod(:i, 10000), 4, '0'), 'Žižkova', mod(:i, 300), '602 00', 'Brno', '777 123 456', 'clen' || :i || '@example.cz', :h); "
                     "i = i + 1; end end")
                     .arg(kMembers),
                 false);
        return true;
    }();
    (void)filled;
    return d;
}

// The list window's own select, so both cases fetch the same rows in the same order.
QString listSQL()
{
    static const QString sql = [] {
        TfrmClenove window;
        window.Open();
        return window.List()->CurrentSQL;
    }();
    return sql;
}

void BM_Fetch(benchmark::State& state)
{
    db();
    const QString sql = listSQL();
    const QStringList columns{QStringLiteral("ID"), QStringLiteral("DisplayName"), QStringLiteral("Prezdivka"),
                              QStringLiteral("adresa_bydliste"), QStringLiteral("Mobil"), QStringLiteral("Mail"),
                              QStringLiteral("KATEGORIE"), QStringLiteral("PrukazKCT_VYPIS"), QStringLiteral("CL_1"),
                              QStringLiteral("Pohlavi"), QStringLiteral("Vek"), QStringLiteral("VekVRoce")};
    qint64 rows = 0;
    for (auto _ : state) {
        auto q = xSQLOpen(sql, true);
        rows = 0;
        while (q->Fetch()) {
            for (const QString& c : columns)
                benchmark::DoNotOptimize(q->GetValue(c));
            benchmark::DoNotOptimize(q->GetDate(QStringLiteral("DATUMNAROZENI")));
            ++rows;
        }
    }
    if (rows != kMembers)
        state.SkipWithError("the members are missing");
    state.SetItemsProcessed(state.iterations() * rows);
}

// The shown member list searching again: the rows replaced, the age and the
// icon of each row worked out, the selection restored.
void BM_MemberList(benchmark::State& state)
{
    db();
    TfrmClenove window;
    window.resize(1200, 700);
    window.show();
    window.Open();
    for (auto _ : state) {
        window.actVyhledat->trigger();
        benchmark::DoNotOptimize(window.List()->Count());
    }
    if (window.List()->Count() != kMembers)
        state.SkipWithError("the list is not full");
    state.SetItemsProcessed(state.iterations() * kMembers);
}

} // namespace

BENCHMARK(BM_Fetch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemberList)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv, {{"BM_MemberList", "BM_Fetch"}});
}
