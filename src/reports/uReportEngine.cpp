#include "reports/uReportEngine.h"

#include "core/uSystem.h"
#include "db/uDB_FB.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJSEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QUrl>

#include <xlsxwriter.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// Pages are laid out at a fixed 96 dots per inch whatever the screen, so the
// preview, the printer and the exports break the pages alike.
constexpr int kLayoutDpi = 96;

QPaintDevice* layoutDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return &device;
}

qreal mmToLayout(qreal mm) { return mm / 25.4 * kLayoutDpi; }

QString jsString(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case 0x2028: out += QLatin1String("\\u2028"); break;
        case 0x2029: out += QLatin1String("\\u2029"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

// A value as the script sees it: Money as its exact decimal text ("1234.5"),
// dates as ISO texts, numbers as numbers.
void appendJson(QString& out, const QVariant& v)
{
    if (VarIsNull(v)) {
        out += QLatin1String("null");
        return;
    }
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
        out += QString::number(v.toLongLong());
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        out += QString::number(v.toDouble(), 'g', 17);
        return;
    case QMetaType::Bool:
        out += v.toBool() ? QLatin1String("true") : QLatin1String("false");
        return;
    case QMetaType::QDate:
        out += jsString(v.toDate().toString(Qt::ISODate));
        return;
    case QMetaType::QDateTime:
        out += jsString(v.toDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")));
        return;
    default:
        break;
    }
    if (v.metaType() == QMetaType::fromType<Money>()) {
        out += jsString(v.value<Money>().toSqlLiteral());
        return;
    }
    out += jsString(v.toString());
}

QString dataJson(const TReportData& data)
{
    QStringList keys;
    for (const QString& c : data.Columns())
        keys << jsString(c) + QLatin1Char(':');
    QString out;
    out.reserve(int(data.Rows().size()) * 32 * std::max<qsizetype>(1, keys.size()));
    out += QLatin1Char('[');
    bool firstRow = true;
    for (const QVariantList& row : data.Rows()) {
        if (!firstRow)
            out += QLatin1Char(',');
        firstRow = false;
        out += QLatin1Char('{');
        for (int i = 0; i < keys.size(); ++i) {
            if (i)
                out += QLatin1Char(',');
            out += keys[i];
            appendJson(out, row.value(i));
        }
        out += QLatin1Char('}');
    }
    out += QLatin1Char(']');
    return out;
}

// The exact money arithmetic of the script's helpers.
class ReportHelpers : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    Q_INVOKABLE QString money(const QString& value, bool withCurrency) const
    {
        const auto m = Money::parse(value);
        return m ? MoneyToText(*m, withCurrency) : value;
    }

    // Values that are not amounts (null, empty) count as zero.
    Q_INVOKABLE QString sum(const QVariantList& values) const
    {
        Money total;
        for (const QVariant& v : values) {
            if (v.isNull())
                continue;
            if (const auto m = Money::parse(v.toString()))
                total += *m;
        }
        return total.toSqlLiteral();
    }
};

const char* kPrelude = R"JS(
var __h;
function __col(r, c) { var v = r[c]; return v === undefined ? r[String(c).toUpperCase()] : v; }
function esc(v) {
  if (v === null || v === undefined) return "";
  return String(v).replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
}
function money(v, currency) { return (v === null || v === undefined || v === "") ? "" : __h.money(String(v), !!currency); }
function date(v) { if (!v) return ""; v = String(v); return v.substr(8, 2) + "." + v.substr(5, 2) + "." + v.substr(0, 4); }
function datetime(v) { if (!v) return ""; v = String(v); return date(v) + (v.length > 10 ? " " + v.substr(11, 5) : ""); }
function number(v, decimals) {
  if (v === null || v === undefined || v === "") return "";
  var s = Number(v).toFixed(decimals === undefined ? 0 : decimals);
  var neg = s.charAt(0) === "-"; if (neg) s = s.substr(1);
  var p = s.split(".");
  return (neg ? "-" : "") + p[0].replace(/\B(?=(\d{3})+(?!\d))/g, " ") + (p.length > 1 ? "," + p[1] : "");
}
function count(rows, pred) { return pred ? rows.filter(pred).length : rows.length; }
function sum(rows, c) {
  var a = new Array(rows.length);
  for (var i = 0; i < rows.length; ++i) { var v = __col(rows[i], c); a[i] = (v === null || v === undefined) ? "" : String(v); }
  return __h.sum(a);
}
function group(rows, c) {
  var m = new Map(), out = [];
  for (var i = 0; i < rows.length; ++i) {
    var k = __col(rows[i], c), g = m.get(k);
    if (!g) { g = { key: k, rows: [] }; m.set(k, g); out.push(g); }
    g.rows.push(rows[i]);
  }
  return out;
}
var __idx = new WeakMap();
function details(rows, c, value) {
  var byCol = __idx.get(rows); if (!byCol) { byCol = {}; __idx.set(rows, byCol); }
  var m = byCol[c];
  if (!m) {
    m = new Map(); byCol[c] = m;
    for (var i = 0; i < rows.length; ++i) {
      var k = __col(rows[i], c), l = m.get(k);
      if (!l) { l = []; m.set(k, l); }
      l.push(rows[i]);
    }
  }
  return m.get(value) || [];
}
)JS";

