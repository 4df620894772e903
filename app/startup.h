#pragma once

class QApplication;
class QFont;

// The one dialog font of every window: a narrow sans serif at 8 points, for
// which the window layouts were drawn.
QFont dialogFont();

// Name, style and font of the application; done once at start-up, before the
// first window is created.
void setUpApplication(QApplication &application);
