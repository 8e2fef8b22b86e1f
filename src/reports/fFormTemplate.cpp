#include "reports/fFormTemplate.h"
#include "ui_fFormTemplate.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uProject.h"
#include "reports/SReportPreview.h"
#include "resources/Images.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolBar>
#include <QToolButton>

namespace {

struct ExportKind
{
    const char* kind;
    const char* action;
    const char* caption;
    const char* filter;
};

const ExportKind kExports[] = {
    {"pdf", "actExportPDF", "PDF soubor ...", "Dokument PDF (*.pdf)"},
    {"html", "actExportHTML", "HTML soubor ...", "Stránka HTML (*.html)"},
    {"odt", "actExportODT", "ODT soubor ...", "Textový dokument ODT (*.odt)"},
    {"png", "actExportPNG", "PNG soubor ...", "Obrázky stránek PNG (*.png)"},
    {"csv", "actExportCSV", "CSV soubor ...", "Text oddělený středníky (*.csv)"},
    {"xlsx", "actExportXLSX", "Tabulka XLSX ...", "Sešit XLSX (*.xlsx)"},
};

} // namespace

TfrmFormTemplate::TfrmFormTemplate(QWidget* parent)
    : TSForm(parent)
    , ui(std::make_unique<Ui::TfrmFormTemplate>())
{
    ui->setupUi(this);
    ui->prvSestava->SetEngine(&m_engine);
    ui->splMain->setStretchFactor(1, 1);
    ui->splMain->setSizes({300, 700});

    m_toolBar = new QToolBar(ui->panPreview);
    m_toolBar->setObjectName(QStringLiteral("tbrNahled"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ui->layPreview->insertWidget(0, m_toolBar);

    auto action = [this](const char* name, const QString& text, const QString& icon, const QKeySequence& key = {}) {
        auto* a = new QAction(ToolIcon(icon), text, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        addAction(a);
        return a;
    };
    QAction* print = action("actTisk", QStringLiteral("Tisk sestavy"), QStringLiteral("print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(print, &QAction::triggered, this, &TfrmFormTemplate::PrintPrepared);
    m_toolBar->addAction(print);

    m_exports = new QMenu(this);
    for (const ExportKind& e : kExports) {
        QAction* a = action(e.action, QString::fromUtf8(e.caption), QStringLiteral("export"));
        const QString kind = QString::fromLatin1(e.kind);
        connect(a, &QAction::triggered, this, [this, kind] { ExportAs(kind); });
        m_exports->addAction(a);
    }
    QAction* saveAs = action("actUlozitJako", QStringLiteral("Uložit jako ..."), QStringLiteral("save"));
    saveAs->setMenu(m_exports);
    connect(saveAs, &QAction::triggered, this, [this] { ExportAs(QStringLiteral("pdf")); });
    m_toolBar->addAction(saveAs);
    if (auto* b = qobject_cast<QToolButton*>(m_toolBar->widgetForAction(saveAs)))
        b->setPopupMode(QToolButton::MenuButtonPopup);
    QAction* pdf = action("actPDF", QStringLiteral("Export do PDF"), QStringLiteral("export"));
    connect(pdf, &QAction::triggered, this, [this] { ExportAs(QStringLiteral("pdf")); });
    m_toolBar->addAction(pdf);
    m_toolBar->addSeparator();

    m_zoom = new QComboBox(m_toolBar);
    m_zoom->setObjectName(QStringLiteral("cmbZoom"));
    m_zoom->addItems(ZoomItems());
    m_zoom->setCurrentText(QStringLiteral("Šířka stránky"));
    connect(m_zoom, &QComboBox::currentIndexChanged, this, &TfrmFormTemplate::applyZoom);
    m_toolBar->addWidget(m_zoom);
    m_toolBar->addSeparator();

    TReportPreview* preview = ui->prvSestava;
    struct Nav
    {
        const char* name;
        const char* text;
        const char* icon;
        std::function<int()> target;
    };
    const Nav nav[] = {
        {"actPrvni", "První", "first", [] { return 0; }},
        {"actPredchozi", "Předchozí", "previous", [preview] { return preview->CurrentPage() - 1; }},
        {"actDalsi", "Další", "next", [preview] { return preview->CurrentPage() + 1; }},
        {"actPosledni", "Poslední", "last", [preview] { return preview->PageCount() - 1; }},
    };
    for (const Nav& n : nav) {
        QAction* a = action(n.name, QString::fromUtf8(n.text), QString::fromLatin1(n.icon));
        auto target = n.target;
        connect(a, &QAction::triggered, this, [preview, target] { preview->GoToPage(target()); });
        m_toolBar->addAction(a);
    }
}

TfrmFormTemplate::~TfrmFormTemplate() = default;

TReportPreview* TfrmFormTemplate::Preview() const
{
    return ui->prvSestava;
}

QWidget* TfrmFormTemplate::LeftPanel() const
{
    return ui->panLeft;
}

TSTitle* TfrmFormTemplate::Title() const
{
    return ui->titSestavy;
}

QStringList TfrmFormTemplate::ZoomItems()
{
    return {QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"), QStringLiteral("150%"),
            QStringLiteral("200%"), QStringLiteral("Šířka stránky"), QStringLiteral("Celá stránka")};
}

void TfrmFormTemplate::applyZoom()
{
    const QString item = m_zoom->currentText();
    if (item == QStringLiteral("Celá stránka"))
        ui->prvSestava->SetZoom(TReportPreview::ZoomMode::WholePage);
    else if (item.endsWith(QLatin1Char('%')))
        ui->prvSestava->SetZoom(TReportPreview::ZoomMode::Fixed, item.chopped(1).toInt() / 100.0);
    else
        ui->prvSestava->SetZoom(TReportPreview::ZoomMode::PageWidth);
}

void TfrmFormTemplate::ShowPrepared()
{
    ui->prvSestava->Refresh();
    applyZoom();
    ui->prvSestava->GoToPage(0);
}

bool TfrmFormTemplate::ExportAs(const QString& kind)
{
    if (!m_engine.Prepared())
        return false;
    const ExportKind* e = nullptr;
    for (const ExportKind& k : kExports)
        if (kind == QLatin1String(k.kind))
            e = &k;
    if (!e)
        return false;
    const QString dir = Project() ? Project()->DataDir : QDir::homePath();
    const QString base = QFileInfo(m_engine.FileName()).completeBaseName();
    const QString file = SaveFileDialog(this, QStringLiteral("Uložit jako"), dir + base + QLatin1Char('.') + kind,
                                        QString::fromUtf8(e->filter), kind);
    if (file.isEmpty())
        return false;
    try {
        if (kind == QLatin1String("pdf"))
            m_engine.ExportPdf(file);
        else if (kind == QLatin1String("html"))
            m_engine.ExportHtml(file);
        else if (kind == QLatin1String("odt"))
            m_engine.ExportOdt(file);
        else if (kind == QLatin1String("png"))
            m_engine.ExportPng(file);
        else if (kind == QLatin1String("csv"))
            m_engine.ExportCsv(file);
        else
            m_engine.ExportXlsx(file);
    } catch (const TTalbreckException& ex) {
        ShowError(ex.Text());
        return false;
    }
    return true;
}

void TfrmFormTemplate::PrintPrepared()
{
    // The print dialog has no answer seam: tests never print.
    if (!m_engine.Prepared() || Dialogs::testMode())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_engine.PageLayout());
    printer.setFullPage(true);
    printer.setFromTo(1, m_engine.PageCount());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Tisk sestavy"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = printer.fromPage(), to = printer.toPage();
    if (from == 0 && to == 0) {
        from = 1;
        to = m_engine.PageCount();
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowError(QStringLiteral("Tiskárnu nelze použít."));
        return;
    }
    const qreal scale = printer.resolution() / 72.0;
    for (int p = from - 1; p < std::min(to, m_engine.PageCount()); ++p) {
        if (p > from - 1)
            printer.newPage();
        painter.save();
        painter.scale(scale, scale);
        m_engine.PaintPage(&painter, p);
        painter.restore();
    }
    painter.end();
}
