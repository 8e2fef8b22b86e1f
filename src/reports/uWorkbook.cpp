#include "reports/uWorkbook.h"

#include "core/uException.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cmath>
#include <optional>
#include <unzip.h>

namespace {

const QString kNotWorkbook = QStringLiteral("Soubor \"%1\" není sešit ve formátu .xlsx ani .ods.");

[[noreturn]] void fail(const QString& message, const QString& description = {})
{
    throw TTalbreckException(message, description);
}

// The column number of a cell reference such as "AB12" (28), 0 when there is none.
int columnOfReference(QStringView ref)
{
    int column = 0;
    for (QChar c : ref) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            column = column * 26 + (c.unicode() - 'A' + 1);
        else
            break;
        if (column > TWorkbook::MaxColumns)
            return 0;
    }
    return column;
}

// A number as the user sees it without a format: whole numbers without a
// decimal part, others with up to fifteen significant digits and a comma.
QString numberText(double value)
{
    if (!std::isfinite(value))
        return {};
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString dateText(const QDate& date, double dayFraction)
{
    if (!date.isValid())
        return {};
    QString text = date.toString(QStringLiteral("d.M.yyyy"));
    const int seconds = static_cast<int>(std::lround(dayFraction * 86400.0));
    if (seconds > 0 && seconds < 86400)
        text += QLatin1Char(' ') + QTime(0, 0).addSecs(seconds).toString(QStringLiteral("H:mm:ss"));
    return text;
}

// A date written as ISO text ("2019-01-01" or "2019-01-01T10:00:00"); text
// that is no such date stays as it is.
QString isoDateText(const QString& raw)
{
    const QDateTime dt = raw.size() > 10 ? QDateTime::fromString(raw.left(19), Qt::ISODate)
                                         : QDateTime(QDate::fromString(raw, Qt::ISODate), QTime(0, 0));
    return dt.isValid() ? dateText(dt.date(), dt.time().msecsSinceStartOfDay() / 86400000.0) : raw;
}

// Whether a number format code shows a date: it has a day, month or year
// part outside quoted text, escaped characters and [colour] sections.
bool isDateFormatCode(const QString& code)
{
    bool quoted = false;
    bool bracket = false;
    for (int i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (quoted) {
            quoted = c != QLatin1Char('"');
            continue;
        }
        if (bracket) {
            bracket = c != QLatin1Char(']');
            continue;
        }
        if (c == QLatin1Char('"'))
            quoted = true;
        else if (c == QLatin1Char('['))
            bracket = true;
        else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*'))
            ++i;
        else if (c == QLatin1Char(';'))
            break;
        else if (QStringLiteral("dDyY").contains(c))
            return true;
    }
    return false;
}

// A part path of the package relative to the folder of the part that names it.
QString resolvePartPath(const QString& baseFolder, const QString& target)
{
    QString path = target.startsWith(QLatin1Char('/')) ? target.mid(1) : baseFolder + target;
    QStringList out;
    for (const QString& piece : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (piece == QLatin1String(".."))
            out.isEmpty() ? void() : out.removeLast();
        else if (piece != QLatin1String("."))
            out << piece;
    }
    return out.join(QLatin1Char('/'));
}

// The text of an element with its runs (<r><t>), without phonetic hints;
// the reader stands on the element's start and ends on its end.
QString richText(QXmlStreamReader& xml)
{
    QString text;
    const QStringView end = xml.name();
    int skip = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("rPh"))
                ++skip;
            else if (xml.name() == QLatin1String("t") && skip == 0)
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("rPh"))
                --skip;
            else if (xml.name() == end && skip == 0)
                break;
        }
    }
    return text;
}

} // namespace

void TWorkbookSheet::SetCell(int row, int column, const QString& text)
{
    if (text.isEmpty() || row < 1 || column < 1 || row > TWorkbook::MaxRows || column > TWorkbook::MaxColumns)
        return;
    m_cells.insert(key(row, column), text);
    m_lastRow = std::max(m_lastRow, row);
}

struct TWorkbook::Impl
{
    enum class Kind { Xlsx, Ods };

