#pragma once

#include <functional>
#include <utility>

// A seam: where tests put a stand-in of their own in place of something the
// program shows or starts (a message box, the desktop's web browser, the
// progress dialog of a long search), so that they see what would have
// appeared without a modal loop or a browser. One Seam object each; without
// a stand-in, the real thing serves.
template<typename Signature> class Seam {
public:
    using StandIn = std::function<Signature>;

    // Puts a stand-in in place; an empty one brings back the real thing.
    // Returns the stand-in that was in place.
    StandIn replace(StandIn standIn) { return std::exchange(standIn_, std::move(standIn)); }

    // The stand-in; empty where the real thing serves.
    const StandIn &standIn() const { return standIn_; }

private:
    StandIn standIn_;
};