// Stops a script that runs too long: the engine may be interrupted from another thread.
class Watchdog
{
public:
    Watchdog(QJSEngine* engine, int seconds)
        : m_thread([this, engine, seconds] {
            std::unique_lock lock(m_mutex);
            if (!m_cv.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_done; }))
                engine->setInterrupted(true);
        })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_cv.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_done = false;
    std::thread m_thread;
};

// Pictures come from the data folder or from data: addresses, nothing else.
// A refused picture is an empty one: given nothing, the text layout would
// read the file itself.
class ReportDocument : public QTextDocument
{
public:
    explicit ReportDocument(const QString& folder) : m_folder(folder) {}

protected:
    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type != QTextDocument::ImageResource)
            return {};
        const QImage image = load(name);
        if (!image.isNull())
            return image;
        QImage none(1, 1, QImage::Format_ARGB32);
        none.fill(Qt::transparent);
        return none;
    }

private:
    QImage load(const QUrl& name) const
    {
        if (name.scheme() == QLatin1String("data")) {
            const QString text = name.toString(QUrl::FullyEncoded);
            const int comma = int(text.indexOf(QLatin1Char(',')));
            if (comma < 0 || !text.left(comma).endsWith(QLatin1String(";base64")))
                return {};
            return QImage::fromData(QByteArray::fromBase64(text.mid(comma + 1).toLatin1()));
        }
        if (m_folder.isEmpty() || (!name.scheme().isEmpty() && name.scheme() != QLatin1String("file")))
            return {};
        const QString path = name.isLocalFile() ? name.toLocalFile() : name.path();
        const QFileInfo info(QDir(m_folder), path);
        const QString root = QFileInfo(m_folder).canonicalFilePath() + QLatin1Char('/');
        if (!info.exists() || !info.canonicalFilePath().startsWith(root))
            return {};
        return QImage(info.canonicalFilePath());
    }

private:
    QString m_folder;
};

struct PageSetup
{
    QPageLayout layout{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter};
    QString main;
};

PageSetup pageSetup(const QString& attributes)
{
    PageSetup setup;
    static const QRegularExpression attr(QStringLiteral("(\\w+)\\s*=\\s*\"([^\"]*)\""));
    for (auto it = attr.globalMatch(attributes); it.hasNext();) {
        const auto m = it.next();
        const QString key = m.captured(1).toLower();
        const QString value = m.captured(2).trimmed();
        if (key == QLatin1String("size")) {
            static const QMap<QString, QPageSize::PageSizeId> sizes{{QStringLiteral("a3"), QPageSize::A3},
                                                                    {QStringLiteral("a4"), QPageSize::A4},
                                                                    {QStringLiteral("a5"), QPageSize::A5},
                                                                    {QStringLiteral("letter"), QPageSize::Letter},
                                                                    {QStringLiteral("legal"), QPageSize::Legal}};
            setup.layout.setPageSize(QPageSize(sizes.value(value.toLower(), QPageSize::A4)));
        } else if (key == QLatin1String("orientation")) {
            setup.layout.setOrientation(value.compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0
                                            ? QPageLayout::Landscape
                                            : QPageLayout::Portrait);
        } else if (key == QLatin1String("margins")) {
            QList<qreal> mm;
            for (const QString& part : value.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                mm << part.toDouble();
            if (mm.size() == 1)
                setup.layout.setMargins(QMarginsF(mm[0], mm[0], mm[0], mm[0]));
            else if (mm.size() == 4) // top right bottom left
                setup.layout.setMargins(QMarginsF(mm[3], mm[0], mm[1], mm[2]));
        } else if (key == QLatin1String("main")) {
            setup.main = value;
        }
    }
    return setup;
}

// The template split into its body, header and footer, each of them keeping
// the template's line numbers (other parts become empty lines).
struct Parts
{
    QString body, header, footer, page;
};

Parts splitTemplate(const QString& text)
{
    Parts parts;
    static const QRegularExpression directive(QStringLiteral("<%@\\s*(\\w+)([^%]*)%>"));
    QString* target = &parts.body;
    auto blankLines = [](const QString& s) { return QString(s.count(QLatin1Char('\n')), QLatin1Char('\n')); };
    auto appendTo = [&](QString* dest, const QString& piece) {
        for (QString* p : {&parts.body, &parts.header, &parts.footer})
            *p += p == dest ? piece : blankLines(piece);
    };
    qsizetype pos = 0;
    for (auto it = directive.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        appendTo(target, text.mid(pos, m.capturedStart() - pos));
        appendTo(nullptr, m.captured(0));
        pos = m.capturedEnd();
        const QString name = m.captured(1).toLower();
        if (name == QLatin1String("header"))
            target = &parts.header;
        else if (name == QLatin1String("footer"))
            target = &parts.footer;
        else if (name == QLatin1String("end"))
            target = &parts.body;
        else if (name == QLatin1String("page"))
            parts.page = m.captured(2);
    }
    appendTo(target, text.mid(pos));
    return parts;
}

} // namespace

