#include "BenchMain.h"

#include "core/uDialogs.h"
#include "core/uSystem.h"
#include "db/uProjectDB.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> times;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred)
                times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int RunBenchmarks(int argc, char** argv, const std::vector<std::pair<std::string, std::string>>& ratios)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Dialogs::setTestMode(true);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    for (const auto& [measured, baseline] : ratios) {
        const auto m = reporter.times.find(measured);
        const auto b = reporter.times.find(baseline);
        if (m == reporter.times.end() || b == reporter.times.end() || b->second <= 0)
            continue;
        std::printf("ratio %-45s / %-45s = %.3f\n", measured.c_str(), baseline.c_str(), m->second / b->second);
    }
    benchmark::Shutdown();
    return 0;
}

BenchDatabase::BenchDatabase()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    QDir(m_dir.path()).mkpath(QStringLiteral("registry"));
    SetExeDirForTesting(m_dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path() + QStringLiteral("/registry"));
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, m_dir.path() + QStringLiteral("/registry"));
    QFile::copy(QStringLiteral(ZUNO_TEMPLATE_DB_PATH), m_dir.path() + QStringLiteral("/data/oddil.FDB"));
    QFile::setPermissions(m_dir.path() + QStringLiteral("/data/oddil.FDB"), QFile::ReadOwner | QFile::WriteOwner);
    m_project = std::make_unique<TProjectDB>(QStringLiteral("ZUNO"), false, true, QString(), QStringLiteral("oddil"), QString());
}

BenchDatabase::~BenchDatabase()
{
    m_project.reset();
    SetExeDirForTesting(QString());
}
