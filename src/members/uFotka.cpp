#include "members/uFotka.h"

#include "core/uProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool sameContent(const QString& a, const QString& b)
{
    QFile fa(a), fb(b);
    if (fa.size() != fb.size() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    return fa.readAll() == fb.readAll();
}

} // namespace

QString PhotoDir()
{
    return Project()->DataDir + QStringLiteral("fotky/");
}

QString DefaultPhotoPath()
{
    return PhotoDir() + QStringLiteral("unknown.jpg");
}

QString ImportPhoto(const QString& path)
{
    const QFileInfo source(path);
    if (!source.isFile())
        return {};
    const QString dir = PhotoDir();
    QDir().mkpath(dir);
    if (QFileInfo(source.absolutePath()).canonicalFilePath() == QFileInfo(dir).canonicalFilePath())
        return source.fileName();
    const QString base = source.completeBaseName();
    const QString suffix = source.suffix().isEmpty() ? QString() : QStringLiteral(".") + source.suffix();
    QString name = source.fileName();
    for (int n = 2;; ++n) {
        const QString target = dir + name;
        const bool isDefault = name.compare(QFileInfo(DefaultPhotoPath()).fileName(), Qt::CaseInsensitive) == 0;
        if (!QFileInfo::exists(target))
            return QFile::copy(source.absoluteFilePath(), target) ? name : QString();
        if (!isDefault && sameContent(source.absoluteFilePath(), target))
            return name;
        name = base + QStringLiteral("_") + QString::number(n) + suffix;
    }
}
