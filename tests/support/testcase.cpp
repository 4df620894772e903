#include "testcase.h"

#include <QRegularExpression>
#include <QStringList>

void failOnUnexpectedWarnings()
{
    // The offscreen platform has no window manager to raise a window with or
    // to tell a window's size hints to, and no keyboard for a menu to grab.
    static const QStringList harmless {
        QStringLiteral("This plugin does not support raise()"),
        QStringLiteral("This plugin does not support propagateSizeHints()"),
        QStringLiteral("This plugin does not support grabbing the keyboard")};
    QStringList escaped;
    for (const QString &warning : harmless)
        escaped.append(QRegularExpression::escape(warning));
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!(%1)$)").arg(escaped.join(u'|'))));
}
