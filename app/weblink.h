#pragma once

#include <QUrl>

#include <functional>

class QWidget;

// The discussion page that the link picture of the main window opens.
inline constexpr char discussionPageAddress[] = "https://example.org/forum/35-825-1";

// The address that a calculation's link starts with: the page's own, without
// its fragment, in a browser; elsewhere the page's address that the build was
// given (KORINDO_PAGE_ADDRESS), or an empty one where it was given none, for
// the link's short form.
QString calculationLinkAddress();

// The fragment of the page's address, with its "#", as the page was opened;
// empty outside a browser.
QString pageFragment();

// Asks the desktop to open a web address with its default handler. Whether it
// opened is not reported: nothing further happens either way.
void openWebAddress(QWidget *owner, const QUrl &address);

// Replaces the desktop by a handler that receives each address; an empty
// handler restores the desktop. Returns the handler that was in place. Tests
// use it on every platform, so that no browser is ever started.
using WebAddressHandler = std::function<void(const QUrl &)>;
WebAddressHandler setWebAddressHandler(WebAddressHandler handler);
