#include "savefile.h"

#include "messages.h"
#include "seam.h"

#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QSaveFile>

namespace {
Seam<QString(const QString &suggestedName)> chooserSeam;

const QString saveTitle = QStringLiteral("Сохранение");

QString suffixOf(FileFormat format)
{
    return format == FileFormat::Pdf ? QStringLiteral("pdf") : QStringLiteral("png");
}

FileFormat formatOf(const QString &fileName)
{
    return QFileInfo(fileName).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0
        ? FileFormat::Pdf
        : FileFormat::Png;
}

void cannotSave(QWidget *parent)
{
    showMessage(parent,
                {QStringLiteral("Не удалось сохранить файл."), saveTitle, MessageIcon::Warning});
}

void writeFile(QWidget *parent, const QString &fileName, const FileMaker &maker)
{
    const QByteArray bytes = maker(formatOf(fileName));
    QSaveFile file(fileName);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()
        || !file.commit())
        cannotSave(parent);
}

#ifdef Q_OS_WASM
// A page has no file system of the user's to write to: the browser takes
// the bytes as a download, in the format picked from a menu.
void offerDownload(QWidget *parent, const QString &baseName, const FileMaker &maker)
{
    auto *menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto offer = [parent, baseName, maker](FileFormat format) {
        const QByteArray bytes = maker(format);
        if (bytes.isEmpty())
            cannotSave(parent);
        else
            QFileDialog::saveFileContent(bytes, baseName + u'.' + suffixOf(format));
    };
    menu->addAction(QStringLiteral("Рисунок PNG"), parent, [offer] { offer(FileFormat::Png); });
    menu->addAction(QStringLiteral("Документ PDF"), parent, [offer] { offer(FileFormat::Pdf); });
    menu->popup(QCursor::pos());
}
#endif
} // namespace

void saveFile(QWidget *parent, const QString &baseName, const FileMaker &maker)
{
    const QString suggested = baseName + u'.' + suffixOf(FileFormat::Png);
    if (const auto &standIn = chooserSeam.standIn()) {
        if (const QString fileName = standIn(suggested); !fileName.isEmpty())
            writeFile(parent, fileName, maker);
        return;
    }
#ifdef Q_OS_WASM
    offerDownload(parent, baseName, maker);
#else
    QString filter;
    const QString fileName = QFileDialog::getSaveFileName(
        parent, saveTitle, suggested, QStringLiteral("Рисунок PNG (*.png);;Документ PDF (*.pdf)"),
        &filter);
    if (fileName.isEmpty())
        return;
    // A name typed without a suffix takes the chosen filter's.
    const bool pdfChosen = filter.contains(QStringLiteral("*.pdf"));
    writeFile(parent,
              QFileInfo(fileName).suffix().isEmpty()
                  ? fileName + u'.' + suffixOf(pdfChosen ? FileFormat::Pdf : FileFormat::Png)
                  : fileName,
              maker);
#endif
}

SaveFileChooser setSaveFileChooser(SaveFileChooser chooser)
{
    return chooserSeam.replace(std::move(chooser));
}
