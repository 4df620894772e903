#include "startup.h"

#include "messages.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

namespace {

const QString dialogFamily = QStringLiteral("Liberation Sans");

// The font travels inside the program: Windows has no Liberation Sans, and its
// own dialog fonts are wider, so the captions would not fit alike everywhere.
bool loadBuiltInFont()
{
    bool loaded = true;
    for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"})
        loaded = QFontDatabase::addApplicationFont(QString::fromLatin1(file)) >= 0 && loaded;
    return loaded;
}

} // namespace

QFont dialogFont()
{
    static const bool loaded = loadBuiltInFont();
    Q_UNUSED(loaded);
    QFont font(dialogFamily, 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void setUpApplication(QApplication &application)
{
    QApplication::setApplicationName(applicationTitle());
    QApplication::setDesktopFileName(QStringLiteral("korindo"));
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    application.setFont(dialogFont());
}
