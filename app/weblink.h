#pragma once

#include <QUrl>

class QWidget;

// The discussion page that the link picture of the main window opens.
inline constexpr char discussionPageAddress[] = "https://example.org/forum/35-825-1";

// Asks the desktop to open a web address with its default handler. Whether it
// opened is not reported: nothing further happens either way.
void openWebAddress(QWidget *owner, const QUrl &address);