struct TReportEngine::Compiled
{
    QJSValue function;
    std::vector<int> lines; // template line of each line of the generated script
    bool empty = true;
};

TReportScriptError::TReportScriptError(const QString& message, int line)
    : TTalbreckException(line > 0 ? QStringLiteral("Chyba ve skriptu sestavy na řádku %1: %2").arg(line).arg(message)
                                  : QStringLiteral("Chyba ve skriptu sestavy: %1").arg(message))
    , m_message(message)
    , m_line(line)
{
}

QString ReportValueText(const QVariant& value)
{
    if (VarIsNull(value))
        return QString();
    if (value.metaType() == QMetaType::fromType<Money>())
        return MoneyToText(value.value<Money>());
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return DateToText(value.toDate());
    case QMetaType::QDateTime:
        return DateTimeToText(value.toDateTime());
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
    default:
        return value.toString();
    }
}

TReportEngine::TReportEngine(QObject* parent)
    : QObject(parent)
{
}

TReportEngine::~TReportEngine() = default;

void TReportEngine::LoadFromFile(const QString& path)
{
    Clear();
    QFile f(path);
    if (!f.exists())
        throw TTalbreckException(QStringLiteral("Soubor sestavy neexistuje: ") + QDir::toNativeSeparators(path));
    if (!f.open(QIODevice::ReadOnly))
        throw TTalbreckException(QStringLiteral("Soubor sestavy nelze číst: ") + QDir::toNativeSeparators(path),
                                 f.errorString());
    m_template = QString::fromUtf8(f.readAll());
    m_fileName = path;
}

void TReportEngine::SaveToFile(const QString& path) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(m_template.toUtf8()) < 0 || !f.commit())
        throw TTalbreckException(QStringLiteral("Soubor sestavy nelze uložit: ") + QDir::toNativeSeparators(path),
                                 f.errorString());
}

void TReportEngine::SetTemplate(const QString& text)
{
    m_template = text;
}

void TReportEngine::Clear()
{
    m_template.clear();
    m_fileName.clear();
    resetPages();
}

void TReportEngine::resetPages()
{
    m_body.reset();
    m_headers.clear();
    m_footers.clear();
    m_bodyHtml.clear();
    m_pages = 0;
    m_headerHeight = m_footerHeight = 0;
}

