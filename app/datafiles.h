#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The data files that windows read at load. Each is looked up by its name in
// the process's current directory at the moment of loading; where it is
// missing or unreadable, the copy built into the program stands in, so a
// window always loads. Only regular files count: a pipe, a device or a folder
// of that name is taken as missing, and so is a file larger than
// maxDataFileBytes (the principle text is read only up to its own bound).
namespace datafiles {

inline constexpr QLatin1String icon("Icon.ICO");
inline constexpr QLatin1String circuitPicture("sch.jpg");
inline constexpr QLatin1String linkCursor("Pointer.cur");
inline constexpr QLatin1String measurementPicture("L.jpg");
inline constexpr QLatin1String principleText("P.txt");

inline constexpr qint64 maxDataFileBytes = 16 * 1024 * 1024;

// Current directory + name.
QString pathInCurrentDirectory(const QString &name);
// The copy built into the program.
QString builtInPath(const QString &name);

// The icon of every window. Icon.ICO is read and decoded the first time a
// window asks, and every later window gets the same icon.
QIcon windowIcon();
// Icon.ICO read and decoded afresh: its images of at most 256 pixels a side,
// or the built-in icon where none of them can be used.
QIcon readWindowIcon();

QPixmap picture(const QString &name);
QCursor cursor(const QString &name);
// The file's first maxBytes bytes (all of it, where it is shorter), or the
// built-in copy's where it can't be read.
QByteArray bytes(const QString &name, qint64 maxBytes);

// The link picture stored with the main window (not a data file): its first frame.
QPixmap linkPicture();

} // namespace datafiles
