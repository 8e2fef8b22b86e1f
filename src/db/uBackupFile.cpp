#include "db/uBackupFile.h"

#include "core/uException.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <zlib.h>

#include <limits>
#include <vector>

namespace {

constexpr qint64 kChunk = 256 * 1024;

[[noreturn]] void damaged(const QString& backup, const QString& why)
{
    throw TTalbreckException(QStringLiteral("Soubor zálohy \"") + backup + QStringLiteral("\" je poškozený."), why);
}

void putInt32(QByteArray& out, qint32 v)
{
    const auto u = static_cast<quint32>(v);
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((u >> (8 * i)) & 0xff));
}

qint32 getInt32(const char* p)
{
    quint32 u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<quint32>(static_cast<unsigned char>(p[i])) << (8 * i);
    return static_cast<qint32>(u);
}

// Reads exactly n bytes or fails.
QByteArray readExact(QFile& f, qint64 n, const QString& backup)
{
    QByteArray b = f.read(n);
    if (b.size() != n)
        damaged(backup, QStringLiteral("Soubor končí uprostřed záznamu."));
    return b;
}

// Reads one entry's header; false at the clean end of the file.
bool readHeader(QFile& f, const QString& backup, BackupFile::Entry& e)
{
    if (f.atEnd())
        return false;
    const int folderLen = static_cast<unsigned char>(readExact(f, 1, backup)[0]);
    e.folder = QString::fromUtf8(readExact(f, folderLen, backup));
    const int nameLen = static_cast<unsigned char>(readExact(f, 1, backup)[0]);
    e.name = QString::fromUtf8(readExact(f, nameLen, backup));
    const QByteArray sizes = readExact(f, 8, backup);
    e.size = getInt32(sizes.constData());
    e.packedSize = getInt32(sizes.constData() + 4);
    if (e.size < 0 || e.packedSize < 0)
        damaged(backup, QStringLiteral("Záznam \"") + e.name + QStringLiteral("\" má zápornou velikost."));
    if (e.packedSize > f.size() - f.pos())
        damaged(backup, QStringLiteral("Záznam \"") + e.name + QStringLiteral("\" je delší než zbytek souboru."));
    return true;
}

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && name != QLatin1String(".")
        && name != QLatin1String("..");
}

} // namespace

namespace BackupFile {

void Write(const QString& target, const QString& source, const QString& entryName, const Progress& progress)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw TTalbreckException(QStringLiteral("Soubor \"") + source + QStringLiteral("\" nelze otevřít."), in.errorString());
    const qint64 total = in.size();
    if (total > std::numeric_limits<qint32>::max())
        throw TTalbreckException(QStringLiteral("Databáze je větší než 2 GB a do zálohy ji nelze uložit."), source);

    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw TTalbreckException(QStringLiteral("Soubor \"") + target + QStringLiteral("\" nelze vytvořit."), out.errorString());

    const QByteArray name = entryName.toUtf8();
    QByteArray header;
    header.append('\0'); // no folder
    header.append(static_cast<char>(name.size()));
    header.append(name);
    putInt32(header, static_cast<qint32>(total));
    const qint64 sizeAt = header.size(); // the compressed size is filled in at the end
    putInt32(header, 0);
    out.write(header);

    z_stream z {};
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK)
        throw TTalbreckException(QStringLiteral("Kompresi nelze spustit."));
    std::vector<unsigned char> inBuf(kChunk);
    std::vector<unsigned char> outBuf(kChunk);
    qint64 packed = 0;
    qint64 done = 0;
    bool failed = false;
    QString why;
    int flush = Z_NO_FLUSH;
    do {
        const qint64 got = in.read(reinterpret_cast<char*>(inBuf.data()), kChunk);
        if (got < 0) {
            failed = true;
            why = in.errorString();
            break;
        }
        done += got;
        flush = done >= total || got == 0 ? Z_FINISH : Z_NO_FLUSH;
        z.next_in = inBuf.data();
        z.avail_in = static_cast<uInt>(got);
        do {
            z.next_out = outBuf.data();
            z.avail_out = static_cast<uInt>(outBuf.size());
            deflate(&z, flush);
            const qint64 have = static_cast<qint64>(outBuf.size()) - z.avail_out;
            if (out.write(reinterpret_cast<const char*>(outBuf.data()), have) != have) {
                failed = true;
                why = out.errorString();
                break;
            }
            packed += have;
        } while (z.avail_out == 0 && !failed);
        if (progress)
            progress(done, total);
    } while (flush != Z_FINISH && !failed);
    deflateEnd(&z);
    if (!failed && done != total) {
        failed = true;
        why = QStringLiteral("Soubor se během zálohy změnil.");
    }
    if (!failed && packed > std::numeric_limits<qint32>::max()) {
        failed = true;
        why = QStringLiteral("Komprimovaná data jsou větší než 2 GB.");
    }
    if (!failed) {
        QByteArray size;
        putInt32(size, static_cast<qint32>(packed));
        failed = !out.seek(sizeAt) || out.write(size) != 4;
        if (failed)
            why = out.errorString();
    }
    if (failed || !out.commit()) {
        out.cancelWriting();
        throw TTalbreckException(QStringLiteral("Zálohu \"") + target + QStringLiteral("\" nelze zapsat."),
                                 why.isEmpty() ? out.errorString() : why);
    }
}

