#include "startup.h"

#include "pagewindows.h"
#include "platform.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

namespace {

const QString dialogFamily = QStringLiteral("Liberation Sans");

// On Windows the program looks like the system it runs on: Qt picks the
// Windows 11 style there and the Vista style on Windows 10. Everywhere else
// (and in the tests, on no screen at all) it is drawn by Fusion alike.
bool drawsLikeWindows(const QStyle &style)
{
    const QString name = style.name();
    return name.compare(u"windows11", Qt::CaseInsensitive) == 0
        || name.compare(u"windowsvista", Qt::CaseInsensitive) == 0;
}

// The font travels inside the program: Windows has no Liberation Sans, and its
// own dialog fonts are wider, so the captions would not fit alike everywhere.
// Every face built in: the regular one, and the bold one except in a page.
// The faces are named rather than listed by a wildcard, whose matching cost a
// page a twentieth of a second before its first frame.
bool loadBuiltInFont()
{
    bool loaded = false;
    for (const char *face : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"}) {
        const QString file = QStringLiteral(":/fonts/") + QLatin1String(face);
        if (!QFile::exists(file))
            continue;
        if (QFontDatabase::addApplicationFont(file) < 0)
            return false;
        loaded = true;
    }
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

bool loadQtTranslation(QTranslator &translator, const QString &folder)
{
    // Qt's own copy matches the Qt the program runs on; the built-in one
    // serves where that is missing, as on Windows.
    const QString name = QStringLiteral("qtbase_ru");
    return translator.load(name, folder) || translator.load(name, QStringLiteral(":/translations"));
}

void setUpApplication(QApplication &application)
{
    QApplication::setApplicationName(QLatin1String(applicationId));
    QApplication::setApplicationVersion(QStringLiteral(KORINDO_VERSION));
    QApplication::setDesktopFileName(QLatin1String(applicationId));
    auto *translator = new QTranslator(&application);
    if (loadQtTranslation(*translator, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    if (!drawsLikeWindows(*QApplication::style())) {
        if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
            QApplication::setStyle(fusion);
    }
    application.setFont(dialogFont());
    keepWindowsOnPage();
}

void endProgram()
{
    QCoreApplication::exit(0);
    announceEnd();
}
