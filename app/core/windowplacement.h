#pragma once

#include <QRect>
#include <QSize>

// Where windows stand on a screen that no window manager looks after, as on a
// page: a window is whole on the screen where it fits, and its title bar with
// the close box is on the screen where it does not. Frames, in logical pixels.
namespace placement {

// The frame moved the least that puts it whole on the screen. A frame larger
// than the screen keeps its top left corner on it, unless mustShow (the
// focused field, where a phone's keyboard leaves little room) would then be
// below the screen: the frame rises just as far as shows it.
QRect keptOnScreen(const QRect &frame, const QRect &screen, const QRect &mustShow = {});

// A frame of this size in the middle of the screen, kept on it as above.
QRect centred(QSize frame, const QRect &screen);

} // namespace placement
