#include "reports/SReportPreview.h"

#include "reports/uReportEngine.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace {
constexpr int kGap = 12;
}

class TReportPreview::Pages : public QWidget
{
public:
    explicit Pages(TReportPreview* preview) : QWidget(preview), m_preview(preview) {}

    QRect pageRect(int page) const
    {
        const QSize size = pageSize();
        const int left = std::max(kGap, (width() - size.width()) / 2);
        return QRect(QPoint(left, kGap + page * (size.height() + kGap)), size);
    }
    QSize pageSize() const { return (m_preview->pageSizePoints() * m_preview->pixelsPerPoint()).toSize(); }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor(0x80, 0x80, 0x80));
        TReportEngine* engine = m_preview->m_engine;
        if (!engine || !engine->Prepared())
            return;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        for (int p = 0; p < engine->PageCount(); ++p) {
            const QRect r = pageRect(p);
            if (!r.intersects(event->rect()))
                continue;
            painter.fillRect(r.translated(3, 3), QColor(0x50, 0x50, 0x50));
            painter.fillRect(r, Qt::white);
            painter.save();
            painter.setClipRect(r);
            painter.translate(r.topLeft());
            const qreal s = m_preview->pixelsPerPoint();
            painter.scale(s, s);
            engine->PaintPage(&painter, p);
            painter.restore();
        }
    }

private:
    TReportPreview* m_preview;
};

TReportPreview::TReportPreview(QWidget* parent)
    : QScrollArea(parent)
    , m_pages(new Pages(this))
{
    setWidget(m_pages);
    setWidgetResizable(false);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Q_EMIT PageChanged(CurrentPage()); });
}

void TReportPreview::SetEngine(TReportEngine* engine)
{
    m_engine = engine;
    Refresh();
}

void TReportPreview::Refresh()
{
    relayout();
    m_pages->update();
    Q_EMIT PageChanged(CurrentPage());
}

void TReportPreview::SetZoom(ZoomMode mode, qreal factor)
{
    const int page = CurrentPage();
    m_mode = mode;
    m_factor = factor;
    relayout();
    GoToPage(page);
}

int TReportPreview::PageCount() const
{
    return m_engine && m_engine->Prepared() ? m_engine->PageCount() : 0;
}

int TReportPreview::CurrentPage() const
{
    const int count = PageCount();
    if (count == 0)
        return 0;
    const int step = m_pages->pageSize().height() + kGap;
    // The page whose upper half shows at the top of the view.
    const int page = (verticalScrollBar()->value() + step / 2) / std::max(1, step);
    return std::clamp(page, 0, count - 1);
}

void TReportPreview::GoToPage(int page)
{
    const int count = PageCount();
    if (count == 0)
        return;
    page = std::clamp(page, 0, count - 1);
    verticalScrollBar()->setValue(m_pages->pageRect(page).top() - kGap);
    Q_EMIT PageChanged(CurrentPage());
}

void TReportPreview::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    if (m_mode != ZoomMode::Fixed)
        relayout();
}

QSizeF TReportPreview::pageSizePoints() const
{
    if (m_engine && m_engine->Prepared())
        return m_engine->PageSizePoints();
    return QSizeF(595, 842);
}

qreal TReportPreview::pixelsPerPoint() const
{
    return m_zoom * logicalDpiX() / 72.0;
}

void TReportPreview::relayout()
{
    const QSizeF points = pageSizePoints();
    const qreal natural = logicalDpiX() / 72.0;
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize view = maximumViewportSize() - QSize(scrollBar, 0);
    switch (m_mode) {
    case ZoomMode::Fixed:
        m_zoom = m_factor;
        break;
    case ZoomMode::PageWidth:
        m_zoom = std::max(0.05, (view.width() - 2 * kGap) / (points.width() * natural));
        break;
    case ZoomMode::WholePage:
        m_zoom = std::max(0.05, std::min((view.width() - 2 * kGap) / (points.width() * natural),
                                         (view.height() - 2 * kGap) / (points.height() * natural)));
        break;
    }
    const int count = std::max(1, PageCount());
    const QSize page = m_pages->pageSize();
    m_pages->resize(std::max(view.width(), page.width() + 2 * kGap), kGap + count * (page.height() + kGap));
    // One wheel step moves a tenth of a page.
    verticalScrollBar()->setSingleStep(std::max(20, page.height() / 10));
    m_pages->update();
}
