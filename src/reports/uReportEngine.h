#pragma once

#include "core/uException.h"
#include "reports/uReportData.h"

#include <QMap>
#include <QMarginsF>
#include <QObject>
#include <QPageLayout>
#include <QString>

#include <memory>
#include <vector>

class QPainter;
class QJSEngine;
class QTextDocument;

// A script error of a template: the script's own message and the line of
// the template it stands on (0 when unknown).
class TReportScriptError : public TTalbreckException
{
public:
    TReportScriptError(const QString& message, int line);
    int Line() const { return m_line; }
    QString ScriptMessage() const { return m_message; }

private:
    QString m_message;
    int m_line;
};

// The program's report engine. A template is an HTML document with
// embedded script (the file format is described in docs/reports.md):
//   <% code %>  runs,  <%= expr %>  writes the value as text,
//   <%- expr %>  writes it as HTML,
//   <%@ page size="A4" orientation="portrait" margins="15 15 15 15" main="Radky" %>
//   <%@ header %> … <%@ end %>  and  <%@ footer %> … <%@ end %>  repeat on
//   every page, where `page` and `pages` are the page number and count.
// The script is run sandboxed: it sees the data sets, the variables and the
// helpers, and nothing of files or the network. The prepared pages are
// painted the same way on the preview, the printer and every export.
class TReportEngine : public QObject
{
    Q_OBJECT

public:
    explicit TReportEngine(QObject* parent = nullptr);
    ~TReportEngine() override;

    // The template. LoadFromFile raises TTalbreckException for a missing or
    // unreadable file and then holds no template.
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path) const;
    void SetTemplate(const QString& text);
    QString Template() const { return m_template; }
    QString FileName() const { return m_fileName; }
    void Clear();

    // The data sets the template sees; the engine does not own them.
    void SetDataSets(const std::vector<TReportData*>& dataSets) { m_dataSets = dataSets; }
    const std::vector<TReportData*>& DataSets() const { return m_dataSets; }
    // A variable's value is an expression: 'text' in apostrophes (doubled
    // apostrophes inside) is a text, a number is a number, anything else is
    // taken as the text it is. It is never run as script.
    void SetVariable(const QString& name, const QString& expression);
    QMap<QString, QVariant> Variables() const { return m_variables; }
    void ClearVariables() { m_variables.clear(); }
    // The folder pictures may come from (the data folder); none elsewhere.
    void SetResourceFolder(const QString& folder) { m_resourceFolder = folder; }

    // Opens the data sets (unless told not to), runs the script and lays the
    // pages out. Raises TReportScriptError for an error in the template's
    // script and the database layer's exceptions for a data set; the
    // prepared pages are then empty. Emits Started and Finished around it.
    void Prepare(bool openDataSets = true);
    bool Running() const { return m_running; }
    bool Prepared() const { return m_pages > 0; }

    int PageCount() const { return m_pages; }
    QPageLayout PageLayout() const { return m_layout; }
    // The page size in points (1/72 inch).
    QSizeF PageSizePoints() const;
    // Paints a page onto a painter whose coordinates are points of the page.
    void PaintPage(QPainter* painter, int page) const;
    // The text of a page, for tests and searches.
    QString PageText(int page) const;
    // The HTML the script made for the body.
    QString BodyHtml() const { return m_bodyHtml; }
    // The report's main data set: the template's `main`, else the first one.
    TReportData* MainDataSet() const;

    // Exports of the prepared report; each raises TTalbreckException when
    // the file cannot be written.
    void ExportPdf(const QString& file) const;
    void ExportHtml(const QString& file) const;
    void ExportOdt(const QString& file) const;
    // One picture per page: "name.png" for one page, "name_1.png" … for more;
    // returns the files written.
    QStringList ExportPng(const QString& file, int dpi = 150) const;
    // The rows of the main data set, fields separated by ";".
    void ExportCsv(const QString& file) const;
    void ExportXlsx(const QString& file) const;

    // Seconds a template's script may run before it is stopped.
    int ScriptTimeLimit = 60;

Q_SIGNALS:
    void Started();
    void Finished();

private:
    struct Compiled;
    void prepare(bool openDataSets);
    void setUpScript();
    Compiled compile(const QString& source);
    QString run(const Compiled& section, int page, int pages);
    std::unique_ptr<QTextDocument> makeDocument(const QString& html, qreal width) const;
    void resetPages();

    QString m_template;
    QString m_fileName;
    std::vector<TReportData*> m_dataSets;
    QMap<QString, QVariant> m_variables;
    QString m_resourceFolder;

    QPageLayout m_layout;
    QString m_mainName;
    QString m_bodyHtml;
    std::unique_ptr<QTextDocument> m_body;
    std::vector<std::unique_ptr<QTextDocument>> m_headers, m_footers;
    qreal m_headerHeight = 0, m_footerHeight = 0;
    int m_pages = 0;
    bool m_running = false;

    std::unique_ptr<QJSEngine> m_js;
};

// The text of a value as reports show it: Money "1 234,50", dates
// "dd.mm.yyyy", numbers with a decimal comma, Null empty.
QString ReportValueText(const QVariant& value);