void TReportEngine::SetVariable(const QString& name, const QString& expression)
{
    const QString e = expression.trimmed();
    if (e.size() >= 2 && e.startsWith(QLatin1Char('\'')) && e.endsWith(QLatin1Char('\''))) {
        m_variables[name] = e.mid(1, e.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
        return;
    }
    bool ok = false;
    const qlonglong i = e.toLongLong(&ok);
    if (ok) {
        m_variables[name] = i;
        return;
    }
    const double d = e.toDouble(&ok);
    m_variables[name] = ok ? QVariant(d) : QVariant(expression);
}

TReportData* TReportEngine::MainDataSet() const
{
    for (TReportData* d : m_dataSets)
        if (!m_mainName.isEmpty() && d->ReportName().compare(m_mainName, Qt::CaseInsensitive) == 0)
            return d;
    return m_dataSets.empty() ? nullptr : m_dataSets.front();
}

void TReportEngine::Prepare(bool openDataSets)
{
    m_running = true;
    Q_EMIT Started();
    try {
        prepare(openDataSets);
    } catch (...) {
        m_js.reset();
        resetPages();
        m_running = false;
        Q_EMIT Finished();
        throw;
    }
    m_js.reset();
    m_running = false;
    Q_EMIT Finished();
}

void TReportEngine::setUpScript()
{
    m_js = std::make_unique<QJSEngine>();
    m_js->evaluate(QString::fromUtf8(kPrelude), QStringLiteral("pomocne"));
    QJSValue global = m_js->globalObject();
    global.setProperty(QStringLiteral("__h"), m_js->newQObject(new ReportHelpers(m_js.get())));
    QJSValue vars = m_js->newObject();
    for (auto it = m_variables.cbegin(); it != m_variables.cend(); ++it) {
        const QJSValue v = m_js->toScriptValue(it.value());
        vars.setProperty(it.key(), v);
        global.setProperty(it.key(), v);
    }
    global.setProperty(QStringLiteral("vars"), vars);
    QJSValue parse = m_js->evaluate(QStringLiteral("JSON.parse"));
    for (TReportData* d : m_dataSets)
        global.setProperty(d->ReportName(), parse.call({QJSValue(dataJson(*d))}));
}

TReportEngine::Compiled TReportEngine::compile(const QString& source)
{
    Compiled c;
    if (source.trimmed().isEmpty())
        return c;
    c.empty = false;
    QString js = QStringLiteral("(function(page, pages) { var __o = \"\"; ");
    int line = 1;
    c.lines.push_back(line);
    // Appends generated script; `advance` when its line breaks are the template's own.
    auto emit = [&](const QString& code, bool advance) {
        for (const QChar ch : code) {
            js += ch;
            if (ch == QLatin1Char('\n')) {
                if (advance)
                    ++line;
                c.lines.push_back(line);
            }
        }
    };
    qsizetype pos = 0;
    while (pos < source.size()) {
        const qsizetype open = source.indexOf(QLatin1String("<%"), pos);
        const QString literal = source.mid(pos, open < 0 ? -1 : open - pos);
        const QStringList lines = literal.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            const bool last = i == lines.size() - 1;
            const QString piece = last ? lines[i] : lines[i] + QLatin1Char('\n');
            if (!piece.isEmpty())
                emit(QStringLiteral("__o += ") + jsString(piece) + QStringLiteral("; "), false);
            if (!last)
                emit(QStringLiteral("\n"), true);
        }
        if (open < 0)
            break;
        const qsizetype close = source.indexOf(QLatin1String("%>"), open + 2);
        if (close < 0) {
            const int at = int(source.left(open).count(QLatin1Char('\n'))) + 1;
            throw TReportScriptError(QStringLiteral("chybí ukončení %> bloku skriptu"), at);
        }
        QString code = source.mid(open + 2, close - open - 2);
        if (code.startsWith(QLatin1Char('='))) {
            emit(QStringLiteral("__o += esc("), false);
            emit(code.mid(1), true);
            emit(QStringLiteral("); "), false);
        } else if (code.startsWith(QLatin1Char('-'))) {
            emit(QStringLiteral("__o += (function(v){ return v === null || v === undefined ? \"\" : String(v); })("), false);
            emit(code.mid(1), true);
            emit(QStringLiteral("); "), false);
        } else {
            emit(code, true);
            // A line comment at the end of a block must not swallow what follows.
            emit(QStringLiteral("\n"), false);
        }
        pos = close + 2;
    }
    emit(QStringLiteral("\nreturn __o; })"), false);

    c.function = m_js->evaluate(js, QStringLiteral("sestava"), 1);
    if (c.function.isError()) {
        const int genLine = c.function.property(QStringLiteral("lineNumber")).toInt();
        const int at = genLine >= 1 && genLine <= int(c.lines.size()) ? c.lines[genLine - 1] : 0;
        throw TReportScriptError(c.function.property(QStringLiteral("message")).toString(), at);
    }
    return c;
}

