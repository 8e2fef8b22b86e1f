#pragma once

#include <QWidget>

class QLabel;

// The window shown while the program starts: no border, centred, with the version.
class TfrmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmSplash(const QString& version);

private:
    QLabel* m_picture;
    QLabel* m_version;
};
