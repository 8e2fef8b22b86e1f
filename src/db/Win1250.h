#pragma once

#include <QByteArray>
#include <QString>

// All text exchanged with the database is in the Windows-1250 code page (the
// connection's character set); this is the one place where it is converted.
namespace Win1250 {
QString decode(const char* data, qsizetype size);
inline QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }
// Characters the code page lacks become "?".
QByteArray encode(const QString& text);
} // namespace Win1250
