#pragma once

#include "app/form1.h"
#include "app/messages.h"
#include "testcase.h"

#include <QList>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

Q_DECLARE_METATYPE(Message)

// Records every message box shown while it lives, instead of showing it.
class MessageLog {
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    const QList<Message> &messages() const { return messages_; }
    // The messages shown so far, forgetting them.
    QList<Message> take();

private:
    QList<Message> messages_;
    MessageHandler previous_;
};

// The base of a window test: startProgram() in init() brings up the main
// window with every message box recorded; endProgram() in cleanup() ends the
// program and fails on a message the test did not take or a window left open.
class WindowTest : public TestCase {
    Q_OBJECT
protected:
    void startProgram();
    void endProgram();
    // Presses a button of the main window; the window it opened, or null.
    QWidget *open(const char *button, const char *windowName);

    std::unique_ptr<MessageLog> log_;
    std::unique_ptr<Form1> form1_;
};

// The base of a calculator window's test: every test function starts with
// the program running and the window open (form_), and ends as WindowTest
// ends the program.
class CalculatorTest : public WindowTest {
    Q_OBJECT
protected:
    // The main window's button that opens the calculator, and its name.
    CalculatorTest(const char *button, const char *windowName)
        : button_(button)
        , windowName_(windowName)
    {
    }

    QWidget *form_ = nullptr;

protected slots:
    void init();
    void cleanup() { endProgram(); }

private:
    const char *button_;
    const char *windowName_;
};

// The base of the tests of the ignition capacitor window and its plot.
class Form5Test : public CalculatorTest {
    Q_OBJECT
protected:
    Form5Test()
        : CalculatorTest("Command3", "Form5")
    {
    }

    // Types the seven inputs and the real capacitance into Form5.
    void fill(const QStringList &texts, const QString &real = {});
    // Fills, presses the button and waits until a search it starts has ended.
    void press(const char *button, const QStringList &texts, const QString &real = {});
};

// The worked example of Form5: supply, ignition, capacitor limit, choke
// limit, resistance, inductance, step.
const QStringList workedInputs = {"220", "300", "630", "990", "20", "1", "0.001"};

// The box at the end of a search.
Message searchEnd(const char *prompt);

// While what it returns lives, the real message boxes show in place of a
// MessageLog's record of them.
inline auto realMessageBoxes()
{
    return qScopeGuard([previous = setMessageHandler({})] { setMessageHandler(previous); });
}

// The prompt of the one message box on screen, once there is one (empty where
// none comes within a few seconds or more than one is open); it is then
// closed with its OK button.
QString answerMessageBox();

// A fresh, empty current directory for one test; the old one comes back
// when it goes.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory &) = delete;
    ScratchDirectory &operator=(const ScratchDirectory &) = delete;

    QString path() const { return folder_.path(); }
    void write(const QString &name, const QByteArray &bytes);

private:
    QString saved_;
    QTemporaryDir folder_;
};

// A child widget by its object name. Where there is none the test fails with
// the control's name, and a nameless stand-in is returned so that the test
// runs on to its end instead of crashing on a null pointer. The failure names
// the caller's line: GCC's and clang's builtins give it where the library has
// no std::source_location (the libc++ of Debian's emscripten).
template<typename W>
W *control(QWidget *window, const char *name, const char *file = __builtin_FILE(),
           int line = __builtin_LINE())
{
    if (W *widget = window->findChild<W *>(QLatin1String(name)))
        return widget;
    const QByteArray message
        = "no control " + QByteArray(name) + " in " + window->objectName().toUtf8();
    QTest::qFail(message.constData(), file, line);
    return new W(window);
}

// The top-level window with this object name, or null.
QWidget *window(const char *name);
// How many visible top-level windows have this object name.
int visibleCount(const char *name);

// The names of the widgets that Tab visits, starting at first and ending when
// it comes round to first again (first is named at both ends). Widgets that
// take no focus, are disabled or hidden are passed over, as Tab does.
QStringList tabOrder(QWidget *first);

// Replaces the text of a field the way a user does: select all, then type
// (or paste, for what QTest cannot type: anything beyond ASCII).
void typeInto(QWidget *window, const char *name, const QString &text);
void clickButton(QWidget *window, const char *name);
QString textOf(QWidget *window, const char *name);

// Runs a test class under a QApplication set up like the program's.
int runTests(int argc, char *argv[], QObject *tests);

#define KORINDO_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        TestClass tests;                                                                           \
        return runTests(argc, argv, &tests);                                                       \
    }
