#include "testsupport.h"

#include "app/startup.h"
#include "calculators/form5.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

MessageLog::MessageLog()
{
    previous_ = setMessageHandler([this](const Message &message) { messages_.append(message); });
}

MessageLog::~MessageLog()
{
    setMessageHandler(std::move(previous_));
}

QList<Message> MessageLog::take()
{
    return std::exchange(messages_, {});
}

QWidget *window(const char *name)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name))
            return widget;
    }
    return nullptr;
}

int visibleCount(const char *name)
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name) && widget->isVisible())
            ++count;
    }
    return count;
}

void WindowTest::startProgram()
{
    failOnUnexpectedWarnings();
    log_ = std::make_unique<MessageLog>();
    form1_ = std::make_unique<Form1>();
    form1_->showLoaded();
}

void WindowTest::endProgram()
{
    form1_.reset();
    const QList<Message> unexpected = log_->take();
    log_.reset();
    QVERIFY2(unexpected.isEmpty(),
             qPrintable(QLatin1String("a message box the test did not expect: ")
                        + unexpected.value(0).prompt));
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY2(!widget->isVisible(),
                 qPrintable(widget->objectName() + QLatin1String(" left open")));
}

void CalculatorTest::init()
{
    startProgram();
    form_ = open(button_, windowName_);
    QVERIFY(form_);
}

QWidget *WindowTest::open(const char *button, const char *windowName)
{
    clickButton(form1_.get(), button);
    QWidget *opened = window(windowName);
    return opened && opened->isVisible() ? opened : nullptr;
}

void Form5Test::fill(const QStringList &texts, const QString &real)
{
    const QStringList fields
        = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text9"};
    const QStringList all = texts + QStringList {real};
    for (int i = 0; i < fields.size(); ++i)
        typeInto(form_, qPrintable(fields[i]), all[i]);
}

void Form5Test::press(const char *button, const QStringList &texts, const QString &real)
{
    fill(texts, real);
    clickButton(form_, button);
    QTRY_VERIFY_WITH_TIMEOUT(!static_cast<Form5 *>(form_)->isSearching(), 120000);
}

Message searchEnd(const char *prompt)
{
    return {QString::fromUtf8(prompt), QStringLiteral("Поиск завершен"), MessageIcon::Information};
}

QString answerMessageBox()
{
    QList<QMessageBox *> shown;
    const auto findShown = [&] {
        shown.clear();
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
                shown.append(box);
        }
        return !shown.isEmpty();
    };
    if (!QTest::qWaitFor(findShown) || shown.size() != 1)
        return {};
    const QString prompt = shown[0]->text();
    QTest::mouseClick(shown[0]->button(QMessageBox::Ok), Qt::LeftButton);
    return prompt;
}

ScratchDirectory::ScratchDirectory()
    : saved_(QDir::currentPath())
{
    QVERIFY(folder_.isValid());
    QVERIFY(QDir::setCurrent(folder_.path()));
}

ScratchDirectory::~ScratchDirectory()
{
    QDir::setCurrent(saved_);
}

void ScratchDirectory::write(const QString &name, const QByteArray &bytes)
{
    QFile file(QDir(folder_.path()).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList tabOrder(QWidget *first)
{
    QStringList names {first->objectName()};
    QWidget *widget = first;
    for (int step = 0; step < 200; ++step) {
        widget = widget->nextInFocusChain();
        const bool visited = widget->focusPolicy() & Qt::TabFocus && widget->isEnabled()
            && widget->isVisibleTo(first->window());
        if (widget == first || visited)
            names.append(widget->objectName());
        if (widget == first)
            break;
    }
    return names;
}

void typeInto(QWidget *window, const char *name, const QString &text)
{
    auto *field = control<QLineEdit>(window, name);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    const bool typeable
        = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (typeable)
        QTest::keyClicks(field, text);
    else
        field->insert(text);
    QCOMPARE(field->text(), text);
}

void clickButton(QWidget *window, const char *name)
{
    auto *button = control<QPushButton>(window, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

QString textOf(QWidget *window, const char *name)
{
    return control<QLineEdit>(window, name)->text();
}

int runTests(int argc, char *argv[], QObject *tests)
{
    QApplication application(argc, argv);
    setUpApplication(application);
    return QTest::qExec(tests, argc, argv);
}
