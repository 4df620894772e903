#include "datafiles.h"

#include "cursorfile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>

namespace datafiles {

QString pathInCurrentDirectory(const QString &name)
{
    return QDir::current().filePath(name);
}

QString builtInPath(const QString &name)
{
    return QStringLiteral(":/assets/") + name;
}

namespace {
// The first image of a file, read by its contents rather than its name.
QImage readImage(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QImage imageOrBuiltIn(const QString &name)
{
    QImage image = readImage(pathInCurrentDirectory(name));
    if (image.isNull())
        image = readImage(builtInPath(name));
    return image;
}
} // namespace

namespace {
std::optional<QByteArray> readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

std::optional<QCursor> cursorFrom(const std::optional<QByteArray> &file)
{
    if (!file)
        return std::nullopt;
    const QImage image = QImage::fromData(*file);
    const std::optional<QPoint> hotspot = cursorHotspot(*file);
    if (image.isNull() || !hotspot)
        return std::nullopt;
    return QCursor(QPixmap::fromImage(image), hotspot->x(), hotspot->y());
}
} // namespace

QByteArray bytes(const QString &name)
{
    if (auto file = readFile(pathInCurrentDirectory(name)))
        return *file;
    return readFile(builtInPath(name)).value_or(QByteArray());
}

QIcon windowIcon()
{
    // An icon file holds several sizes; QIcon picks the one that fits.
    const QString path = pathInCurrentDirectory(icon);
    if (!readImage(path).isNull())
        return QIcon(path);
    return QIcon(builtInPath(icon));
}

QPixmap picture(const QString &name)
{
    return QPixmap::fromImage(imageOrBuiltIn(name));
}

QCursor cursor(const QString &name)
{
    if (auto loaded = cursorFrom(readFile(pathInCurrentDirectory(name))))
        return *loaded;
    if (auto builtIn = cursorFrom(readFile(builtInPath(name))))
        return *builtIn;
    return QCursor(Qt::PointingHandCursor);
}

QPixmap linkPicture()
{
    return QPixmap::fromImage(readImage(QStringLiteral(":/assets/link.gif")));
}

} // namespace datafiles