QString TReportEngine::run(const Compiled& section, int page, int pages)
{
    if (section.empty)
        return QString();
    QJSValue result;
    {
        Watchdog watchdog(m_js.get(), ScriptTimeLimit);
        result = section.function.call({QJSValue(page), QJSValue(pages)});
    }
    if (m_js->isInterrupted())
        throw TReportScriptError(QStringLiteral("skript běžel příliš dlouho a byl zastaven"), 0);
    if (m_js->hasError() || result.isError()) {
        const QJSValue error = m_js->hasError() ? m_js->catchError() : result;
        if (!error.isError())
            throw TReportScriptError(error.toString(), 0);
        int genLine = error.property(QStringLiteral("lineNumber")).toInt();
        if (!error.property(QStringLiteral("fileName")).toString().endsWith(QLatin1String("sestava"))) {
            // Raised inside a helper: the line is where the template called it.
            static const QRegularExpression frame(QStringLiteral("sestava:(\\d+)"));
            const auto m = frame.match(error.property(QStringLiteral("stack")).toString());
            genLine = m.hasMatch() ? m.captured(1).toInt() : 0;
        }
        const int at = genLine >= 1 && genLine <= int(section.lines.size()) ? section.lines[genLine - 1] : 0;
        throw TReportScriptError(error.property(QStringLiteral("message")).toString(), at);
    }
    return result.toString();
}

std::unique_ptr<QTextDocument> TReportEngine::makeDocument(const QString& html, qreal width) const
{
    auto doc = std::make_unique<ReportDocument>(m_resourceFolder);
    doc->documentLayout()->setPaintDevice(layoutDevice());
    doc->setDocumentMargin(0);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9);
    doc->setDefaultFont(font);
    doc->setTextWidth(width);
    doc->setHtml(html);
    return doc;
}

void TReportEngine::prepare(bool openDataSets)
{
    resetPages();
    if (openDataSets)
        for (TReportData* d : m_dataSets)
            d->Open();

    const Parts parts = splitTemplate(m_template);
    const PageSetup setup = pageSetup(parts.page);
    m_layout = setup.layout;
    m_mainName = setup.main;

    setUpScript();
    const Compiled body = compile(parts.body);
    const Compiled header = compile(parts.header);
    const Compiled footer = compile(parts.footer);

    const QRectF paint = m_layout.paintRect(QPageLayout::Millimeter);
    const qreal width = mmToLayout(paint.width());
    const qreal height = mmToLayout(paint.height());

    // First pass: the body and the size of the page bands.
    m_bodyHtml = run(body, 1, 1);
    if (!header.empty)
        m_headerHeight = makeDocument(run(header, 1, 1), width)->size().height();
    if (!footer.empty)
        m_footerHeight = makeDocument(run(footer, 1, 1), width)->size().height();
    const qreal bodyHeight = std::max<qreal>(height - m_headerHeight - m_footerHeight, height / 4);
    auto doc = makeDocument(m_bodyHtml, width);
    doc->setPageSize(QSizeF(width, bodyHeight));
    const int pages = std::max(1, doc->pageCount());

    // Second pass: the bands of every page with the page count known.
    for (int p = 1; p <= pages; ++p) {
        if (!header.empty)
            m_headers.push_back(makeDocument(run(header, p, pages), width));
        if (!footer.empty)
            m_footers.push_back(makeDocument(run(footer, p, pages), width));
    }
    m_body = std::move(doc);
    m_pages = pages;
}

QSizeF TReportEngine::PageSizePoints() const
{
    return m_layout.fullRect(QPageLayout::Point).size();
}

void TReportEngine::PaintPage(QPainter* painter, int page) const
{
    if (page < 0 || page >= m_pages)
        return;
    const QRectF paint = m_layout.paintRect(QPageLayout::Millimeter);
    const qreal width = mmToLayout(paint.width());
    const qreal height = mmToLayout(paint.height());
    const qreal bodyHeight = m_body->pageSize().height();

    painter->save();
    painter->scale(72.0 / kLayoutDpi, 72.0 / kLayoutDpi);
    painter->translate(mmToLayout(paint.left()), mmToLayout(paint.top()));
    QAbstractTextDocumentLayout::PaintContext ctx;
    auto draw = [&](QTextDocument* doc, qreal top, qreal docTop, qreal h) {
        painter->save();
        painter->translate(0, top - docTop);
        ctx.clip = QRectF(0, docTop, width, h);
        painter->setClipRect(ctx.clip);
        doc->documentLayout()->draw(painter, ctx);
        painter->restore();
    };
    if (page < int(m_headers.size()))
        draw(m_headers[page].get(), 0, 0, m_headerHeight);
    draw(m_body.get(), m_headerHeight, page * bodyHeight, bodyHeight);
    if (page < int(m_footers.size()))
        draw(m_footers[page].get(), height - m_footerHeight, 0, m_footerHeight);
    painter->restore();
}

