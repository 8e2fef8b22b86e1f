#pragma once

#include <QIcon>
#include <QWidget>

// The header strip at the top of a window: a white band with the caption in
// bold (red when Important), an optional 32 x 32 icon at the right and a
// line below.
class TSTitle : public QWidget
{
    Q_OBJECT
    // "text", as a label's: .ui files and the locale file's Caption set it.
    Q_PROPERTY(QString text READ text WRITE setText)

public:
    explicit TSTitle(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    QString text() const { return m_caption; }
    void setText(const QString& caption) { SetCaption(caption); }
    void SetIcon(const QIcon& icon);
    void SetImportant(bool important);
    bool Important() const { return m_important; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    QIcon m_icon;
    bool m_important = false;
};