    QString fileName;
    unzFile zip = nullptr;
    Kind kind = Kind::Xlsx;
    QStringList names;
    QHash<QString, QString> sheetParts; // xlsx: sheet name -> part path
    QStringList sharedStrings;
    QList<bool> dateStyles; // xlsx: per cell style, whether it shows a date
    QByteArray odsContent;  // ods: the whole content part
    bool date1904 = false;

    ~Impl()
    {
        if (zip)
            unzClose(zip);
    }

    std::optional<QByteArray> part(const QString& path) const
    {
        if (unzLocateFile(zip, path.toUtf8().constData(), 1) != UNZ_OK)
            return std::nullopt;
        unz_file_info64 info {};
        if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            fail(kNotWorkbook.arg(QFileInfo(fileName).fileName()));
        if (info.flag & 1)
            fail(QStringLiteral("Sešit \"%1\" je chráněný heslem.").arg(QFileInfo(fileName).fileName()),
                 QStringLiteral("Uložte jej bez hesla a importujte znovu."));
        if (info.uncompressed_size > quint64(MaxPartSize) || unzOpenCurrentFile(zip) != UNZ_OK)
            fail(kNotWorkbook.arg(QFileInfo(fileName).fileName()));
        QByteArray data;
        data.reserve(static_cast<qsizetype>(info.uncompressed_size));
        char buffer[65536];
        for (;;) {
            const int n = unzReadCurrentFile(zip, buffer, sizeof buffer);
            if (n < 0 || data.size() + n > MaxPartSize) {
                unzCloseCurrentFile(zip);
                fail(QStringLiteral("Sešit \"%1\" je poškozený.").arg(QFileInfo(fileName).fileName()));
            }
            if (n == 0)
                break;
            data.append(buffer, n);
        }
        if (unzCloseCurrentFile(zip) != UNZ_OK)
            fail(QStringLiteral("Sešit \"%1\" je poškozený.").arg(QFileInfo(fileName).fileName()));
        return data;
    }

