#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The data files that windows read at load. Each is looked up by its name in
// the process's current directory at the moment of loading; where it is
// missing or unreadable, the copy built into the program stands in, so a
// window always loads.
namespace datafiles {

inline constexpr QLatin1String icon("Icon.ICO");
inline constexpr QLatin1String circuitPicture("sch.jpg");
inline constexpr QLatin1String linkCursor("Pointer.cur");
inline constexpr QLatin1String measurementPicture("L.jpg");
inline constexpr QLatin1String principleText("P.txt");

// Current directory + name.
QString pathInCurrentDirectory(const QString &name);
// The copy built into the program.
QString builtInPath(const QString &name);

QIcon windowIcon();
QPixmap picture(const QString &name);
QCursor cursor(const QString &name);
// The file's bytes, or the built-in copy's where it can't be read.
QByteArray bytes(const QString &name);

// The link picture stored with the main window (not a data file): its first frame.
QPixmap linkPicture();

} // namespace datafiles
