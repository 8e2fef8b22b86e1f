#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <utility>
#include <vector>

class TProjectDB;

// Runs the registered benchmarks and then prints, for each pair, the time of
// the measured case divided by the time of its baseline from the same run.
int RunBenchmarks(int argc, char** argv, const std::vector<std::pair<std::string, std::string>>& ratios);

// A copy of the template database opened as the program opens its own.
class BenchDatabase
{
public:
    BenchDatabase();
    ~BenchDatabase();
    TProjectDB* project() const { return m_project.get(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TProjectDB> m_project;
};
