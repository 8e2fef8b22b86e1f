#include "TestEnv.h"

#include "core/uException.h"
#include "db/uDB_FB.h"
#include "db/uProjectDB.h"
#include "reports/uReportEngine.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <zlib.h>

namespace {

// The template of the engine tests: a page header and footer, a master–detail
// pair, money, dates and the variables.
const char* kMasterDetail = R"(<%@ page size="A5" margins="10" %>
<%@ header %><p>Hlavička <%= Org %></p><%@ end %>
<%@ footer %><p>Strana <%= page %> z <%= pages %></p><%@ end %>
<h3>Rok <%= ROK %></h3>
<% Skupiny.forEach(function (s) { %>
<h4>Skupina <%= s.NAZEV %></h4>
<table>
<% details(Radky, "KLIC", s.KLIC).forEach(function (r) { %>
<tr><td><%= r.DISPLAYNAME %></td><td><%= date(r.DATUM) %></td><td><%= money(r.CASTKA) %></td></tr>
<% }); %>
</table>
<p>Součet <%= s.NAZEV %>: <%= money(sum(details(Radky, "KLIC", s.KLIC), "CASTKA"), true) %></p>
<% }); %>
<p>Celkem: <%= money(sum(Radky, "CASTKA")) %> / <%= count(Radky) %></p>
)";

