#pragma once

#include <QPointer>
#include <QScrollArea>

class TReportEngine;

// The preview of a prepared report: its pages one below the other on a grey
// ground, at a fixed zoom, fitted to the width or to a whole page. The mouse
// wheel scrolls it.
class TReportPreview : public QScrollArea
{
    Q_OBJECT

public:
    enum class ZoomMode { Fixed, PageWidth, WholePage };

    explicit TReportPreview(QWidget* parent = nullptr);

    void SetEngine(TReportEngine* engine);
    // The prepared pages changed (or are gone).
    void Refresh();

    void SetZoom(ZoomMode mode, qreal factor = 1.0);
    ZoomMode Mode() const { return m_mode; }
    // The scale of the pages on screen, 1.0 = their natural size.
    qreal Zoom() const { return m_zoom; }

    int PageCount() const;
    // The page at the top of the view (0-based).
    int CurrentPage() const;
    void GoToPage(int page);

Q_SIGNALS:
    void PageChanged(int page);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class Pages;
    void relayout();
    qreal pixelsPerPoint() const;
    QSizeF pageSizePoints() const;

    QPointer<TReportEngine> m_engine;
    Pages* m_pages;
    ZoomMode m_mode = ZoomMode::PageWidth;
    qreal m_factor = 1.0;
    qreal m_zoom = 1.0;
};
