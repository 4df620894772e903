#pragma once

// On a page nothing places the program's windows but the program: this keeps
// each window whole on the page where it fits, and its title bar with the
// close box on the page where it does not; it brings them back onto the page
// when the browser's window or the phone turns, lifts the focused field above
// a phone's keyboard, and asks the page to scale itself so that every window
// of fixed size is whole on a small screen. A desktop's window manager does
// all of this by itself: there it does nothing.
void keepWindowsOnPage();
