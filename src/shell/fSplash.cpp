#include "shell/fSplash.h"

#include "resources/Images.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TfrmSplash::TfrmSplash(const QString& version)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("imgSplash"));
    m_picture->setPixmap(SplashPixmap(devicePixelRatioF()));
    layout->addWidget(m_picture);
    m_version = new QLabel(QStringLiteral("verze: ") + version.trimmed(), m_picture);
    m_version->setObjectName(QStringLiteral("lblVerze"));
    m_version->adjustSize();
    const QSize size(400, 250);
    setFixedSize(size);
    m_version->move(size.width() - m_version->width() - 16, size.height() - m_version->height() - 12);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
