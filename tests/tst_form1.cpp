#include "app/form1.h"
#include "app/startup.h"
#include "app/weblink.h"
#include "support/testsupport.h"

#include <QAccessible>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>

class TestForm1 : public WindowTest {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void frameAndButtons();
    void oneInstancePerWindow_data();
    void oneInstancePerWindow();
    void aboutMessage();
    void openLink_data();
    void openLink();
    void linkPicture();
    void picturesForScreenReaders_data();
    void picturesForScreenReaders();
    void enterPressesFocusedButton_data();
    void enterPressesFocusedButton();
    void escapeLeavesWindow_data();
    void escapeLeavesWindow();
    void closingEndsTheProgram();
    void dialogFont();
    void captionsFit();
};

void TestForm1::init()
{
    startProgram();
}

void TestForm1::cleanup()
{
    endProgram();
}

void TestForm1::frameAndButtons()
{
    const Qt::WindowFlags flags = form1_->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!form1_->windowIcon().isNull());
    QCOMPARE(control<QPushButton>(form1_.get(), "Command3")->text(),
             QStringLiteral(u"Расчет емкости \u0421"));
    auto *lamps = control<QPushButton>(form1_.get(), "Command2");
    QVERIFY(!lamps->isEnabled());
    QTest::mouseClick(lamps, Qt::LeftButton);
    QCOMPARE(QApplication::topLevelWidgets().size(), 1);
}

void TestForm1::oneInstancePerWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::newRow("principle") << "Command1"
                               << "Form2"
                               << "Принцип работы";
    QTest::newRow("capacitor") << "Command3"
                               << "Form5"
                               << "Расчет емкости С";
    QTest::newRow("compensation") << "Command4"
                                  << "Form6"
                                  << "Компенсация реактивной мощности";
    QTest::newRow("inductance") << "Command6"
                                << "Form4"
                                << "Расчет индуктивности дросселя";
}

void TestForm1::oneInstancePerWindow()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QString, title);
    const QByteArray buttonName = button.toLatin1();
    const QByteArray windowName = window.toLatin1();
    clickButton(form1_.get(), buttonName.constData());
    clickButton(form1_.get(), buttonName.constData());
    QCOMPARE(visibleCount(windowName.constData()), 1);
    QWidget *opened = ::window(windowName.constData());
    QCOMPARE(opened->windowTitle(), title);
    QVERIFY(opened->isWindow() && !opened->parentWidget());
    QVERIFY(!opened->windowIcon().isNull());
    opened->close();
    clickButton(form1_.get(), buttonName.constData());
    QCOMPARE(::window(windowName.constData()), opened);
    QCOMPARE(visibleCount(windowName.constData()), 1);
}

void TestForm1::aboutMessage()
{
    clickButton(form1_.get(), "Command5");
    const QList<Message> shown = log_->take();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QStringLiteral("О программе"));
    QCOMPARE(shown[0].icon, MessageIcon::Information);
    QCOMPARE(shown[0].prompt,
             QStringLiteral("Автор программы — команда разработчиков Кориндо. "
                            "Автор схемы неизвестен. Программа распространяется бесплатно."));
    QVERIFY(!shown[0].prompt.contains(u'\n'));
}

void TestForm1::openLink_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("window"); // the one that opens, if any
    const QString not_ = "Ссылка не открыта: ";
    QTest::newRow("a file name") << "sch.jpg" << not_ + "в ней нет расчета Кориндо."
                                 << "";
    QTest::newRow("unknown window") << "#v=1&window=lamps" << not_ + "в ней неизвестное окно."
                                    << "";
    QTest::newRow("unknown field") << "korindo:v=1&window=inductance&R=1&L=2"
                                   << not_ + "в ней неизвестное или повторенное поле."
                                   << "";
    QTest::newRow("newer version")
        << "korindo:v=7&window=inductance"
        << not_ + "ее сделала более новая версия Кориндо. Обновите программу."
        << "";
    QTest::newRow("too long") << "#v=1&window=inductance&R=" + QString(3000, '7')
                              << not_ + "она длиннее 2000 знаков."
                              << "";
    QTest::newRow("broken encoding")
        << "#v=1&window=inductance&R=%E2%82" << not_ + "она повреждена (неверные %-коды)."
        << "";
    // A field that is not a number is the window's own input error.
    QTest::newRow("field not a number") << "#v=1&window=compensation&U=220&Ulamp=%3Cb%3E&I=0,4&R=10"
                                        << inputErrorMessage().prompt << "Form6";
}

