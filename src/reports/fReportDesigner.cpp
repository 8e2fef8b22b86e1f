#include "reports/fReportDesigner.h"
#include "ui_fReportDesigner.h"

#include "core/uDialogs.h"
#include "reports/SReportPreview.h"

#include <QDir>
#include <QFontDatabase>
#include <QRegularExpression>
#include <QSyntaxHighlighter>

namespace {

// Colours the template: markup, script blocks with their strings and
// keywords, and the page directives.
class TemplateHighlighter : public QSyntaxHighlighter
{
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString& text) override
    {
        QTextCharFormat tag, script, directive, string, keyword;
        tag.setForeground(QColor(0x00, 0x40, 0xa0));
        script.setForeground(QColor(0x70, 0x30, 0x00));
        script.setBackground(QColor(0xff, 0xf6, 0xe0));
        directive.setForeground(QColor(0x80, 0x00, 0x80));
        directive.setFontWeight(QFont::Bold);
        string.setForeground(QColor(0x00, 0x80, 0x00));
        string.setBackground(script.background());
        keyword.setForeground(QColor(0x00, 0x00, 0xc0));
        keyword.setFontWeight(QFont::Bold);
        keyword.setBackground(script.background());

        static const QRegularExpression tags(QStringLiteral("</?[A-Za-z][^>]*>"));
        for (auto it = tags.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            setFormat(int(m.capturedStart()), int(m.capturedLength()), tag);
        }
        // Script blocks may span lines: state 1 is "inside a block".
        int start = previousBlockState() == 1 ? 0 : int(text.indexOf(QLatin1String("<%")));
        setCurrentBlockState(0);
        while (start >= 0) {
            const int end = int(text.indexOf(QLatin1String("%>"), start));
            const int length = end < 0 ? int(text.size()) - start : end - start + 2;
            if (end < 0)
                setCurrentBlockState(1);
            const QString block = text.mid(start, length);
            setFormat(start, length, block.startsWith(QLatin1String("<%@")) ? directive : script);
            static const QRegularExpression words(
                QStringLiteral("\\b(var|let|const|function|return|if|else|for|while|of|in|new|true|false|null)\\b"));
            static const QRegularExpression strings(QStringLiteral("\"[^\"]*\"|'[^']*'"));
            if (!block.startsWith(QLatin1String("<%@"))) {
                for (auto it = words.globalMatch(block); it.hasNext();) {
                    const auto m = it.next();
                    setFormat(start + int(m.capturedStart()), int(m.capturedLength()), keyword);
                }
                for (auto it = strings.globalMatch(block); it.hasNext();) {
                    const auto m = it.next();
                    setFormat(start + int(m.capturedStart()), int(m.capturedLength()), string);
                }
            }
            start = end < 0 ? -1 : int(text.indexOf(QLatin1String("<%"), end + 2));
        }
    }
};

} // namespace

TfrmReportDesigner::TfrmReportDesigner(TReportEngine& report, QWidget* parent)
    : TSForm(parent)
    , ui(std::make_unique<Ui::TfrmReportDesigner>())
    , m_report(report)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("frmReportDesigner"));
    ui->splMain->setSizes({220, 560, 420});
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ui->memSablona->setFont(mono);
    new TemplateHighlighter(ui->memSablona->document());
    ui->lblSoubor->setText(QDir::toNativeSeparators(report.FileName()));

    for (TReportData* d : report.DataSets()) {
        auto* set = new QTreeWidgetItem(ui->treData, {d->ReportName()});
        for (const QString& c : d->Columns())
            new QTreeWidgetItem(set, {c});
    }
    auto* vars = new QTreeWidgetItem(ui->treData, {QStringLiteral("Proměnné")});
    vars->setData(0, Qt::UserRole, true); // a heading, not a name
    const auto variables = report.Variables();
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        new QTreeWidgetItem(vars, {it.key()});
    ui->treData->expandAll();
    connect(ui->treData, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (!item->data(0, Qt::UserRole).toBool())
            InsertName(item->text(0));
    });

    m_preview.SetDataSets(report.DataSets());
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        m_preview.SetVariable(it.key(), it.value().metaType().id() == QMetaType::QString
                                            ? QLatin1Char('\'') + it.value().toString().replace(QStringLiteral("'"), QStringLiteral("''")) + QLatin1Char('\'')
                                            : it.value().toString());
    ui->prvNahled->SetEngine(&m_preview);
    ui->prvNahled->SetZoom(TReportPreview::ZoomMode::PageWidth);

    m_timer.setSingleShot(true);
    m_timer.setInterval(600);
    connect(&m_timer, &QTimer::timeout, this, &TfrmReportDesigner::UpdatePreview);
    ui->memSablona->setPlainText(report.Template());
    connect(ui->memSablona, &QPlainTextEdit::textChanged, this, [this] { m_timer.start(); });
    connect(ui->cmdUlozit, &QPushButton::clicked, this, &TfrmReportDesigner::Save);
    connect(ui->cmdZavrit, &QPushButton::clicked, this, &QDialog::reject);
    UpdatePreview();
}

TfrmReportDesigner::~TfrmReportDesigner() = default;

QString TfrmReportDesigner::Source() const
{
    return ui->memSablona->toPlainText();
}

void TfrmReportDesigner::SetSource(const QString& text)
{
    ui->memSablona->setPlainText(text);
}

void TfrmReportDesigner::InsertName(const QString& name)
{
    ui->memSablona->insertPlainText(name);
    ui->memSablona->setFocus();
}

QString TfrmReportDesigner::UpdatePreview()
{
    m_timer.stop();
    m_preview.SetTemplate(Source());
    QString error;
    try {
        m_preview.Prepare(false); // the report's data sets are read already
    } catch (const TTalbreckException& e) {
        error = e.Text();
    }
    ui->lblChyba->setText(error);
    ui->prvNahled->Refresh();
    return error;
}

bool TfrmReportDesigner::Save()
{
    m_report.SetTemplate(Source());
    try {
        m_report.SaveToFile(m_report.FileName());
    } catch (const TTalbreckException& e) {
        ShowError(e.Text());
        return false;
    }
    m_saved = true;
    return true;
}

bool OpenReportDesigner(QWidget* parent, TReportEngine& report)
{
    TfrmReportDesigner designer(report, parent);
    designer.ShowModal();
    return designer.Saved();
}
