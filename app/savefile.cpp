#include "savefile.h"

#include "messages.h"
#include "seam.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {
Seam<QString(const QString &suggestedName)> chooserSeam;

FileFormat formatOf(const QString &fileName)
{
    return QFileInfo(fileName).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0
        ? FileFormat::Pdf
        : FileFormat::Png;
}
} // namespace

QString saveTitle()
{
    return QStringLiteral("Сохранение");
}

QString suffixOf(FileFormat format)
{
    return format == FileFormat::Pdf ? QStringLiteral("pdf") : QStringLiteral("png");
}

void cannotSave(QWidget *parent)
{
    showMessage(parent,
                {QStringLiteral("Не удалось сохранить файл."), saveTitle(), MessageIcon::Warning});
}

void writeFile(QWidget *parent, const QString &fileName, const FileMaker &maker)
{
    const QByteArray bytes = maker(formatOf(fileName));
    QSaveFile file(fileName);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()
        || !file.commit())
        cannotSave(parent);
}

void saveFile(QWidget *parent, const QString &baseName, const FileMaker &maker)
{
    const QString suggested = baseName + u'.' + suffixOf(FileFormat::Png);
    if (const auto &standIn = chooserSeam.standIn()) {
        if (const QString fileName = standIn(suggested); !fileName.isEmpty())
            writeFile(parent, fileName, maker);
        return;
    }
    chooseAndSave(parent, baseName, maker);
}

SaveFileChooser setSaveFileChooser(SaveFileChooser chooser)
{
    return chooserSeam.replace(std::move(chooser));
}
