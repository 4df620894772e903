// The page's side of what it does otherwise than the desktop: no window
// manager gives a window its activation back, the page is told when the
// program ends, a file is a download, and the page's own address makes a
// calculation's link. Windows are kept on the page in pagewindows.cpp.
#include "app/formwindow.h"
#include "app/platform.h"
#include "app/savefile.h"
#include "app/weblink.h"

#include <QCursor>
#include <QFileDialog>
#include <QMenu>
#include <QWidget>

#include <emscripten.h>
#include <emscripten/val.h>

namespace {
QString locationPart(const char *part)
{
    const auto text = emscripten::val::global("location")[part].as<std::string>();
    return QString::fromStdString(text);
}
} // namespace

void takeActivationBack(QWidget *window)
{
    if (!window->isVisible())
        return;
    window->activateWindow();
    if (QWidget *focus = window->focusWidget())
        focus->setFocus(Qt::OtherFocusReason);
}

void announceEnd()
{
    EM_ASM(window.dispatchEvent(new Event('korindoended')););
}

QString calculationLinkAddress()
{
    const QString href = locationPart("href");
    return href.left(href.indexOf(u'#'));
}

QString pageFragment()
{
    return locationPart("hash");
}

// A page has no file system of the user's to write to: the browser takes
// the bytes as a download, in the format picked from a menu.
void chooseAndSave(QWidget *parent, const QString &baseName, const FileMaker &maker)
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
