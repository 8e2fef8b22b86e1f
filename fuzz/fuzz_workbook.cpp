// The workbook reader against arbitrary files: opening and reading every
// sheet must either succeed or refuse with TTalbreckException, never crash
// or hang, and never give a cell outside the limits.
#include "core/uException.h"
#include "reports/uWorkbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isDir() ? QStringLiteral("/dev/shm/zuno-fuzz-XXXXXX")
                                                                          : QDir::tempPath() + QStringLiteral("/zuno-fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("sesit.xlsx"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    try {
        TWorkbook book(path);
        for (const QString& name : book.SheetNames()) {
            try {
                const TWorkbookSheet sheet = book.Sheet(name);
                if (sheet.LastRow() < 0 || sheet.LastRow() > TWorkbook::MaxRows)
                    std::abort();
                (void)sheet.Cell(1, 1);
            } catch (const TTalbreckException&) {
            }
        }
    } catch (const TTalbreckException&) {
    }
    return 0;
}
