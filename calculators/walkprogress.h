#pragma once

#include <functional>
#include <memory>

class QWidget;

// What a long capacitance search does after each chunk of its walk.
enum class WalkTurn {
    GoOn, // the next chunk at once
    Yield, // the next chunk once the event loop has run: windows are painted
           // and «Отмена» is taken only then
    Stop, // the user has asked to stop
};

// How a long capacitance search shows that it is still at work and lets the
// user stop it.
class WalkProgress {
public:
    virtual ~WalkProgress() = default;
    // Asked between chunks of the walk.
    virtual WalkTurn nextTurn() = 0;
};

// For a walk in the window parent: nothing at all while the walk is short,
// and it goes on at once; once it has run for a few tenths of a second, a
// modal progress dialog ("Поиск...", "Отмена"), and the walk then goes on
// between turns of the event loop, with no loop of its own.
std::unique_ptr<WalkProgress> makeWalkProgress(QWidget *parent);

// Puts another progress in place of the dialog (tests drive a cancel this
// way); an empty factory restores the dialog. Returns the factory that was in
// place.
using WalkProgressFactory = std::function<std::unique_ptr<WalkProgress>(QWidget *parent)>;
WalkProgressFactory setWalkProgressFactory(WalkProgressFactory factory);
