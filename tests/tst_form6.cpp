#include "app/form1.h"
#include "support/testsupport.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

// The reactive power compensation calculator, driven through its widgets.
class TestForm6 : public CalculatorTest {
    Q_OBJECT
public:
    TestForm6()
        : CalculatorTest("Command4", "Form6")
    {
    }

private slots:
    void calculates_data();
    void calculates();
    void failedPressKeepsResults_data();
    void failedPressKeepsResults();
    void fieldsAndCaptions();
    void reloadsAfterClose();

private:
    void press(const QStringList &inputs);
    QStringList results() const;
};

// U, Ulamp, I and R typed into Text1 to Text4, then "Рассчитать!".
void TestForm6::press(const QStringList &inputs)
{
    const char *fields[] = {"Text1", "Text2", "Text3", "Text4"};
    for (int n = 0; n < 4; ++n)
        typeInto(form_, fields[n], inputs.value(n));
    clickButton(form_, "Command1");
}

// Ck, efficiency and power factor as shown.
QStringList TestForm6::results() const
{
    return {textOf(form_, "Text5"), textOf(form_, "Text6"), textOf(form_, "Text7")};
}

void TestForm6::calculates_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("choke loss") << QStringList {"220", "100", "0,5", "20"}
                                << QStringList {"6,26827883", "90,90909091", "50,00000000"};
    QTest::newRow("dot and exponent") << QStringList {"2.2E2", "1E2", ".5", "20"}
                                      << QStringList {"6,26827883", "90,90909091", "50,00000000"};
}

void TestForm6::calculates()
{
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, shown);
    press(inputs);
    QCOMPARE(results(), shown);
}

// Bad fields, and circuits the formulas cannot take: one input-error
// message, and the results of the press before stay.
void TestForm6::failedPressKeepsResults_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::newRow("U empty") << QStringList {"", "100", "0,5", "20"};
    QTest::newRow("Ulamp small e") << QStringList {"220", "1e2", "0,5", "20"};
    QTest::newRow("all four bad") << QStringList {"", "+1", "x", "1..2"};
    QTest::newRow("beyond a double") << QStringList {"1E999", "100", "1", "0"};
    QTest::newRow("active above apparent power") << QStringList {"100", "100", "1", "10"};
}

void TestForm6::failedPressKeepsResults()
{
    QFETCH(QStringList, inputs);
    press({"220", "100", "0,5", "20"});
    const QStringList before = results();
    QCOMPARE(before[2], QStringLiteral("50,00000000"));
    press(inputs);
    QCOMPARE(log_->take(), QList<Message> {inputErrorMessage()});
    QCOMPARE(results(), before);
    QCOMPARE(textOf(form_, "Text1"), inputs[0]);
}

void TestForm6::fieldsAndCaptions()
{
    for (const char *name : {"Text4", "Text5", "Text6", "Text7"})
        QCOMPARE(control<QLineEdit>(form_, name)->isReadOnly(), name != QLatin1String("Text4"));
    for (const char *name : {"Label5", "Label6", "Label7", "Label8"}) {
        auto *caption = control<QLabel>(form_, name);
        QCOMPARE(caption->autoFillBackground(), name != QLatin1String("Label5"));
    }
    QCOMPARE(control<QLabel>(form_, "Label8")->palette().color(QPalette::Window),
             QColor(255, 128, 0));
    auto *instruction = control<QLabel>(form_, "Label1");
    QCOMPARE(instruction->parentWidget(), control<QGroupBox>(form_, "Frame1"));
    QVERIFY(instruction->wordWrap());
}

void TestForm6::reloadsAfterClose()
{
    press({"220", "100", "0,5", "20"});
    QVERIFY(form_->close());
    clickButton(form1_.get(), "Command4");
    QCOMPARE(window("Form6"), form_);
    QVERIFY(form_->isVisible());
    for (const char *field : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"})
        QCOMPARE(textOf(form_, field), QString());
}

KORINDO_TEST_MAIN(TestForm6)
#include "tst_form6.moc"