    // The relationships of a part: ID -> (type, resolved target).
    QHash<QString, std::pair<QString, QString>> relationships(const QString& partPath) const
    {
        QHash<QString, std::pair<QString, QString>> result;
        const int slash = partPath.lastIndexOf(QLatin1Char('/'));
        const QString folder = partPath.left(slash + 1);
        const auto data = part(folder + QStringLiteral("_rels/") + partPath.mid(slash + 1) + QStringLiteral(".rels"));
        if (!data)
            return result;
        QXmlStreamReader xml(*data);
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("Relationship")) {
                const auto a = xml.attributes();
                if (a.value(QLatin1String("TargetMode")) != QLatin1String("External"))
                    result.insert(a.value(QLatin1String("Id")).toString(),
                                  {a.value(QLatin1String("Type")).toString(),
                                   resolvePartPath(folder, a.value(QLatin1String("Target")).toString())});
            }
        }
        return result;
    }

    static QString relationshipOfType(const QHash<QString, std::pair<QString, QString>>& rels, QStringView typeEnd)
    {
        for (const auto& [type, target] : rels)
            if (type.endsWith(typeEnd))
                return target;
        return {};
    }

    void openXlsx()
    {
        QString workbookPath = relationshipOfType(relationships(QString()), u"/officeDocument");
        if (workbookPath.isEmpty())
            workbookPath = QStringLiteral("xl/workbook.xml");
        const auto workbook = part(workbookPath);
        if (!workbook)
            fail(kNotWorkbook.arg(QFileInfo(fileName).fileName()));
        const auto rels = relationships(workbookPath);

        QXmlStreamReader xml(*workbook);
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            if (xml.name() == QLatin1String("workbookPr")) {
                const QStringView v = xml.attributes().value(QLatin1String("date1904"));
                date1904 = v == QLatin1String("1") || v == QLatin1String("true");
            } else if (xml.name() == QLatin1String("sheet")) {
                QString name;
                QString rid;
                for (const QXmlStreamAttribute& a : xml.attributes()) {
                    if (a.name() == QLatin1String("name"))
                        name = a.value().toString();
                    else if (a.name() == QLatin1String("id") && !a.namespaceUri().isEmpty())
                        rid = a.value().toString();
                }
                names << name;
                sheetParts.insert(name, rels.value(rid).second);
            }
        }
        if (xml.hasError())
            fail(QStringLiteral("Sešit \"%1\" je poškozený.").arg(QFileInfo(fileName).fileName()), xml.errorString());

        const QString stringsPath = relationshipOfType(rels, u"/sharedStrings");
        if (const auto strings = part(stringsPath.isEmpty() ? QStringLiteral("xl/sharedStrings.xml") : stringsPath)) {
            QXmlStreamReader s(*strings);
            while (!s.atEnd()) {
                s.readNext();
                if (s.isStartElement() && s.name() == QLatin1String("si"))
                    sharedStrings << richText(s);
            }
        }

        const QString stylesPath = relationshipOfType(rels, u"/styles");
        if (const auto styles = part(stylesPath.isEmpty() ? QStringLiteral("xl/styles.xml") : stylesPath)) {
            QHash<int, bool> customDates;
            QXmlStreamReader s(*styles);
            bool inCellXfs = false;
            while (!s.atEnd()) {
                s.readNext();
                if (s.isEndElement() && s.name() == QLatin1String("cellXfs"))
                    inCellXfs = false;
                if (!s.isStartElement())
                    continue;
                const auto a = s.attributes();
                if (s.name() == QLatin1String("numFmt")) {
                    customDates.insert(a.value(QLatin1String("numFmtId")).toInt(),
                                       isDateFormatCode(a.value(QLatin1String("formatCode")).toString()));
                } else if (s.name() == QLatin1String("cellXfs")) {
                    inCellXfs = true;
                } else if (inCellXfs && s.name() == QLatin1String("xf")) {
                    const int id = a.value(QLatin1String("numFmtId")).toInt();
                    const bool builtInDate = (id >= 14 && id <= 22) || (id >= 45 && id <= 47) || (id >= 27 && id <= 36)
                                             || (id >= 50 && id <= 58);
                    dateStyles << (customDates.contains(id) ? customDates.value(id) : builtInDate);
                }
            }
        }
    }

    void openOds()
    {
        // The sheets' names and cells are all in one part, unpacked once here.
        const auto content = part(QStringLiteral("content.xml"));
        if (!content)
            fail(kNotWorkbook.arg(QFileInfo(fileName).fileName()));
        odsContent = *content;
        QXmlStreamReader xml(odsContent);
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("table")
                && xml.namespaceUri().startsWith(QLatin1String("urn:oasis:names:tc:opendocument:xmlns:table"))) {
                names << xml.attributes().value(QLatin1String("table:name")).toString();
                xml.skipCurrentElement();
            }
        }
        if (xml.hasError())
            fail(QStringLiteral("Sešit \"%1\" je poškozený.").arg(QFileInfo(fileName).fileName()), xml.errorString());
    }

    QString xlsxNumber(const QString& raw, int style) const
    {
        bool ok = false;
        const double value = raw.toDouble(&ok);
        if (!ok)
            return raw;
        if (style >= 0 && style < dateStyles.size() && dateStyles.at(style) && value >= 0 && value < 2958466) {
            const QDate base = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
            const double days = std::floor(value);
            return dateText(base.addDays(static_cast<qint64>(days)), value - days);
        }
        return numberText(value);
    }

    TWorkbookSheet xlsxSheet(const QString& name) const
    {
        const auto data = part(sheetParts.value(name));
        if (!data)
            fail(QStringLiteral("List \"%1\" sešitu nelze přečíst.").arg(name));
        TWorkbookSheet sheet;
        QXmlStreamReader xml(*data);
        int row = 0;
        int column = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            const auto a = xml.attributes();
            if (xml.name() == QLatin1String("row")) {
                const int r = a.value(QLatin1String("r")).toInt();
                row = r > 0 ? r : row + 1;
                column = 0;
                if (row > MaxRows)
                    break;
            } else if (xml.name() == QLatin1String("c")) {
                const QStringView ref = a.value(QLatin1String("r"));
                const int c = columnOfReference(ref);
                column = c > 0 ? c : column + 1;
                const QStringView type = a.value(QLatin1String("t"));
                const int style = a.hasAttribute(QLatin1String("s")) ? a.value(QLatin1String("s")).toInt() : -1;
                QString value;
                bool haveValue = false;
                QString text;
                // The cell's children: <v> the value, <is> an inline text, <f> a formula.
                while (!xml.atEnd()) {
                    xml.readNext();
                    if (xml.isEndElement() && xml.name() == QLatin1String("c"))
                        break;
                    if (!xml.isStartElement())
                        continue;
                    if (xml.name() == QLatin1String("v")) {
                        value = xml.readElementText();
                        haveValue = true;
                    } else if (xml.name() == QLatin1String("is")) {
                        text = richText(xml);
                    } else {
                        xml.skipCurrentElement();
                    }
                }
                if (type == QLatin1String("s")) {
                    bool ok = false;
                    const int index = value.toInt(&ok);
                    text = ok && index >= 0 && index < sharedStrings.size() ? sharedStrings.at(index) : QString();
                } else if (type == QLatin1String("b")) {
                    text = haveValue ? (value.trimmed() == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0")) : QString();
                } else if (type == QLatin1String("str") || type == QLatin1String("e")) {
                    text = value;
                } else if (type == QLatin1String("d")) {
                    text = isoDateText(value);
                } else if (type != QLatin1String("inlineStr") && haveValue) {
                    text = xlsxNumber(value, style);
                }
                sheet.SetCell(row, column, text);
            }
        }
        if (xml.hasError())
            fail(QStringLiteral("List \"%1\" sešitu je poškozený.").arg(name), xml.errorString());
        return sheet;
    }

    // The text of an OpenDocument cell's paragraphs: spaces (text:s),
    // tabs and line breaks as written; paragraphs on lines of their own.
    static QString odsCellText(QXmlStreamReader& xml)
    {
        QString text;
        int paragraphs = 0;
        int depth = 1;
        while (!xml.atEnd() && depth > 0) {
            xml.readNext();
            if (xml.isStartElement()) {
                ++depth;
                const QStringView n = xml.name();
                if (n == QLatin1String("p") || n == QLatin1String("h")) {
                    if (paragraphs++ > 0)
                        text += QLatin1Char('\n');
                } else if (n == QLatin1String("s")) {
                    const int count = xml.attributes().hasAttribute(QLatin1String("text:c"))
                                          ? xml.attributes().value(QLatin1String("text:c")).toInt()
                                          : 1;
                    text += QString(std::clamp(count, 1, 1000), QLatin1Char(' '));
                } else if (n == QLatin1String("tab")) {
                    text += QLatin1Char('\t');
                } else if (n == QLatin1String("line-break")) {
                    text += QLatin1Char('\n');
                } else if (n == QLatin1String("annotation")) {
                    xml.skipCurrentElement();
                    --depth;
                }
            } else if (xml.isEndElement()) {
                --depth;
            } else if (xml.isCharacters() && depth >= 2) {
                text += xml.text();
            }
        }
        return text;
    }

    TWorkbookSheet odsSheet(const QString& name) const
    {
        TWorkbookSheet sheet;
        QXmlStreamReader xml(odsContent);
        bool inSheet = false;
        int row = 0;
        int column = 0;
        int rowRepeat = 1;
        QList<std::pair<int, QString>> rowCells;
        auto attr = [&xml](const char* qualified) { return xml.attributes().value(QLatin1String(qualified)); };
        while (!xml.atEnd()) {
            xml.readNext();
            const QStringView n = xml.name();
            if (xml.isStartElement() && n == QLatin1String("table")) {
                if (inSheet || attr("table:name") != name) {
                    xml.skipCurrentElement();
                    continue;
                }
                inSheet = true;
            } else if (xml.isEndElement() && n == QLatin1String("table") && inSheet) {
                break;
            }
            if (!inSheet)
                continue;
            if (xml.isStartElement() && n == QLatin1String("table-row")) {
                rowRepeat = std::max(1, attr("table:number-rows-repeated").toInt());
                column = 0;
                rowCells.clear();
            } else if (xml.isEndElement() && n == QLatin1String("table-row")) {
                // A repeated row is stored once per repeat only when it holds anything.
                const int repeats = rowCells.isEmpty() ? 1 : std::min(rowRepeat, MaxRows - row);
                for (int i = 0; i < repeats; ++i)
                    for (const auto& [c, t] : rowCells)
                        sheet.SetCell(row + 1 + i, c, t);
                row += rowCells.isEmpty() ? rowRepeat : repeats;
                if (row >= MaxRows)
                    break;
            } else if (xml.isStartElement() && (n == QLatin1String("table-cell") || n == QLatin1String("covered-table-cell"))) {
                const int repeat = std::max(1, attr("table:number-columns-repeated").toInt());
                const QStringView type = attr("office:value-type");
                QString text;
                if (type == QLatin1String("float") || type == QLatin1String("percentage") || type == QLatin1String("currency")) {
                    bool ok = false;
                    const double v = attr("office:value").toDouble(&ok);
                    text = ok ? numberText(v) : QString();
                    xml.skipCurrentElement();
                } else if (type == QLatin1String("date")) {
                    text = isoDateText(attr("office:date-value").toString());
                    xml.skipCurrentElement();
                } else if (type == QLatin1String("boolean")) {
                    text = attr("office:boolean-value") == QLatin1String("true") ? QStringLiteral("1") : QStringLiteral("0");
                    xml.skipCurrentElement();
                } else {
                    text = odsCellText(xml);
                }
                if (!text.isEmpty())
                    for (int i = 0; i < repeat && column + 1 + i <= MaxColumns; ++i)
                        rowCells.append({column + 1 + i, text});
                column = std::min(column + repeat, MaxColumns);
            }
        }
        if (xml.hasError())
            fail(QStringLiteral("List \"%1\" sešitu je poškozený.").arg(name), xml.errorString());
        return sheet;
    }
};

