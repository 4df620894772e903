#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QWidget;

// Saving what a window draws, as the platform does it: on the desktop a file
// dialog names the file and its format; in a page a menu names the format
// and the browser offers the file as a download.
enum class FileFormat { Png, Pdf };

// Makes the file's bytes in the format; empty where it could not.
using FileMaker = std::function<QByteArray(FileFormat format)>;

// Lets the user save what maker makes, suggesting baseName with the format's
// suffix. A failure to write says so in a message box. On a page it returns at
// once and the rest follows the choice in the menu.
void saveFile(QWidget *parent, const QString &baseName, const FileMaker &maker);

// Tests put a chooser of the file name in place of the dialog and the menu
// (an empty name: the user cancelled); an empty one brings them back. Returns
// the chooser that was in place.
using SaveFileChooser = std::function<QString(const QString &suggestedName)>;
SaveFileChooser setSaveFileChooser(SaveFileChooser chooser);

// The pieces that each platform's chooseAndSave builds on.
QString saveTitle();
QString suffixOf(FileFormat format);
// Says in a message box that the file could not be saved.
void cannotSave(QWidget *parent);
// Writes what maker makes in the format that the name's suffix gives.
void writeFile(QWidget *parent, const QString &fileName, const FileMaker &maker);
// The platform's way to let the user choose: on the desktop a file dialog
// names the file and its format; in a page a menu names the format and the
// browser offers a download. Defined in app/desktop/ and app/page/.
void chooseAndSave(QWidget *parent, const QString &baseName, const FileMaker &maker);
