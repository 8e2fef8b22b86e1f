// The script reader and parser against arbitrary text: any input gives a list
// of statements (or "ends inside a comment"), never a crash or a hang.
#include "core/uException.h"
#include "db/uDB_Script.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Memory-backed when the system has it: rewriting a file on disk for
    // every input would make the disk, not the code, the bottleneck.
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isDir() ? QStringLiteral("/dev/shm/zuno-fuzz-XXXXXX")
                                                                          : QDir::tempPath() + QStringLiteral("/zuno-fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("skript.sql"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    QStringList lines;
    try {
        lines = ReadScriptFile(path); // UTF-8 or Windows-1250
    } catch (const TTalbreckException&) {
        std::abort(); // the file is there: reading it cannot fail
    }
    for (const QString& terminator : {QStringLiteral(";"), QStringLiteral("^")}) {
        QStringList statements;
        if (ParseScript(lines, terminator, statements)) {
            for (const QString& s : std::as_const(statements))
                if (s.trimmed().isEmpty())
                    std::abort(); // an empty statement would reach the engine
        }
    }
    return 0;
}
