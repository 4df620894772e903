#include "windowplacement.h"

#include <algorithm>

namespace placement {

namespace {
// The start of a span of this length on [low, low + room): where it was if it
// fits there, else as near as fits, else at low.
int keptWithin(int start, int length, int low, int room)
{
    if (length >= room)
        return low;
    return std::clamp(start, low, low + room - length);
}
} // namespace

QRect keptOnScreen(const QRect &frame, const QRect &screen, const QRect &mustShow)
{
    QRect kept = frame;
    kept.moveLeft(keptWithin(frame.left(), frame.width(), screen.left(), screen.width()));
    kept.moveTop(keptWithin(frame.top(), frame.height(), screen.top(), screen.height()));
    if (mustShow.isValid()) {
        const int below
            = mustShow.translated(0, kept.top() - frame.top()).bottom() - screen.bottom();
        if (below > 0)
            kept.translate(0, -std::min(below, kept.bottom() - screen.bottom()));
    }
    return kept;
}

QRect centred(QSize frame, const QRect &screen)
{
    QRect middle({}, frame);
    middle.moveCenter(screen.center());
    return keptOnScreen(middle, screen);
}

} // namespace placement
