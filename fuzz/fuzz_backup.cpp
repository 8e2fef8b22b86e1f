// The backup reader against arbitrary files: listing and extracting must
// either succeed or refuse with TTalbreckException, never crash, hang or
// write more than the entry declares.
#include "core/uException.h"
#include "db/uBackupFile.h"

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
    const QString backup = dir.filePath(QStringLiteral("vstup.sbk"));
    const QString target = dir.filePath(QStringLiteral("oddil.fdb"));
    {
        QFile f(backup);
        if (!f.open(QIODevice::WriteOnly))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }

    qint64 declared = -1;
    bool listed = false;
    try {
        for (const BackupFile::Entry& e : BackupFile::List(backup)) {
            if (e.size < 0 || e.packedSize < 0 || e.packedSize > static_cast<qint64>(size))
                std::abort(); // a listed entry must fit the file
            if (e.folder.isEmpty() && e.name.compare(QStringLiteral("oddil.fdb"), Qt::CaseInsensitive) == 0 && declared < 0)
                declared = e.size;
        }
        listed = true;
    } catch (const TTalbreckException&) {
    }

    QFile::remove(target);
    try {
        BackupFile::Extract(backup, QStringLiteral("oddil.fdb"), target);
        // A successful extraction writes exactly what its entry declares.
        if (listed && QFileInfo(target).size() != declared)
            std::abort();
    } catch (const TTalbreckException&) {
        if (QFileInfo::exists(target))
            std::abort(); // a refused backup leaves nothing behind
    }
    return 0;
}
