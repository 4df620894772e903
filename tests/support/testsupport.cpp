#include "testsupport.h"

#include "app/startup.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

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

void typeInto(QWidget *window, const char *name, const QString &text)
{
    auto *field = control<QLineEdit>(window, name);
    QVERIFY(field);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
    QCOMPARE(field->text(), text);
}

void clickButton(QWidget *window, const char *name)
{
    auto *button = control<QPushButton>(window, name);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

QString textOf(QWidget *window, const char *name)
{
    auto *field = control<QLineEdit>(window, name);
    return field ? field->text() : QStringLiteral("<no field>");
}

int runTests(int argc, char *argv[], QObject *tests)
{
    QApplication application(argc, argv);
    setUpApplication(application);
    return QTest::qExec(tests, argc, argv);
}
