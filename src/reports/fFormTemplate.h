#pragma once

#include "reports/uReportEngine.h"
#include "ui/SForm.h"

#include <memory>

class QComboBox;
class QMenu;
class QToolBar;
class TReportPreview;
class TSTitle;
namespace Ui {
class TfrmFormTemplate;
}

// The base of the report window: the report engine, the preview with its
// tool bar (printing, exports, zoom, page navigation) and a left panel for
// what the window that derives from it shows.
class TfrmFormTemplate : public TSForm
{
    Q_OBJECT

public:
    explicit TfrmFormTemplate(QWidget* parent = nullptr);
    ~TfrmFormTemplate() override;

    TReportEngine* Engine() { return &m_engine; }
    TReportPreview* Preview() const;
    TSTitle* Title() const;
    QComboBox* ZoomBox() const { return m_zoom; }
    // The zoom box's items, the default being "Šířka stránky".
    static QStringList ZoomItems();

    // Writes the prepared report into a file of the chosen kind ("pdf",
    // "html", "odt", "png", "csv", "xlsx") after asking for its name; an
    // error is shown. False when nothing was written.
    bool ExportAs(const QString& kind);
    void PrintPrepared();

protected:
    // The panel at the left, for the derived window's controls.
    QWidget* LeftPanel() const;
    // The preview shows the engine's pages again (after a run or a failure).
    void ShowPrepared();

private:
    void applyZoom();

    std::unique_ptr<Ui::TfrmFormTemplate> ui;
    TReportEngine m_engine;
    QToolBar* m_toolBar;
    QComboBox* m_zoom;
    QMenu* m_exports;
};