// One message for a link that cannot be read, and no window half filled.
void TestForm1::openLink()
{
    QFETCH(QString, link);
    QFETCH(QString, message);
    QFETCH(QString, window);
    form1_->openLink(link);
    const QList<Message> shown = log_->take();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].prompt, message);
    QStringList opened;
    for (const QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget != form1_.get())
            opened << widget->objectName();
    }
    QCOMPARE(opened.join(','), window);
}

void TestForm1::linkPicture()
{
    auto *image = control<QLabel>(form1_.get(), "Image2");
    QCOMPARE(image->pixmap().size(), QSize(88, 32));
    QCOMPARE(image->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(image->focusPolicy(), Qt::NoFocus);

    QList<QUrl> opened;
    const auto restore = qScopeGuard([previous = setWebAddressHandler([&](const QUrl &url) {
                                          opened.append(url);
                                      })] { setWebAddressHandler(previous); });
    QTest::mouseClick(image, Qt::LeftButton);
    // A screen reader presses the picture through its accessible action.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(image);
    QVERIFY(accessible && accessible->actionInterface());
    QVERIFY(!accessible->text(QAccessible::Name).isEmpty());
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    const QUrl page(QString::fromLatin1(discussionPageAddress));
    QCOMPARE(opened, QList<QUrl>({page, page}));
    QCOMPARE(opened[0].path(), QStringLiteral("/forum/35-825-1"));
}

void TestForm1::picturesForScreenReaders_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::newRow("circuit") << ""
                             << "Form1";
    QTest::newRow("measurement") << "Command6"
                                 << "Form4";
}

void TestForm1::picturesForScreenReaders()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QWidget *shown = button.isEmpty()
        ? form1_.get()
        : open(button.toLatin1().constData(), window.toLatin1().constData());
    QVERIFY(shown);
    QAccessibleInterface *picture
        = QAccessible::queryAccessibleInterface(control<QLabel>(shown, "Image1"));
    QVERIFY(picture);
    QVERIFY(picture->text(QAccessible::Name).startsWith(QStringLiteral("Схема")));
    QVERIFY(picture->text(QAccessible::Description).size() > 40);
}

void TestForm1::enterPressesFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("messageTitle");
    const QString inputError = QStringLiteral("Ошибка ввода данных");
    QTest::newRow("main window, Return") << ""
                                         << "Form1"
                                         << "Command5" << int(Qt::Key_Return) << "О программе";
    QTest::newRow("main window, keypad Enter") << ""
                                               << "Form1"
                                               << "Command5" << int(Qt::Key_Enter) << "О программе";
    QTest::newRow("principle") << "Command1"
                               << "Form2"
                               << "Command2" << int(Qt::Key_Return) << "Указание";
    QTest::newRow("inductance") << "Command6"
                                << "Form4"
                                << "Command1" << int(Qt::Key_Enter) << inputError;
    QTest::newRow("inductance, text field") << "Command6"
                                            << "Form4"
                                            << "Text1" << int(Qt::Key_Return) << "";
    QTest::newRow("capacitor") << "Command3"
                               << "Form5"
                               << "Command1" << int(Qt::Key_Return) << inputError;
    QTest::newRow("capacitor, text field") << "Command3"
                                           << "Form5"
                                           << "Text5" << int(Qt::Key_Enter) << "";
    QTest::newRow("compensation") << "Command4"
                                  << "Form6"
                                  << "Command1" << int(Qt::Key_Return) << inputError;
}

void TestForm1::enterPressesFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QString, focused);
    QFETCH(int, key);
    QFETCH(QString, messageTitle);
    QWidget *shown = button.isEmpty()
        ? form1_.get()
        : open(button.toLatin1().constData(), window.toLatin1().constData());
    QVERIFY(shown);
    auto *target = control<QWidget>(shown, focused.toLatin1().constData());
    QVERIFY(target);
    target->setFocus();
    const auto modifier = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(target, Qt::Key(key), modifier);
    const QList<Message> shownMessages = log_->take();
    QCOMPARE(shownMessages.size(), messageTitle.isEmpty() ? 0 : 1);
    if (!messageTitle.isEmpty())
        QCOMPARE(shownMessages[0].title, messageTitle);
}