// One entry of a zip file, found through the central directory. (The test
// reads the file itself: a zip library beside the spreadsheet writer in one
// program clashes with the writer's own zip code.)
QString readZipEntry(const QString& zip, const QString& entry)
{
    QFile f(zip);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray z = f.readAll();
    auto u16 = [&z](qsizetype at) { return quint16(uchar(z[at]) | uchar(z[at + 1]) << 8); };
    auto u32 = [&](qsizetype at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; };
    const qsizetype end = z.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0)
        return {};
    qsizetype at = u32(end + 16);
    for (int i = 0; i < u16(end + 10); ++i) {
        const int nameLen = u16(at + 28);
        const QByteArray name = z.mid(at + 46, nameLen);
        if (name == entry.toUtf8()) {
            const quint32 packed = u32(at + 20), size = u32(at + 24), local = u32(at + 42);
            const qsizetype data = local + 30 + u16(local + 26) + u16(local + 28);
            if (u16(at + 10) == 0)
                return QString::fromUtf8(z.mid(data, size));
            QByteArray out(size, Qt::Uninitialized);
            z_stream s{};
            s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(z.constData() + data));
            s.avail_in = packed;
            s.next_out = reinterpret_cast<Bytef*>(out.data());
            s.avail_out = size;
            inflateInit2(&s, -MAX_WBITS);
            inflate(&s, Z_FINISH);
            inflateEnd(&s);
            return QString::fromUtf8(out);
        }
        at += 46 + nameLen + u16(at + 30) + u16(at + 32);
    }
    return {};
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<TProjectDB> project;
    TReportDataList data;
    TReportEngine engine;

    void prepare(const QString& text)
    {
        engine.SetTemplate(text);
        std::vector<TReportData*> sets;
        for (auto& d : data)
            sets.push_back(d.get());
        engine.SetDataSets(sets);
        engine.Prepare();
    }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<TestEnv>();
        project = env->openProject();
        // 90 rows in three groups: 1 234,50 each, dated 11.12.2026; one name with an apostrophe and markup.
        xSQLOpen(QStringLiteral("execute block as declare i integer = 1; begin "
                                "while (i <= 90) do begin "
                                "insert into TEST_RADKY (ID, DisplayName, Castka, Datum) values "
                                "(:i, iif(:i = 7, 'O''Brien <b>', 'Řádek ' || :i), 1234.5, '2026-12-11'); i = i + 1; end end"),
                 false);
        auto skupiny = std::make_unique<TReportMemTable>(QStringLiteral("dsSkupiny"), QStringList{QStringLiteral("KLIC"), QStringLiteral("NAZEV")});
        skupiny->AppendRow({0, QStringLiteral("Žáci")});
        skupiny->AppendRow({1, QStringLiteral("Dorost")});
        skupiny->AppendRow({2, QStringLiteral("Dospělí")});
        data.clear();
        data.push_back(xReportDataSet(QStringLiteral("dsRadky"),
                                      QStringLiteral("select ID, DisplayName, Castka, Datum, mod(ID, 3) as Klic from TEST_RADKY order by ID")));
        data.push_back(std::move(skupiny));
        engine.ClearVariables();
        engine.SetVariable(QStringLiteral("ROK"), QStringLiteral("'2026'"));
        engine.SetVariable(QStringLiteral("Org"), QStringLiteral("'Oddíl ''Šipka'''"));
        engine.ScriptTimeLimit = 60;
    }

    void cleanup()
    {
        engine.Clear();
        engine.SetDataSets({});
        data.clear();
        project.reset();
        env.reset();
    }

    void masterDetailPages()
    {
        prepare(QString::fromUtf8(kMasterDetail));
        const int pages = engine.PageCount();
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
        for (int p = 0; p < pages; ++p) {
            const QString text = engine.PageText(p);
            QVERIFY2(text.startsWith(QStringLiteral("Hlavička Oddíl 'Šipka'")), qPrintable(text.left(80)));
            QVERIFY2(text.endsWith(QStringLiteral("Strana %1 z %2").arg(p + 1).arg(pages)), qPrintable(text.right(80)));
        }
        const QString first = engine.PageText(0);
        QVERIFY(first.contains(QStringLiteral("Rok 2026")));
        QVERIFY(first.contains(QStringLiteral("Skupina Žáci")));
        QVERIFY2(first.contains(QStringLiteral("Řádek 3\n11.12.2026\n1 234,50")), qPrintable(first.left(300)));
        // Each group holds 30 rows: 37 035,00 Kč exactly; 90 rows in all.
        const QString last = engine.PageText(pages - 1);
        QVERIFY2(last.contains(QStringLiteral("Celkem: 111 105,00 / 90")), qPrintable(last));
        const QString html = engine.BodyHtml();
        QCOMPARE(html.count(QStringLiteral(": 37 035,00 Kč")), 3);
        // Values are written as text: the markup in a name is not markup.
        QVERIFY(html.contains(QStringLiteral("O'Brien &lt;b&gt;")));
        // Rows no page shows twice and no row is lost between pages.
        QString all;
        for (int p = 0; p < pages; ++p)
            all += engine.PageText(p);
        QCOMPARE(all.count(QRegularExpression(QStringLiteral("Řádek \\d+"))), 89);
    }

    void variables_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("shown");
        QTest::newRow("text") << "'Praha'" << "string:Praha";
        QTest::newRow("doubled apostrophe") << "'O''Brien'" << "string:O'Brien";
        QTest::newRow("number") << "2026" << "number:2026";
        QTest::newRow("quoted number") << "'2026'" << "string:2026";
        QTest::newRow("decimal") << "2.5" << "number:2.5";
        // An expression is never run as script.
        QTest::newRow("script") << "Clear(); 1" << "string:Clear(); 1";
        QTest::newRow("broken quote") << "'a' + 'b'" << "string:a' + 'b";
    }

    void variables()
    {
        QFETCH(QString, expression);
        QFETCH(QString, shown);
        engine.SetVariable(QStringLiteral("X"), expression);
        prepare(QStringLiteral("<p><%= typeof X %>:<%= X %></p>"));
        QCOMPARE(engine.PageText(0), shown);
    }

    void scriptErrors_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("line");
        QTest::newRow("syntax") << "<p>a</p>\n<p>b</p>\n<% if (x { %>\n" << 3;
        QTest::newRow("thrown") << "<p>a</p>\n\n\n<% throw new Error('vlastní chyba'); %>" << 4;
        QTest::newRow("unknown name") << "<p>a</p>\n<%= Neexistuje.length %>\n" << 2;
        QTest::newRow("in footer") << "<%@ footer %>\n<p>x</p>\n<%= page.foo.bar %>\n<%@ end %>\n<p>tělo</p>" << 3;
        QTest::newRow("unclosed block") << "<p>a</p>\n<% var x = 1;\n" << 2;
        QTest::newRow("in a helper") << "<p>a</p>\n\n<%= money(sum()) %>" << 3;
        QTest::newRow("line comment") << "<% // poznámka %><p><%= Radky.length %></p>\n<%= nic() %>" << 2;
    }

    void scriptErrors()
    {
        QFETCH(QString, source);
        QFETCH(int, line);
        try {
            prepare(source);
            QFAIL("no error");
        } catch (const TReportScriptError& e) {
            QCOMPARE(e.Line(), line);
            QVERIFY(e.Text().contains(QStringLiteral("řádku %1").arg(line)));
        }
        QCOMPARE(engine.PageCount(), 0);
        QVERIFY(!engine.Running());
        // The engine stays usable after the error.
        prepare(QStringLiteral("<p>ok</p>"));
        QCOMPARE(engine.PageText(0), QStringLiteral("ok"));
    }

    // The script reaches nothing beyond its data: no files, no network, no
    // program objects, and an endless loop is stopped.
    void sandbox()
    {
        prepare(QStringLiteral("<%= [typeof XMLHttpRequest, typeof Qt, typeof require, typeof print, typeof __h.deleteLater].join(',') %>"));
        QVERIFY(engine.PageText(0).startsWith(QStringLiteral("undefined,undefined,undefined,undefined,")));
        engine.ScriptTimeLimit = 1;
        QVERIFY_THROWS_EXCEPTION(TReportScriptError, prepare(QStringLiteral("<% while (true) {} %>")));
        engine.ScriptTimeLimit = 60;
        prepare(QStringLiteral("<p>ok</p>"));
        QCOMPARE(engine.PageCount(), 1);
    }

    // Pictures come from the data folder only: not from beside it, not by "..".
    void pictures_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("shown");
        QTest::newRow("in the data folder") << "logo.png" << true;
        QTest::newRow("absolute inside") << "DATA/logo.png" << true;
        QTest::newRow("outside") << "OUTSIDE/cizi.png" << false;
        QTest::newRow("climbing out") << "../cizi.png" << false;
        QTest::newRow("network") << "http://localhost/logo.png" << false;
    }

    void pictures()
    {
        QFETCH(QString, source);
        QFETCH(bool, shown);
        QImage red(20, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(env->dataDir() + QStringLiteral("logo.png")));
        QVERIFY(red.save(env->programDir() + QStringLiteral("cizi.png")));
        source.replace(QStringLiteral("DATA/"), env->dataDir()).replace(QStringLiteral("OUTSIDE/"), env->programDir());
        engine.SetResourceFolder(env->dataDir());
        prepare(QStringLiteral("<%@ page margins=\"10\" %><img src=\"%1\" width=\"100\" height=\"100\">").arg(source));
        const QStringList files = engine.ExportPng(env->dataDir() + QStringLiteral("p.png"), 72);
        const QImage page(files.value(0));
        QCOMPARE(page.pixelColor(45, 45) == QColor(Qt::red), shown);
    }

    void missingTemplate()
    {
        engine.SetTemplate(QStringLiteral("<p>old</p>"));
        try {
            engine.LoadFromFile(env->dataDir() + QStringLiteral("report/nic.zrs"));
            QFAIL("loaded");
        } catch (const TTalbreckException& e) {
            QVERIFY(e.Text().contains(QStringLiteral("nic.zrs")));
        }
        QVERIFY(engine.Template().isEmpty());
    }

    void exports()
    {
        prepare(QString::fromUtf8(kMasterDetail));
        const QString dir = env->dataDir();

        engine.ExportCsv(dir + QStringLiteral("r.csv"));
        QFile csv(dir + QStringLiteral("r.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(csv.readAll()).remove(QChar(0xFEFF)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 91);
        QCOMPARE(lines[0], QStringLiteral("ID;DISPLAYNAME;CASTKA;DATUM;KLIC"));
        QCOMPARE(lines[1], QStringLiteral("1;Řádek 1;1 234,50;11.12.2026;1"));
        QCOMPARE(lines[7], QStringLiteral("7;O'Brien <b>;1 234,50;11.12.2026;1"));

        engine.ExportXlsx(dir + QStringLiteral("r.xlsx"));
        const QString sheet = readZipEntry(dir + QStringLiteral("r.xlsx"), QStringLiteral("xl/worksheets/sheet1.xml"));
        const QString strings = readZipEntry(dir + QStringLiteral("r.xlsx"), QStringLiteral("xl/sharedStrings.xml"));
        QVERIFY(strings.contains(QStringLiteral("Řádek 90")));
        QVERIFY(strings.contains(QStringLiteral("O&apos;Brien &lt;b&gt;")) || strings.contains(QStringLiteral("O'Brien &lt;b&gt;")));
        // Amounts as numbers, dates as date serials (11.12.2026 is day 46367).
        QVERIFY2(sheet.contains(QStringLiteral("<c r=\"C2\" s=\"2\"><v>1234.5</v></c><c r=\"D2\" s=\"3\"><v>46367</v></c>")),
                 qPrintable(sheet.left(2000)));
        QCOMPARE(sheet.count(QStringLiteral("<row ")), 91);

        engine.ExportPdf(dir + QStringLiteral("r.pdf"));
        QFile pdf(dir + QStringLiteral("r.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r")), engine.PageCount());

        QCOMPARE(engine.ExportPng(dir + QStringLiteral("r.png"), 50).size(), engine.PageCount());
        QVERIFY(QFile::exists(dir + QStringLiteral("r_2.png")));

        engine.ExportOdt(dir + QStringLiteral("r.odt"));
        QVERIFY(readZipEntry(dir + QStringLiteral("r.odt"), QStringLiteral("content.xml")).contains(QStringLiteral("Dospělí")));
        engine.ExportHtml(dir + QStringLiteral("r.html"));
        QFile html(dir + QStringLiteral("r.html"));
        QVERIFY(html.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(html.readAll()).contains(QStringLiteral("Skupina Dospělí")));

        QVERIFY_THROWS_EXCEPTION(TTalbreckException, engine.ExportCsv(dir + QStringLiteral("chybi/r.csv")));
    }
};

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
