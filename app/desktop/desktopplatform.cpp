// The desktop's side of what a page does otherwise: a window manager places
// and activates the windows, a file dialog saves, and a calculation's link
// starts with the address the build was given.
#include "app/formwindow.h"
#include "app/pagewindows.h"
#include "app/platform.h"
#include "app/savefile.h"
#include "app/weblink.h"

#include <QFileDialog>
#include <QFileInfo>

void keepWindowsOnPage()
{
}

void takeActivationBack(QWidget *window)
{
    Q_UNUSED(window);
}

void announceEnd()
{
}

QString calculationLinkAddress()
{
    return QStringLiteral(KORINDO_PAGE_ADDRESS);
}

QString pageFragment()
{
    return {};
}

void chooseAndSave(QWidget *parent, const QString &baseName, const FileMaker &maker)
{
    QString filter;
    const QString fileName = QFileDialog::getSaveFileName(
        parent, saveTitle(), baseName + u'.' + suffixOf(FileFormat::Png),
        QStringLiteral("Рисунок PNG (*.png);;Документ PDF (*.pdf)"), &filter);
    if (fileName.isEmpty())
        return;
    // A name typed without a suffix takes the chosen filter's.
    const bool pdfChosen = filter.contains(QStringLiteral("*.pdf"));
    writeFile(parent,
              QFileInfo(fileName).suffix().isEmpty()
                  ? fileName + u'.' + suffixOf(pdfChosen ? FileFormat::Pdf : FileFormat::Png)
                  : fileName,
              maker);
}