QString TReportEngine::PageText(int page) const
{
    if (page < 0 || page >= m_pages)
        return QString();
    // Block by block: a cursor's selection would widen to whole tables.
    auto text = [](const QTextDocument* doc, int from, int to) {
        QStringList lines;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            if (b.position() < from)
                continue;
            if (b.position() >= to)
                break;
            const QString line = b.text().replace(QChar::LineSeparator, QLatin1Char(' ')).trimmed();
            if (!line.isEmpty())
                lines << line;
        }
        return lines.join(QLatin1Char('\n'));
    };
    const qreal h = m_body->pageSize().height();
    auto* layout = m_body->documentLayout();
    // The first position at or below y; a row that would straddle the page
    // edge is laid out on the next page, so the point just below the edge lies in it.
    auto positionAt = [&](qreal y) {
        for (QTextBlock b = m_body->begin(); b.isValid(); b = b.next())
            if (layout->blockBoundingRect(b).bottom() > y + 1)
                return b.position();
        return m_body->characterCount();
    };
    QString out;
    if (page < int(m_headers.size()))
        out += text(m_headers[page].get(), 0, m_headers[page]->characterCount()) + QLatin1Char('\n');
    out += text(m_body.get(), positionAt(page * h), positionAt((page + 1) * h));
    if (page < int(m_footers.size()))
        out += QLatin1Char('\n') + text(m_footers[page].get(), 0, m_footers[page]->characterCount());
    return out;
}

void TReportEngine::ExportPdf(const QString& file) const
{
    QPdfWriter writer(file);
    writer.setResolution(1200);
    writer.setPageLayout(m_layout);
    writer.setCreator(QStringLiteral("ZUNO"));
    writer.setTitle(QFileInfo(m_fileName).completeBaseName());
    QPainter painter;
    if (!painter.begin(&writer))
        throw TTalbreckException(QStringLiteral("Soubor nelze zapsat: ") + QDir::toNativeSeparators(file));
    const qreal scale = writer.resolution() / 72.0;
    for (int p = 0; p < m_pages; ++p) {
        if (p > 0)
            writer.newPage();
        painter.save();
        // The writer's origin is the corner of its paint rectangle; pages are painted from the paper's corner.
        const QRectF margins = m_layout.paintRect(QPageLayout::Point);
        painter.scale(scale, scale);
        painter.translate(-margins.left(), -margins.top());
        PaintPage(&painter, p);
        painter.restore();
    }
    if (!painter.end())
        throw TTalbreckException(QStringLiteral("Soubor nelze zapsat: ") + QDir::toNativeSeparators(file));
}

void TReportEngine::ExportHtml(const QString& file) const
{
    QString html = m_bodyHtml;
    if (!html.contains(QLatin1String("charset"), Qt::CaseInsensitive))
        html.prepend(QStringLiteral("<meta charset=\"utf-8\">\n"));
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(html.toUtf8()) < 0 || !f.commit())
        throw TTalbreckException(QStringLiteral("Soubor nelze zapsat: ") + QDir::toNativeSeparators(file), f.errorString());
}

void TReportEngine::ExportOdt(const QString& file) const
{
    if (!m_body)
        return;
    QTextDocumentWriter writer(file, "odf");
    if (!writer.write(m_body.get()))
        throw TTalbreckException(QStringLiteral("Soubor nelze zapsat: ") + QDir::toNativeSeparators(file));
}

QStringList TReportEngine::ExportPng(const QString& file, int dpi) const
{
    QStringList written;
    const QFileInfo info(file);
    const QString base = info.path() + QLatin1Char('/') + info.completeBaseName();
    const QSizeF points = PageSizePoints();
    for (int p = 0; p < m_pages; ++p) {
        QImage image((points * dpi / 72.0).toSize(), QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(dpi / 72.0, dpi / 72.0);
            PaintPage(&painter, p);
        }
        const QString name = m_pages == 1 ? base + QStringLiteral(".png") : QStringLiteral("%1_%2.png").arg(base).arg(p + 1);
        if (!image.save(name, "PNG"))
            throw TTalbreckException(QStringLiteral("Soubor nelze zapsat: ") + QDir::toNativeSeparators(name));
        written << name;
    }
    return written;
}

