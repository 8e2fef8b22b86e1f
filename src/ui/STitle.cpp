#include "ui/STitle.h"

#include <QPainter>

namespace {
constexpr int kHeight = 39;
constexpr int kBand = 36;
} // namespace

TSTitle::TSTitle(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TSTitle::SetCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void TSTitle::SetIcon(const QIcon& icon)
{
    m_icon = icon;
    update();
}

void TSTitle::SetImportant(bool important)
{
    m_important = important;
    update();
}

void TSTitle::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(0, 0, width(), kBand, Qt::white);
    QFont f = font();
    f.setBold(true);
    f.setPointSize(10);
    p.setFont(f);
    p.setPen(m_important ? Qt::red : Qt::black);
    const QRect textRect(11, 10, width() - 11 - (m_icon.isNull() ? 0 : 36), kBand - 10);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               p.fontMetrics().elidedText(m_caption, Qt::ElideRight, textRect.width()));
    if (!m_icon.isNull())
        m_icon.paint(&p, width() - 34, 2, 32, 32);
    // An etched line under the band.
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, kBand + 1, width(), kBand + 1);
    p.setPen(Qt::white);
    p.drawLine(0, kBand + 2, width(), kBand + 2);
}
