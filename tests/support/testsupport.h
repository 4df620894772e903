#pragma once

#include "app/messages.h"

#include <QList>
#include <QTest>
#include <QWidget>

// Records every message box shown while it lives, instead of showing it.
class MessageLog
{
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

// A child widget by its object name, failing the test where there is none.
template <typename W>
W *control(QWidget *window, const char *name)
{
    W *widget = window->findChild<W *>(QLatin1String(name));
    if (!widget)
        qWarning("no control %s in %s", name, qPrintable(window->objectName()));
    return widget;
}

// The top-level window with this object name, or null.
QWidget *window(const char *name);
// How many visible top-level windows have this object name.
int visibleCount(const char *name);

// Replaces the text of a field the way a user does: select all, then type.
void typeInto(QWidget *window, const char *name, const QString &text);
void clickButton(QWidget *window, const char *name);
QString textOf(QWidget *window, const char *name);

// Runs a test class under a QApplication set up like the program's.
int runTests(int argc, char *argv[], QObject *tests);

#define KORINDO_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char *argv[])                                                              \
    {                                                                                             \
        TestClass tests;                                                                          \
        return runTests(argc, argv, &tests);                                                      \
    }
