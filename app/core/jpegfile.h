#pragma once

#include <QByteArray>

// True for bytes that begin as a JPEG file (the start-of-image marker).
bool looksLikeJpeg(const QByteArray &file);

// Whether a JPEG file runs to its end-of-image marker. A file that was cut
// short decodes without an error: the decoder fills the missing part with
// grey and only warns, so the cut has to be found in the file itself.
bool jpegRunsToEnd(const QByteArray &file);
