// A list report prepared and written to PDF by the report engine, against
// the floor: the same rows fetched and laid into a plain HTML table that
// QTextDocument prints to PDF itself. What the engine adds is the script,
// the page bands with page numbers and its own page painting.
#include "BenchMain.h"

#include "core/uSystem.h"
#include "db/uDB_FB.h"
#include "reports/uReportEngine.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

BenchDatabase& db()
{
    static BenchDatabase d;
    return d;
}

QString rowsSQL(qint64 rows)
{
    return xProcText(QStringLiteral("TEST_ROWS"), {rows}, {}, true);
}

const char* kListTemplate = R"(<%@ page size="A4" margins="15" %>
<%@ header %><p><b>Seznam řádků</b></p><hr><%@ end %>
<%@ footer %><hr><p align="right">Strana <%= page %> z <%= pages %></p><%@ end %>
<table width="100%" border="1" cellspacing="0" cellpadding="2">
<thead><tr><th>ID</th><th>Název</th><th>Datum</th><th>Částka</th></tr></thead>
<% Radky.forEach(function (r) { %>
<tr><td><%= r.ID %></td><td><%= r.DISPLAYNAME %></td><td><%= date(r.DATUM) %></td><td align="right"><%= money(r.CASTKA) %></td></tr>
<% }); %>
<tr><td colspan="3">Celkem</td><td align="right"><%= money(sum(Radky, "CASTKA")) %></td></tr>
</table>
)";

void BM_PlainTablePdf(benchmark::State& state)
{
    db();
    QTemporaryDir dir;
    for (auto _ : state) {
        auto q = xSQLOpen(rowsSQL(state.range(0)), true);
        QString html = QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">"
                                      "<thead><tr><th>ID</th><th>Název</th><th>Datum</th><th>Částka</th></tr></thead>");
        Money total;
        while (q->Fetch()) {
            const Money castka = q->GetCurrency(QStringLiteral("Castka"));
            total += castka;
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td align=\"right\">%4</td></tr>")
                        .arg(q->GetText(QStringLiteral("ID")), q->GetText(QStringLiteral("DisplayName")).toHtmlEscaped(),
                             DateToText(q->GetDate(QStringLiteral("Datum"))), MoneyToText(castka));
        }
        html += QStringLiteral("<tr><td colspan=\"3\">Celkem</td><td align=\"right\">%1</td></tr></table>").arg(MoneyToText(total));
        QTextDocument doc;
        doc.setHtml(html);
        QPdfWriter writer(dir.filePath(QStringLiteral("plain.pdf")));
        writer.setPageSize(QPageSize(QPageSize::A4));
        doc.print(&writer);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReportPdf(benchmark::State& state)
{
    db();
    QTemporaryDir dir;
    TReportEngine engine;
    engine.SetTemplate(QString::fromUtf8(kListTemplate));
    for (auto _ : state) {
        auto data = xReportDataSet(QStringLiteral("dsRadky"), rowsSQL(state.range(0)));
        engine.SetDataSets({data.get()});
        engine.Prepare();
        engine.ExportPdf(dir.filePath(QStringLiteral("report.pdf")));
        benchmark::DoNotOptimize(engine.PageCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_PlainTablePdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv,
                         {{"BM_ReportPdf/1000", "BM_PlainTablePdf/1000"}, {"BM_ReportPdf/10000", "BM_PlainTablePdf/10000"}});
}
