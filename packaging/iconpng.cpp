// Renders the window icon as the PNG that a desktop's application menu shows:
//   korindo_iconpng ICON_FILE SIZE OUTPUT_PNG
// The icon file's largest picture is scaled to SIZE × SIZE pixels.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool sized = false;
    const int size = args.size() == 4 ? args[2].toInt(&sized) : 0;
    if (!sized || size <= 0) {
        std::fprintf(stderr, "usage: korindo_iconpng ICON_FILE SIZE OUTPUT_PNG\n");
        return 2;
    }
    QImageReader reader(args[1]);
    QImage largest = reader.read();
    while (reader.jumpToNextImage()) {
        const QImage next = reader.read();
        if (next.width() * next.height() > largest.width() * largest.height())
            largest = next;
    }
    if (largest.isNull()) {
        std::fprintf(stderr, "korindo_iconpng: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    const QImage icon = largest.convertToFormat(QImage::Format_ARGB32)
                            .scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!icon.save(args[3], "PNG")) {
        std::fprintf(stderr, "korindo_iconpng: cannot write %s\n", qPrintable(args[3]));
        return 1;
    }
    return 0;
}
