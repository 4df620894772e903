#include "startup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

QFont dialogFont()
{
    // Metric-compatible with the classic dialog fonts the captions were fitted to.
    const QStringList narrowFamilies
        = {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Arimo")};
    for (const QString &family : narrowFamilies) {
        if (QFontDatabase::hasFamily(family)) {
            QFont font(family, 8);
            font.setStyleHint(QFont::SansSerif);
            return font;
        }
    }
    // The desktop's sans serif is usually wider: a point smaller keeps the
    // longest captions inside their boxes.
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(7);
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
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    application.setFont(dialogFont());
}
