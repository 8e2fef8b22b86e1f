#include "db/Win1250.h"

#include <QHash>
#include <QStringDecoder>

#include <array>
#include <stdexcept>

namespace {

// The code page's table, read once from Qt's codec data.
struct Table
{
    std::array<char16_t, 256> toUnicode {};
    QHash<char16_t, char> fromUnicode;

    Table()
    {
        QStringDecoder decoder("windows-1250");
        if (!decoder.isValid())
            throw std::runtime_error("The Windows-1250 code page is not available in this Qt build.");
        for (int i = 0; i < 256; ++i) {
            const char byte = static_cast<char>(i);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            toUnicode[i] = s.size() == 1 ? s[0].unicode() : u'?';
            if (i >= 128 && s.size() == 1 && s[0] != QChar::ReplacementCharacter)
                fromUnicode.insert(s[0].unicode(), byte);
        }
    }
};

const Table& table()
{
    static const Table t;
    return t;
}

} // namespace

namespace Win1250 {

QString decode(const char* data, qsizetype size)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    while (i < size && bytes[i] < 128)
        ++i;
    if (i == size)
        return QString::fromLatin1(data, size);
    const Table& t = table();
    QString out(size, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype k = 0; k < size; ++k)
        dst[k] = QChar(t.toUnicode[bytes[k]]);
    return out;
}

QByteArray encode(const QString& text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    const Table* t = nullptr;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const char16_t c = text[k].unicode();
        if (c < 128) {
            dst[k] = static_cast<char>(c);
            continue;
        }
        if (!t)
            t = &table();
        dst[k] = t->fromUnicode.value(c, '?');
    }
    return out;
}

} // namespace Win1250
