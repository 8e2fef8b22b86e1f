#pragma once

#include <QLabel>

// A navy link label: a click opens URL (a web or mail address), the text is
// underlined and the pointer a hand while the mouse is over it.
class TSLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TSLabel(QWidget* parent = nullptr);

    QString URL;

    // The address opened for a URL: as it is with "://" or "mailto",
    // otherwise with "http://" in front.
    static QString LinkAddress(const QString& url);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setHot(bool hot);
};
