#pragma once

#include <functional>
#include <memory>

class QWidget;

// How a long capacitance search shows that it is still at work and lets the
// user stop it. The search asks it after every chunk of its walk.
class WalkProgress {
public:
    virtual ~WalkProgress() = default;
    // Called between chunks of the walk; returns false once the user has
    // asked to stop.
    virtual bool keepWalking() = 0;
    // After keepWalking: whether the next chunk waits until the event loop
    // has run. A page paints and takes input only then.
    virtual bool waitsForTheEventLoop() const { return false; }
};

// For a walk in the window parent: nothing at all while the walk is short;
// once it has run for a few tenths of a second, a modal progress dialog
// ("Поиск...", "Отмена") that keeps the windows painted. On a page the walk
// then goes on between turns of the event loop.
std::unique_ptr<WalkProgress> makeWalkProgress(QWidget *parent);

// Puts another progress in place of the dialog (tests drive a cancel this
// way); an empty factory restores the dialog. Returns the factory that was in
// place.
using WalkProgressFactory = std::function<std::unique_ptr<WalkProgress>(QWidget *parent)>;
WalkProgressFactory setWalkProgressFactory(WalkProgressFactory factory);
