#include "ui/SLabel.h"

#include "core/uSystem.h"

#include <QMouseEvent>

TSLabel::TSLabel(QWidget* parent)
    : QLabel(parent)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(p);
}

QString TSLabel::LinkAddress(const QString& url)
{
    const QString lower = url.toLower();
    if (lower.contains(QStringLiteral("://")) || lower.startsWith(QStringLiteral("mailto")))
        return url;
    return QStringLiteral("http://") + url;
}

void TSLabel::setHot(bool hot)
{
    QFont f = font();
    f.setUnderline(hot);
    setFont(f);
    if (hot)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void TSLabel::enterEvent(QEnterEvent* event)
{
    setHot(true);
    QLabel::enterEvent(event);
}

void TSLabel::leaveEvent(QEvent* event)
{
    setHot(false);
    QLabel::leaveEvent(event);
}

void TSLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && !URL.isEmpty())
        ShellOpen(LinkAddress(URL));
}
