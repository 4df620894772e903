#include "app/fieldinput.h"
#include "app/form1.h"
#include "support/testsupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

// The choke inductance calculator, driven through its widgets.
class TestForm4 : public CalculatorTest {
    Q_OBJECT
public:
    TestForm4()
        : CalculatorTest("Command6", "Form4")
    {
    }

private slots:
    void calculates_data();
    void calculates();
    void failedPressKeepsResult_data();
    void failedPressKeepsResult();
    void longPaste_data();
    void longPaste();
    void fieldsAndCaptions();
    void reloadsAfterClose();

private:
    void press(const QString &r, const QString &u, const QString &i);
};

void TestForm4::press(const QString &r, const QString &u, const QString &i)
{
    typeInto(form_, "Text1", r);
    typeInto(form_, "Text2", u);
    typeInto(form_, "Text3", i);
    clickButton(form_, "Command1");
}

void TestForm4::calculates_data()
{
    QTest::addColumn<QString>("r");
    QTest::addColumn<QString>("u");
    QTest::addColumn<QString>("i");
    QTest::addColumn<QString>("shown");
    QTest::newRow("314 V, 1 A") << "0"
                                << "314"
                                << "1"
                                << "1,00000000";
    QTest::newRow("220 V, 1 A") << "0"
                                << "220"
                                << "1"
                                << "0,70063694";
    QTest::newRow("comma current") << "10"
                                   << "220"
                                   << "0,5"
                                   << "1,40091194";
    QTest::newRow("dot current") << "10"
                                 << "220"
                                 << "0.5"
                                 << "1,40091194";
}

void TestForm4::calculates()
{
    QFETCH(QString, r);
    QFETCH(QString, u);
    QFETCH(QString, i);
    QFETCH(QString, shown);
    press(r, u, i);
    QCOMPARE(textOf(form_, "Text4"), shown);
}

void TestForm4::failedPressKeepsResult_data()
{
    QTest::addColumn<QString>("r");
    QTest::addColumn<QString>("u");
    QTest::addColumn<QString>("i");
    QTest::newRow("all empty") << ""
                               << ""
                               << "";
    QTest::newRow("R above Z") << "101"
                               << "100"
                               << "1";
    QTest::newRow("R empty") << ""
                             << "220"
                             << "1";
    QTest::newRow("R not a number") << "1-2"
                                    << "220"
                                    << "1";
    QTest::newRow("U out of range") << "0"
                                    << "1E999"
                                    << "1";
    QTest::newRow("small e") << "0"
                             << "2e2"
                             << "1";
}

void TestForm4::failedPressKeepsResult()
{
    QFETCH(QString, r);
    QFETCH(QString, u);
    QFETCH(QString, i);
    press("0", "314", "1");
    QCOMPARE(textOf(form_, "Text4"), QStringLiteral("1,00000000"));
    press(r, u, i);
    QCOMPARE(log_->take(), QList<Message> {inputErrorMessage()});
    QCOMPARE(textOf(form_, "Text4"), QStringLiteral("1,00000000"));
    QCOMPARE(textOf(form_, "Text1"), r);
}

void TestForm4::longPaste_data()
{
    QTest::addColumn<QString>("u");
    QTest::addColumn<QString>("shown");
    // 0,1 written as 1E-000...01; a cut anywhere in the zeros would read 1.
    const auto tenth = [](int length) { return "1E-" + QString(length - 4, u'0') + "1"; };
    QTest::newRow("100 004 characters") << tenth(100'004) << "0,00031847";
    QTest::newRow("as long as a field takes") << tenth(numeric::maxFieldLength) << "0,00031847";
    QTest::newRow("one character more") << tenth(numeric::maxFieldLength + 1) << "";
    QTest::newRow("twice as long") << tenth(2 * numeric::maxFieldLength) << "";
}

// Pasted from the clipboard over the whole text, cut where the box is full.
void TestForm4::longPaste()
{
    QFETCH(QString, u);
    QFETCH(QString, shown);
    typeInto(form_, "Text1", QStringLiteral("0"));
    typeInto(form_, "Text3", QStringLiteral("1"));
    auto *field = control<QLineEdit>(form_, "Text2");
    field->setFocus();
    field->selectAll();
    QGuiApplication::clipboard()->setText(u);
    QTest::keySequence(field, QKeySequence::Paste);
    clickButton(form_, "Command1");
    QCOMPARE(textOf(form_, "Text4"), shown);
    if (shown.isEmpty())
        QCOMPARE(log_->take(), QList<Message> {inputErrorMessage()});
}

void TestForm4::fieldsAndCaptions()
{
    QVERIFY(control<QLineEdit>(form_, "Text4")->isReadOnly());
    QVERIFY(!control<QLineEdit>(form_, "Text1")->isReadOnly());
    auto *result = control<QLabel>(form_, "Label4");
    QVERIFY(result->autoFillBackground());
    QCOMPARE(result->palette().color(QPalette::Window), QColor(255, 128, 0));
    QVERIFY(!control<QLabel>(form_, "Label1")->autoFillBackground());
    QCOMPARE(control<QLabel>(form_, "Label2")->buddy(), control<QLineEdit>(form_, "Text2"));
    QCOMPARE(control<QLabel>(form_, "Image1")->pixmap().size(), QSize(325, 166));
}

void TestForm4::reloadsAfterClose()
{
    press("0", "314", "1");
    QVERIFY(form_->close());
    QVERIFY(!form_->isVisible());
    clickButton(form1_.get(), "Command6");
    QCOMPARE(window("Form4"), form_);
    QVERIFY(form_->isVisible());
    for (const char *field : {"Text1", "Text2", "Text3", "Text4"})
        QCOMPARE(textOf(form_, field), QString());

    // Pressed again while open: the same window, as it is.
    typeInto(form_, "Text1", QStringLiteral("5"));
    clickButton(form1_.get(), "Command6");
    QCOMPARE(visibleCount("Form4"), 1);
    QCOMPARE(textOf(form_, "Text1"), QStringLiteral("5"));
}

KORINDO_TEST_MAIN(TestForm4)
#include "tst_form4.moc"
