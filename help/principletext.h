#pragma once

#include <QByteArray>
#include <QString>

// The principle text of the principle-of-operation window, read from the
// bytes of its file.
namespace principletext {

// The file's lines in file order, each followed by CR LF. A line ends at a CR
// or at a CR LF; a lone LF stays part of its line; the last line counts even
// without a terminator. The bytes are UTF-8 when they are valid UTF-8 (a
// leading byte-order mark is dropped), and Windows-1251 otherwise.
QString read(const QByteArray &file);

// The bytes decoded as Windows-1251, the Cyrillic code page of older text
// files. The one byte that the code page leaves undefined, 0x98, becomes
// U+0098, as the Windows converters have it.
QString fromWindows1251(const QByteArray &bytes);

// The text as a plain-text box shows it: one paragraph per line, without an
// empty paragraph after the last line, and a lone LF inside a line as a line
// break within its paragraph (U+2028), so that no line break is doubled.
QString toDisplayText(const QString &text);

} // namespace principletext
