#pragma once

#include <QByteArray>
#include <QPoint>
#include <optional>

// The hotspot stored in the first directory entry of a Windows cursor file
// (an icon container of type 2). No result for anything that is not one.
std::optional<QPoint> cursorHotspot(const QByteArray &file);