void TReportEngine::ExportCsv(const QString& file) const
{
    const TReportData* data = MainDataSet();
    auto field = [](QString text) {
        if (text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n'))
            || text.contains(QLatin1Char('\r'))) {
            text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            return QLatin1Char('"') + text + QLatin1Char('"');
        }
        return text;
    };
    QString out;
    if (data) {
        QStringList header;
        for (const QString& c : data->Columns())
            header << field(c);
        out += header.join(QLatin1Char(';')) + QStringLiteral("\r\n");
        for (const QVariantList& row : data->Rows()) {
            QStringList cells;
            for (const QVariant& v : row)
                cells << field(ReportValueText(v));
            out += cells.join(QLatin1Char(';')) + QStringLiteral("\r\n");
        }
    }
    QSaveFile f(file);
    // With the byte-order mark spreadsheet programs read the file as UTF-8.
    if (!f.open(QIODevice::WriteOnly) || f.write("\xEF\xBB\xBF") < 0 || f.write(out.toUtf8()) < 0 || !f.commit())
        throw TTalbreckException(QStringLiteral("Soubor nelze zapsat: ") + QDir::toNativeSeparators(file), f.errorString());
}

void TReportEngine::ExportXlsx(const QString& file) const
{
    const TReportData* data = MainDataSet();
    const QByteArray path = QFile::encodeName(file);
    lxw_workbook* wb = workbook_new(path.constData());
    if (!wb)
        throw TTalbreckException(QStringLiteral("Soubor nelze zapsat: ") + QDir::toNativeSeparators(file));
    const QByteArray sheetName = (data ? data->ReportName() : QStringLiteral("Sestava")).left(31).toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheetName.constData());
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);
    lxw_format* moneyFormat = workbook_add_format(wb);
    format_set_num_format(moneyFormat, "#,##0.00");
    lxw_format* dateFormat = workbook_add_format(wb);
    format_set_num_format(dateFormat, "dd.mm.yyyy");
    lxw_format* dateTimeFormat = workbook_add_format(wb);
    format_set_num_format(dateTimeFormat, "dd.mm.yyyy hh:mm");
    if (data) {
        for (int c = 0; c < data->Columns().size(); ++c)
            worksheet_write_string(ws, 0, lxw_col_t(c), data->Columns()[c].toUtf8().constData(), bold);
        lxw_row_t r = 1;
        for (const QVariantList& row : data->Rows()) {
            for (int c = 0; c < row.size(); ++c) {
                const QVariant& v = row[c];
                const auto col = lxw_col_t(c);
                if (VarIsNull(v))
                    continue;
                if (v.metaType() == QMetaType::fromType<Money>()) {
                    // The file format keeps every number as a double; the
                    // amount is exact up to 2^53 ten-thousandths.
                    worksheet_write_number(ws, r, col, double(v.value<Money>().units()) / Money::Scale, moneyFormat);
                    continue;
                }
                switch (v.metaType().id()) {
                case QMetaType::Int:
                case QMetaType::LongLong:
                case QMetaType::Short:
                case QMetaType::Double:
                case QMetaType::Float:
                    worksheet_write_number(ws, r, col, v.toDouble(), nullptr);
                    break;
                case QMetaType::QDate: {
                    const QDate d = v.toDate();
                    lxw_datetime dt{d.year(), d.month(), d.day(), 0, 0, 0};
                    worksheet_write_datetime(ws, r, col, &dt, dateFormat);
                    break;
                }
                case QMetaType::QDateTime: {
                    const QDateTime d = v.toDateTime();
                    lxw_datetime dt{d.date().year(), d.date().month(), d.date().day(), d.time().hour(), d.time().minute(),
                                    double(d.time().second())};
                    worksheet_write_datetime(ws, r, col, &dt, dateTimeFormat);
                    break;
                }
                default:
                    worksheet_write_string(ws, r, col, v.toString().toUtf8().constData(), nullptr);
                }
            }
            ++r;
        }
    }
    if (workbook_close(wb) != LXW_NO_ERROR)
        throw TTalbreckException(QStringLiteral("Soubor nelze zapsat: ") + QDir::toNativeSeparators(file));
}

#include "uReportEngine.moc"
