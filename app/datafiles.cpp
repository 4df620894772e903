#include "datafiles.h"

#include "app/core/cursorfile.h"
#include "app/core/jpegfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
// Opens a regular file for reading; false for anything else. The kind is
// taken from the open handle, so a file that is swapped for a pipe or a
// device after any earlier look can do no harm.
bool openRegularFile(QFile &file, const QString &path)
{
#ifdef Q_OS_WIN
    // Pipes and devices have no names among the files of a folder here; the
    // handle's type catches the reserved device names all the same.
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly) && !file.isSequential();
#else
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status { };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#endif
}

// The first maxBytes bytes of a regular file in the current directory.
std::optional<QByteArray> readHead(const QString &name, qint64 maxBytes)
{
    QFile file;
    if (!openRegularFile(file, pathInCurrentDirectory(name)))
        return std::nullopt;
    QByteArray head = file.read(qMin(file.size(), maxBytes));
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return head;
}

// A whole data file, or nothing where it is larger than the bound.
std::optional<QByteArray> readDataFile(const QString &name)
{
    std::optional<QByteArray> file = readHead(name, maxDataFileBytes + 1);
    if (file && file->size() > maxDataFileBytes)
        return std::nullopt;
    return file;
}

QByteArray readBuiltIn(const QString &name)
{
    QFile file(builtInPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The first image in the bytes, recognised by its contents. A JPEG file that
// was cut short counts as unreadable rather than showing as grey.
QImage decodeImage(const QByteArray &bytes, const char *format = nullptr)
{
    if (looksLikeJpeg(bytes) && !jpegRunsToEnd(bytes))
        return QImage();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return reader.read();
}

QImage imageOrBuiltIn(const QString &name)
{
    QImage image;
    if (auto file = readDataFile(name))
        image = decodeImage(*file);
    if (image.isNull())
        image = decodeImage(readBuiltIn(name));
    return image;
}

std::optional<QCursor> cursorFrom(const QByteArray &file)
{
    const std::optional<QPoint> hotspot = cursorHotspot(file);
    if (!hotspot)
        return std::nullopt;
    // A hotspot is only found where the first entry is a small image, so the
    // first small image is that entry's.
    const QImage image = decodeImage(smallIconImages(file, 1).front(), "ico");
    if (image.isNull() || !image.rect().contains(*hotspot))
        return std::nullopt;
    return QCursor(QPixmap::fromImage(image), hotspot->x(), hotspot->y());
}

// An icon file holds several sizes; the icon picks the one that fits. Each
// image is decoded by itself, so that no large one is ever decoded.
QIcon iconFrom(const QByteArray &file)
{
    constexpr int maxImages = 16;
    QIcon icon;
    for (const QByteArray &single : smallIconImages(file, maxImages)) {
        const QImage image = decodeImage(single, "ico");
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QIcon *decodedIcon = nullptr;
} // namespace

QByteArray bytes(const QString &name, qint64 maxBytes)
{
    if (auto file = readHead(name, maxBytes))
        return *file;
    const QByteArray builtIn = readBuiltIn(name);
    return builtIn.first(qsizetype(qMin(qint64(builtIn.size()), maxBytes)));
}

QIcon readWindowIcon()
{
    if (auto file = readDataFile(icon)) {
        const QIcon fromFile = iconFrom(*file);
        if (!fromFile.isNull())
            return fromFile;
    }
    return QIcon(builtInPath(icon));
}

QIcon windowIcon()
{
    if (!decodedIcon) {
        decodedIcon = new QIcon(readWindowIcon());
        // The icon holds pixmaps, which must go before the application does.
        qAddPostRoutine([] {
            delete decodedIcon;
            decodedIcon = nullptr;
        });
    }
    return *decodedIcon;
}

QPixmap picture(const QString &name)
{
    return QPixmap::fromImage(imageOrBuiltIn(name));
}

QCursor cursor(const QString &name)
{
    if (auto file = readDataFile(name)) {
        if (auto loaded = cursorFrom(*file))
            return *loaded;
    }
    if (auto builtIn = cursorFrom(readBuiltIn(name)))
        return *builtIn;
    return QCursor(Qt::PointingHandCursor);
}

QPixmap linkPicture()
{
    return QPixmap::fromImage(decodeImage(readBuiltIn(QStringLiteral("link.gif"))));
}

} // namespace datafiles
