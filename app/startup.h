#pragma once

class QApplication;
class QFont;

// The one dialog font of every window: Liberation Sans at 8 points, built into
// the program, for which the window layouts were drawn. Needs the application
// object.
QFont dialogFont();

// Name, style and font of the application; done once at start-up, before the
// first window is created.
void setUpApplication(QApplication &application);
