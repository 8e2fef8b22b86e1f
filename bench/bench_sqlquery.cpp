// The query layer against the engine's own cursor, and the script parser.
#include "BenchMain.h"

#include "db/FbClient.h"
#include "db/Win1250.h"
#include "db/uDB_FB.h"
#include "db/uDB_Script.h"
#include "db/uDatabase.h"
#include "db/uProjectDB.h"

#include <benchmark/benchmark.h>

#include <ibase.h>

namespace {

constexpr int kRows = 100000;

BenchDatabase& db()
{
    static BenchDatabase d;
    return d;
}

// The rows through TSQLDB, every column read by name as a window reads them.
void BM_TSQLDB_Fetch(benchmark::State& state)
{
    db();
    for (auto _ : state) {
        auto q = xProcCall(QStringLiteral("TEST_ROWS"), {kRows}, {}, true);
        qint64 sum = 0;
        while (q->Fetch()) {
            sum += q->GetInteger(QStringLiteral("ID"));
            benchmark::DoNotOptimize(q->GetText(QStringLiteral("DisplayName")));
            sum += q->GetCurrency(QStringLiteral("Castka")).units();
            benchmark::DoNotOptimize(q->GetDate(QStringLiteral("Datum")));
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The same rows through the engine's cursor, decoding the same values by hand.
void BM_RawCursor_Fetch(benchmark::State& state)
{
    db();
    Firebird::IAttachment* att = DefaultDatabase()->Attachment();
    const QByteArray sql = QStringLiteral("select * from TEST_ROWS(%1)").arg(kRows).toLatin1();
    for (auto _ : state) {
        fb::Status st;
        static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait};
        Firebird::ITransaction* tra = att->startTransaction(&st, sizeof tpb, tpb);
        Firebird::IStatement* stmt = att->prepare(&st, tra, 0, sql.constData(), 3, 0);
        Firebird::IMessageMetadata* meta = stmt->getOutputMetadata(&st);
        std::vector<unsigned char> buf(meta->getMessageLength(&st));
        const unsigned offId = meta->getOffset(&st, 0), offName = meta->getOffset(&st, 1);
        const unsigned offAmount = meta->getOffset(&st, 2), offDate = meta->getOffset(&st, 3);
        Firebird::IResultSet* rs = stmt->openCursor(&st, tra, nullptr, nullptr, meta, 0);
        qint64 sum = 0;
        while (rs->fetchNext(&st, buf.data()) == Firebird::IStatus::RESULT_OK) {
            sum += *reinterpret_cast<const qint32*>(buf.data() + offId);
            const auto len = *reinterpret_cast<const quint16*>(buf.data() + offName);
            benchmark::DoNotOptimize(Win1250::decode(reinterpret_cast<const char*>(buf.data() + offName + 2), len));
            sum += *reinterpret_cast<const qint64*>(buf.data() + offAmount);
            benchmark::DoNotOptimize(QDate::fromJulianDay(*reinterpret_cast<const ISC_DATE*>(buf.data() + offDate) + 2400001));
        }
        benchmark::DoNotOptimize(sum);
        rs->close(&st);
        meta->release();
        stmt->free(&st);
        tra->commit(&st);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// A 5 MB script of inserts and procedure bodies.
void BM_ParseScript_5MB(benchmark::State& state)
{
    QStringList lines;
    qsizetype size = 0;
    for (int i = 0; size < 5 * 1024 * 1024; ++i) {
        QStringList chunk;
        if (i % 50 == 0) {
            chunk << QStringLiteral("SET TERM ^ ;") << QStringLiteral("CREATE OR ALTER PROCEDURE P%1 (A INTEGER)").arg(i)
                  << QStringLiteral("AS") << QStringLiteral("BEGIN") << QStringLiteral("  /* tělo */")
                  << QStringLiteral("  INSERT INTO T VALUES (:A, 'Žluťoučký kůň');") << QStringLiteral("END^")
                  << QStringLiteral("SET TERM ; ^");
        } else {
            chunk << QStringLiteral("INSERT INTO CL_CLEN (ID, PRIJMENI, JMENO, POZNAMKA) VALUES (%1, 'Nováková', 'Jana',").arg(i)
                  << QStringLiteral("  'poznámka k řádku %1');").arg(i);
        }
        for (const QString& l : std::as_const(chunk))
            size += l.size() + 1;
        lines << chunk;
    }
    for (auto _ : state) {
        QStringList statements;
        benchmark::DoNotOptimize(ParseScript(lines, QStringLiteral(";"), statements));
        benchmark::DoNotOptimize(statements.size());
    }
    state.SetBytesProcessed(state.iterations() * size);
}

} // namespace

BENCHMARK(BM_RawCursor_Fetch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TSQLDB_Fetch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseScript_5MB)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv, {{"BM_TSQLDB_Fetch", "BM_RawCursor_Fetch"}});
}
