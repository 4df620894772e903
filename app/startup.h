#pragma once

class QApplication;
class QFont;
class QString;
class QTranslator;

// The one dialog font of every window: Liberation Sans at 8 points, built into
// the program, for which the window layouts were drawn. Needs the application
// object.
QFont dialogFont();

// The application's name for the window system: ASCII, since the X11 window
// class is made from it and the desktop entry's StartupWMClass must match.
inline constexpr char applicationId[] = "korindo";

// Loads Qt's own Russian texts (the buttons of message boxes, the context
// menus of fields) from the given folder, or else from the copy built into
// the program. False where neither can be read.
bool loadQtTranslation(QTranslator &translator, const QString &folder);

// Name, style, font and language of the application; done once at start-up,
// before the first window is created.
void setUpApplication(QApplication &application);

// Ends the program once the event loop is back. In a web page, where the event
// loop never returns to main(), the page is also told (the event
// "korindoended" on its window), so that it can say that the program ended.
void endProgram();
