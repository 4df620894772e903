#pragma once

// What a page does otherwise than the desktop (Linux and Windows). Each build
// compiles the definitions of one folder, which CMake picks: app/page/ for the
// page, app/desktop/ for the rest. Other pieces of the same kind are declared
// where they belong: keepWindowsOnPage, calculationLinkAddress, pageFragment,
// takeActivationBack and chooseAndSave.

// Tells the page that the program has ended, so that it can say so; nothing
// on the desktop, where the program's windows are gone.
void announceEnd();