void TestForm1::escapeLeavesWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("focused");
    QTest::newRow("main window") << "Command5"
                                 << "Form1"
                                 << "Command5";
    QTest::newRow("principle, its text") << "Command1"
                                         << "Form2"
                                         << "Text1";
    QTest::newRow("principle, a button") << "Command1"
                                         << "Form2"
                                         << "Command1";
    QTest::newRow("inductance, a field") << "Command6"
                                         << "Form4"
                                         << "Text1";
    QTest::newRow("capacitor, a result") << "Command3"
                                         << "Form5"
                                         << "Text8";
    QTest::newRow("capacitor, a button") << "Command3"
                                         << "Form5"
                                         << "Command2";
    QTest::newRow("compensation, a field") << "Command4"
                                           << "Form6"
                                           << "Text4";
}

// Escape closes a window as its close box does, and the main window's focus
// is back on the button that opened it; in the main window it does nothing.
void TestForm1::escapeLeavesWindow()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QString, focused);
    const bool mainWindow = window == QStringLiteral("Form1");
    auto *shown = static_cast<FormWindow *>(
        mainWindow ? form1_.get()
                   : open(button.toLatin1().constData(), window.toLatin1().constData()));
    QVERIFY(shown);
    auto *target = control<QWidget>(shown, focused.toLatin1().constData());
    QVERIFY(target);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Escape);
    QCOMPARE(shown->isVisible(), mainWindow);
    QCOMPARE(shown->isLoaded(), mainWindow);
    QCOMPARE(form1_->focusWidget(), control<QWidget>(form1_.get(), button.toLatin1().constData()));
}

void TestForm1::closingEndsTheProgram()
{
    for (const char *button : {"Command1", "Command3", "Command4", "Command6"})
        clickButton(form1_.get(), button);
    QVERIFY(form1_->close());
    for (const char *name : {"Form1", "Form2", "Form4", "Form5", "Form6"})
        QCOMPARE(visibleCount(name), 0);
}

void TestForm1::dialogFont()
{
    const QFontInfo info(::dialogFont());
    QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(info.pointSize(), 8);
    QCOMPARE(QApplication::font().family(), QStringLiteral("Liberation Sans"));
}

namespace {
// What does not fit of a caption in its box, or an empty text.
QString clippedCaption(const QWidget *widget)
{
    const QFontMetrics metrics(widget->font());
    const QRect box = widget->contentsRect();
    if (auto *button = qobject_cast<const QPushButton *>(widget)) {
        // The text plus a small margin on each side must fit.
        const int textWidth = metrics.horizontalAdvance(button->text()) + 8;
        if (textWidth > button->width() || metrics.height() > button->height())
            return button->objectName() + QLatin1String(" needs ") + QString::number(textWidth);
        return {};
    }
    if (auto *label = qobject_cast<const QLabel *>(widget)) {
        if (label->text().isEmpty())
            return {};
        const int margin = 2 * label->margin() + 2;
        if (label->wordWrap()) {
            const QRect needed = metrics.boundingRect(QRect(0, 0, box.width() - margin, 100000),
                                                      Qt::TextWordWrap, label->text());
            if (needed.height() > box.height())
                return label->objectName() + QLatin1String(" needs height ")
                    + QString::number(needed.height());
            return {};
        }
        const int width = metrics.horizontalAdvance(label->text()) + margin;
        if (width > box.width() || metrics.height() > box.height())
            return label->objectName() + QLatin1String(" needs ") + QString::number(width)
                + QLatin1String(" of ") + QString::number(box.width());
        return {};
    }
    if (auto *frame = qobject_cast<const QGroupBox *>(widget)) {
        if (metrics.horizontalAdvance(frame->title()) + 16 > frame->width())
            return frame->objectName();
    }
    return {};
}
} // namespace

void TestForm1::captionsFit()
{
    for (const char *button : {"Command1", "Command3", "Command4", "Command6"})
        clickButton(form1_.get(), button);
    int measured = 0;
    for (const char *name : {"Form1", "Form2", "Form4", "Form5", "Form6"}) {
        QWidget *opened = window(name);
        QVERIFY(opened);
        for (QWidget *widget : opened->findChildren<QWidget *>()) {
            const QString clipped = clippedCaption(widget);
            QVERIFY2(clipped.isEmpty(),
                     qPrintable(QLatin1String(name) + QLatin1Char(' ') + clipped));
            const QRect inWindow(widget->mapTo(opened, QPoint(0, 0)), widget->size());
            QVERIFY2(opened->rect().contains(inWindow),
                     qPrintable(QLatin1String(name) + QLatin1Char(' ') + widget->objectName()));
            ++measured;
        }
    }
    QVERIFY(measured > 20);
}

KORINDO_TEST_MAIN(TestForm1)
#include "tst_form1.moc"
