// The one container neither Qt nor ImageMagick writes as needed: a Windows
// cursor file with its hotspot.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>

// A CUR file holding one 32-bit BGRA bitmap with an AND mask; its directory
// entry carries the hotspot.
QByteArray curFile(const QImage &image, QPoint hotspot);
