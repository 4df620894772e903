// Renders every window of the program to PNG files, headless:
//   QT_QPA_PLATFORM=offscreen korindo_screenshots OUTPUT_FOLDER
// Each calculator is shown with a worked example filled in.
#include "app/form1.h"
#include "app/messages.h"
#include "app/startup.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

namespace {
void fill(QWidget *window, const QList<std::pair<const char *, QString>> &fields)
{
    for (const auto &[name, text] : fields) {
        if (auto *field = window->findChild<QLineEdit *>(QLatin1String(name)))
            field->setText(text);
    }
}

void press(QWidget *window, const char *button)
{
    if (auto *found = window->findChild<QPushButton *>(QLatin1String(button)))
        found->click();
}

bool savePicture(const QPixmap &picture, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name + QLatin1String(".png"));
    if (!picture.save(path)) {
        qWarning("could not write %s", qPrintable(path));
        return false;
    }
    qInfo("%s", qPrintable(path));
    return true;
}

bool save(QWidget *window, const QDir &folder)
{
    QTest::qWait(50);
    return savePicture(window->grab(), folder, window->objectName());
}

QWidget *shownToolTip()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QTipLabel") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

// The window with the tooltip of one field over it, as a pointer resting on
// the field shows it. A window grab holds no other windows, so the tooltip's
// own grab is laid on it where the tooltip stands.
bool saveWithToolTip(QWidget *window, const char *fieldName, const QDir &folder)
{
    auto *field = window->findChild<QLineEdit *>(QLatin1String(fieldName));
    if (!field)
        return false;
    const QPoint pointer(field->width() / 3, field->height() / 2);
    QHelpEvent hover(QEvent::ToolTip, pointer, field->mapToGlobal(pointer));
    QApplication::sendEvent(field, &hover);
    QTest::qWait(50);
    QWidget *tip = shownToolTip();
    if (!tip) {
        qWarning("no tooltip over %s", fieldName);
        return false;
    }
    const QRect windowPlace(window->mapToGlobal(QPoint()), window->size());
    const QRect tipPlace(tip->pos(), tip->size());
    const QRect both = windowPlace.united(tipPlace);
    QPixmap picture(both.size());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawPixmap(windowPlace.topLeft() - both.topLeft(), window->grab());
    painter.drawPixmap(tipPlace.topLeft() - both.topLeft(), tip->grab());
    painter.end();
    QToolTip::hideText();
    return savePicture(picture, folder, window->objectName() + QLatin1String("-tooltip"));
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setUpApplication(application);
    if (argc != 2) {
        qWarning("usage: korindo_screenshots OUTPUT_FOLDER");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());
    setMessageHandler([](const Message &) {});

    Form1 form1;
    form1.showLoaded();
    bool saved = save(&form1, folder);

    press(&form1, "Command6");
    QWidget *form4 = window("Form4");
    fill(form4,
         {{"Text1", QStringLiteral("10")},
          {"Text2", QStringLiteral("220")},
          {"Text3", QStringLiteral("0,5")}});
    press(form4, "Command1");
    saved = save(form4, folder) && saved;

    press(&form1, "Command3");
    QWidget *form5 = window("Form5");
    fill(form5,
         {{"Text1", QStringLiteral("220")},
          {"Text2", QStringLiteral("300")},
          {"Text3", QStringLiteral("630")},
          {"Text4", QStringLiteral("990")},
          {"Text5", QStringLiteral("20")},
          {"Text6", QStringLiteral("1")},
          {"Text9", QStringLiteral("4.7")}});
    press(form5, "Command1");
    press(form5, "Command2");
    saved = save(form5, folder) && saved;
    saved = saveWithToolTip(form5, "Text10", folder) && saved;
    press(form5, "Command3");
    saved = save(window("Form5Plot"), folder) && saved;

    press(&form1, "Command4");
    QWidget *form6 = window("Form6");
    fill(form6,
         {{"Text1", QStringLiteral("220")},
          {"Text2", QStringLiteral("100")},
          {"Text3", QStringLiteral("0,5")},
          {"Text4", QStringLiteral("20")}});
    press(form6, "Command1");
    saved = save(form6, folder) && saved;

    press(&form1, "Command1");
    saved = save(window("Form2"), folder) && saved;
    return saved ? 0 : 1;
}
