#include "startup.h"

#include "messages.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

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

void setUpApplication(QApplication &application)
{
    QApplication::setApplicationName(applicationTitle());
    QApplication::setDesktopFileName(QStringLiteral("korindo"));
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    application.setFont(dialogFont());
}