TWorkbook::TWorkbook(const QString& fileName)
    : d(std::make_unique<Impl>())
{
    d->fileName = fileName;
    const QString shown = QFileInfo(fileName).fileName();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Soubor \"%1\" nelze otevřít.").arg(shown), file.errorString());
    const QByteArray head = file.read(8);
    file.close();
    // The compound-file signature: the old binary workbook, or a workbook locked with a password.
    if (head == QByteArray::fromHex("D0CF11E0A1B11AE1"))
        fail(QStringLiteral("Soubor \"%1\" je sešit starého formátu Excelu (.xls) nebo je chráněný heslem.").arg(shown),
             QStringLiteral("Otevřete jej v tabulkovém procesoru a uložte jako sešit .xlsx (bez hesla). Pak jej importujte znovu."));
    if (!head.startsWith("PK"))
        fail(kNotWorkbook.arg(shown));
    d->zip = unzOpen64(QFile::encodeName(fileName).constData());
    if (!d->zip)
        fail(kNotWorkbook.arg(shown));
    if (const auto mime = d->part(QStringLiteral("mimetype")); mime && mime->trimmed() == "application/vnd.oasis.opendocument.spreadsheet") {
        d->kind = Impl::Kind::Ods;
        d->openOds();
    } else {
        d->kind = Impl::Kind::Xlsx;
        d->openXlsx();
    }
}

TWorkbook::~TWorkbook() = default;

QStringList TWorkbook::SheetNames() const { return d->names; }

bool TWorkbook::HasSheet(const QString& name) const { return d->names.contains(name); }

TWorkbookSheet TWorkbook::Sheet(const QString& name) const
{
    if (!HasSheet(name))
        fail(QStringLiteral("Sešit \"%1\" nemá list \"%2\".").arg(QFileInfo(d->fileName).fileName(), name));
    return d->kind == Impl::Kind::Ods ? d->odsSheet(name) : d->xlsxSheet(name);
}
