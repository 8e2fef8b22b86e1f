// Backup and restore of a 200 MB database against plain zlib deflating and
// inflating the same file in the same run, at the same level. The backup and
// the restored database are flushed to the disk before they count as done;
// the zlib baselines are measured both without and with that flush, so the
// ratios show the code's own cost apart from the disk's.
#include "BenchMain.h"

#include "db/uDB_FB.h"
#include "db/uProjectDB.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <unistd.h>

#include <vector>

namespace {

constexpr qint64 kSize = 200LL * 1024 * 1024;
constexpr qint64 kChunk = 256 * 1024;
const QString kBackupName = QStringLiteral("bench.sbk");

// The template grown to 200 MB with rows of the kind a club keeps: names,
// amounts, dates and notes that are partly prose, partly unique codes.
struct BigDatabase
{
    BenchDatabase db;
    QString folder;

    BigDatabase()
    {
        TProjectDB* app = db.project();
        folder = app->DataDir + QStringLiteral("zaloha/");
        QDir().mkpath(folder);
        int next = 1;
        while (QFileInfo(app->DatabaseFile()).size() < kSize) {
            xSQLOpen(QStringLiteral("execute block as declare i integer = %1; declare n varchar(2000); begin "
                                    "while (i < %2) do begin "
                                    "n = 'Poznámka k řádku ' || i || ': členský příspěvek zaplacen, doklad ' || uuid_to_char(gen_uuid()) "
                                    "|| '. Akce: letní tábor, účastníků ' || mod(i, 37) || ', vedoucí Nováková. '; "
                                    "n = n || n || uuid_to_char(gen_uuid()) || n; "
                                    "insert into TEST_RADKY (ID, DisplayName, Castka, Datum, Cas, Poznamka) values "
                                    "(:i, 'Řádek č. ' || :i, :i * 12.5, dateadd(mod(:i, 3650) day to date '2000-01-01'), "
                                    "current_timestamp, :n); i = i + 1; end end")
                         .arg(next)
                         .arg(next + 20000),
                     false);
            next += 20000;
        }
        app->Backup(folder, kBackupName, true);
        ::sync();
    }
};

// Each round starts with nothing of the previous one waiting to be written.
void cleanStart(benchmark::State& state)
{
    state.PauseTiming();
    ::sync();
    state.ResumeTiming();
}

BigDatabase& big()
{
    static BigDatabase b;
    return b;
}

void BM_Backup(benchmark::State& state)
{
    TProjectDB* app = big().db.project();
    for (auto _ : state) {
        cleanStart(state);
        if (!app->Backup(big().folder, QStringLiteral("mereni.sbk"), true))
            state.SkipWithError("the backup failed");
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(app->DatabaseFile()).size());
}

// Makes the written file durable, as a backup or a restored database must be.
void flushToDisk(QFile& f, bool durable)
{
    f.flush();
    if (durable)
        ::fdatasync(f.handle());
}

// The same file through zlib alone: read, deflate, write.
void BM_ZlibDeflate(benchmark::State& state, bool durable)
{
    const QString source = big().db.project()->DatabaseFile();
    const QString target = big().folder + QStringLiteral("zlib.z");
    std::vector<unsigned char> in(kChunk);
    std::vector<unsigned char> out(kChunk);
    for (auto _ : state) {
        cleanStart(state);
        QFile src(source);
        QFile dst(target);
        if (!src.open(QIODevice::ReadOnly) || !dst.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot open the files");
            break;
        }
        z_stream z {};
        deflateInit(&z, Z_DEFAULT_COMPRESSION);
        int flush = Z_NO_FLUSH;
        do {
            const qint64 got = src.read(reinterpret_cast<char*>(in.data()), kChunk);
            flush = got < kChunk ? Z_FINISH : Z_NO_FLUSH;
            z.next_in = in.data();
            z.avail_in = static_cast<uInt>(got);
            do {
                z.next_out = out.data();
                z.avail_out = static_cast<uInt>(out.size());
                deflate(&z, flush);
                dst.write(reinterpret_cast<const char*>(out.data()), static_cast<qint64>(out.size()) - z.avail_out);
            } while (z.avail_out == 0);
        } while (flush != Z_FINISH);
        deflateEnd(&z);
        flushToDisk(dst, durable);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(source).size());
}

void BM_Restore(benchmark::State& state)
{
    TProjectDB* app = big().db.project();
    const QString backup = big().folder + kBackupName;
    for (auto _ : state) {
        cleanStart(state);
        app->Restore(backup, true, false);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(app->DatabaseFile()).size());
}

// The backup's stream through zlib alone: read, inflate, write.
void BM_ZlibInflate(benchmark::State& state, bool durable)
{
    const QString backup = big().folder + kBackupName;
    const QString target = big().folder + QStringLiteral("zlib.out");
    const qint64 header = 1 + 1 + big().db.project()->BackupEntryName().toUtf8().size() + 8;
    std::vector<unsigned char> in(kChunk);
    std::vector<unsigned char> out(kChunk);
    for (auto _ : state) {
        cleanStart(state);
        QFile src(backup);
        QFile dst(target);
        if (!src.open(QIODevice::ReadOnly) || !dst.open(QIODevice::WriteOnly) || !src.seek(header)) {
            state.SkipWithError("cannot open the files");
            break;
        }
        z_stream z {};
        inflateInit(&z);
        int rc = Z_OK;
        while (rc != Z_STREAM_END) {
            const qint64 got = src.read(reinterpret_cast<char*>(in.data()), kChunk);
            if (got <= 0)
                break;
            z.next_in = in.data();
            z.avail_in = static_cast<uInt>(got);
            do {
                z.next_out = out.data();
                z.avail_out = static_cast<uInt>(out.size());
                rc = inflate(&z, Z_NO_FLUSH);
                dst.write(reinterpret_cast<const char*>(out.data()), static_cast<qint64>(out.size()) - z.avail_out);
            } while (z.avail_out == 0 && rc == Z_OK);
        }
        inflateEnd(&z);
        flushToDisk(dst, durable);
        if (rc != Z_STREAM_END)
            state.SkipWithError("the stream did not end");
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(big().db.project()->DatabaseFile()).size());
}

} // namespace

BENCHMARK_CAPTURE(BM_ZlibDeflate, plain, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ZlibDeflate, flushed, true)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ZlibInflate, plain, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ZlibInflate, flushed, true)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv,
                         {{"BM_Backup/iterations:3", "BM_ZlibDeflate/plain/iterations:3"},
                          {"BM_Backup/iterations:3", "BM_ZlibDeflate/flushed/iterations:3"},
                          {"BM_Restore/iterations:3", "BM_ZlibInflate/plain/iterations:3"},
                          {"BM_Restore/iterations:3", "BM_ZlibInflate/flushed/iterations:3"}});
}
