#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The backup file (".sbk"): a sequence of entries, each
//   folder length (1 byte), folder, name length (1 byte), name,
//   uncompressed size (4 bytes, signed, little-endian),
//   compressed size (4 bytes, signed, little-endian),
//   the file as one zlib stream (header and checksum, default level).
// ZUNO writes one entry: the database file, with an empty folder.
namespace BackupFile {

// Called now and then with the bytes done and the bytes in all.
using Progress = std::function<void(qint64 done, qint64 total)>;

// Writes `target` with one entry named `entryName` holding the file `source`.
// The file is written under a temporary name and moved into place only when
// complete. Throws TTalbreckException (nothing is left behind).
void Write(const QString& target, const QString& source, const QString& entryName, const Progress& progress = {});

struct Entry
{
    QString folder;
    QString name;
    qint32 size = 0;
    qint32 packedSize = 0;
};

// Lists the entries of a backup, checking every size against the file.
QList<Entry> List(const QString& backup);

// Extracts the one entry whose name equals `entryName` (letter case ignored)
// into `target`, checking the sizes, the zlib stream and its checksum. An
// entry with a folder or a path in its name is never used as a path. Throws
// TTalbreckException when the backup is damaged or has no such entry; a
// partly written target is removed.
void Extract(const QString& backup, const QString& entryName, const QString& target, const Progress& progress = {});

} // namespace BackupFile