QList<Entry> List(const QString& backup)
{
    QFile f(backup);
    if (!f.open(QIODevice::ReadOnly))
        throw TTalbreckException(QStringLiteral("Soubor zálohy \"") + backup + QStringLiteral("\" nelze otevřít."), f.errorString());
    QList<Entry> entries;
    Entry e;
    while (readHeader(f, backup, e)) {
        entries << e;
        f.seek(f.pos() + e.packedSize);
    }
    return entries;
}

void Extract(const QString& backup, const QString& entryName, const QString& target, const Progress& progress)
{
    QFile f(backup);
    if (!f.open(QIODevice::ReadOnly))
        throw TTalbreckException(QStringLiteral("Soubor zálohy \"") + backup + QStringLiteral("\" nelze otevřít."), f.errorString());
    Entry e;
    bool found = false;
    while (readHeader(f, backup, e)) {
        if (e.folder.isEmpty() && isPlainName(e.name) && e.name.compare(entryName, Qt::CaseInsensitive) == 0) {
            found = true;
            break;
        }
        f.seek(f.pos() + e.packedSize);
    }
    if (!found)
        throw TTalbreckException(QStringLiteral("Záloha \"") + backup + QStringLiteral("\" neobsahuje databázi."),
                                 QStringLiteral("Chybí soubor \"") + entryName + QStringLiteral("\"."));

    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw TTalbreckException(QStringLiteral("Soubor \"") + target + QStringLiteral("\" nelze vytvořit."), out.errorString());
    z_stream z {};
    if (inflateInit(&z) != Z_OK)
        throw TTalbreckException(QStringLiteral("Dekompresi nelze spustit."));
    std::vector<unsigned char> inBuf(kChunk);
    std::vector<unsigned char> outBuf(kChunk);
    qint64 left = e.packedSize;
    qint64 written = 0;
    int rc = Z_OK;
    QString why;
    while (rc != Z_STREAM_END && why.isEmpty()) {
        if (left == 0) {
            why = QStringLiteral("Komprimovaná data končí předčasně.");
            break;
        }
        const qint64 want = std::min(left, kChunk);
        const qint64 got = f.read(reinterpret_cast<char*>(inBuf.data()), want);
        if (got != want) {
            why = QStringLiteral("Soubor končí uprostřed záznamu.");
            break;
        }
        left -= got;
        z.next_in = inBuf.data();
        z.avail_in = static_cast<uInt>(got);
        do {
            z.next_out = outBuf.data();
            z.avail_out = static_cast<uInt>(outBuf.size());
            rc = inflate(&z, Z_NO_FLUSH);
            if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) {
                why = QStringLiteral("Komprimovaná data jsou poškozená (%1).").arg(QString::fromLatin1(z.msg ? z.msg : "zlib"));
                break;
            }
            const qint64 have = static_cast<qint64>(outBuf.size()) - z.avail_out;
            written += have;
            if (written > e.size) {
                why = QStringLiteral("Data jsou delší, než záznam uvádí.");
                break;
            }
            if (out.write(reinterpret_cast<const char*>(outBuf.data()), have) != have) {
                why = out.errorString();
                break;
            }
        } while (z.avail_out == 0 && rc != Z_STREAM_END);
        if (progress)
            progress(e.packedSize - left, e.packedSize);
    }
    const bool trailing = rc == Z_STREAM_END && (z.avail_in != 0 || left != 0);
    inflateEnd(&z);
    if (why.isEmpty() && trailing)
        why = QStringLiteral("Za komprimovanými daty následují další bajty.");
    if (why.isEmpty() && written != e.size)
        why = QStringLiteral("Data mají jinou velikost, než záznam uvádí.");
    if (!why.isEmpty()) {
        out.cancelWriting();
        damaged(backup, why);
    }
    if (!out.commit())
        throw TTalbreckException(QStringLiteral("Soubor \"") + target + QStringLiteral("\" nelze zapsat."), out.errorString());
}

} // namespace BackupFile
