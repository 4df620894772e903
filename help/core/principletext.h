#pragma once

#include <QByteArray>
#include <QString>

// The principle text of the principle-of-operation window, read from the
// bytes of its file.
namespace principletext {

// How much of a file is shown. The text that ships is about 6 KB in 30 lines;
// a text box takes seconds and hundreds of megabytes to lay out a text a few
// hundred times longer, and a quarter of a second for one line of 32 KB, so
// what lies past these bounds is left out.
struct Limits {
    qsizetype bytes = 32 * 1024;
    qsizetype lines = 2000;
};

// The line that ends a text whose file went past the bounds.
QString leftOutNotice();

// The file's lines in file order, each followed by CR LF. A line ends at a CR
// or at a CR LF; a lone LF stays part of its line; the last line counts even
// without a terminator. The bytes are UTF-8 when they are valid UTF-8 (a
// leading byte-order mark is dropped), and Windows-1251 otherwise.
// The file may be given by its first bytes only: where there are more than
// limits.bytes of them, or more than limits.lines lines, the text holds the
// lines within the bounds followed by leftOutNotice().
QString read(const QByteArray &file, Limits limits = {});

// The bytes decoded as Windows-1251, the Cyrillic code page of older text
// files. The one byte that the code page leaves undefined, 0x98, becomes
// U+0098, as the Windows converters have it.
QString fromWindows1251(const QByteArray &bytes);

// The text as a plain-text box shows it: one paragraph per line, without an
// empty paragraph after the last line, and a lone LF inside a line as a line
// break within its paragraph (U+2028), so that no line break is doubled.
QString toDisplayText(const QString &text);

} // namespace principletext
