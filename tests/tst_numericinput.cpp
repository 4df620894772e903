#include "app/core/numericinput.h"
#include "support/testcase.h"

#include <QLocale>
#include <QScopeGuard>
#include <cmath>
#include <limits>

using namespace numeric;

class TestNumericInput : public TestCase {
    Q_OBJECT
private slots:
    void isNumber_data();
    void isNumber();
    void changeDots_data();
    void changeDots();
    void readFieldText_data();
    void readFieldText();
    void veryLongTexts();
    void formatResult_data();
    void formatResult();
    void regionalSettingsAreIgnored();
    void resultsReadBack();
};

namespace {
// What the main window reads from a field with this text.
std::optional<double> fieldValue(const QString &text)
{
    return numeric::readFieldText(text, FieldRoutines());
}
} // namespace

void TestNumericInput::isNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("12.5") << "12.5" << true;
    QTest::newRow("12,5") << "12,5" << true;
    QTest::newRow("-3.25") << "-3.25" << true;
    QTest::newRow(".5") << ".5" << true;
    QTest::newRow("2.5E-6") << "2.5E-6" << true;
    QTest::newRow("every allowed character") << "-0123456789E,." << true;
    QTest::newRow("no structure check: E") << "E" << true;
    QTest::newRow("no structure check: 1.2.3") << "1.2.3" << true;
    QTest::newRow("small e") << "1e3" << false;
    QTest::newRow("plus") << "+5" << false;
    QTest::newRow("leading space") << " 12" << false;
    QTest::newRow("trailing space") << "12 " << false;
    QTest::newRow("letters") << "1,5 kV" << false;
    QTest::newRow("bad last character") << "12345x" << false;
    QTest::newRow("bad first character") << "x12345" << false;
    QTest::newRow("Cyrillic Е") << "1Е3" << false;
    QTest::newRow("fullwidth digit") << QStringLiteral(u"1\uFF12") << false;
}

void TestNumericInput::isNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QCOMPARE(numeric::isNumber(text), accepted);
}

void TestNumericInput::changeDots_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("changed");
    QTest::newRow("no dot") << "12,5"
                            << "12,5";
    QTest::newRow("dot alone") << "."
                               << ",";
    QTest::newRow("every dot") << "1.2.3"
                               << "1,2,3";
    QTest::newRow("mixed") << "-1.5,E.6"
                           << "-1,5,E,6";
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("other characters kept") << "a.b c"
                                           << "a,b c";
}

void TestNumericInput::changeDots()
{
    QFETCH(QString, text);
    QFETCH(QString, changed);
    QCOMPARE(numeric::changeDots(text), changed);
}

void TestNumericInput::readFieldText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isValue");
    QTest::addColumn<double>("value");
    const double none = 0;
    QTest::newRow("12.5") << "12.5" << true << 12.5;
    QTest::newRow("12,5") << "12,5" << true << 12.5;
    QTest::newRow("-3.25") << "-3.25" << true << -3.25;
    QTest::newRow(".5") << ".5" << true << 0.5;
    QTest::newRow(",5") << ",5" << true << 0.5;
    QTest::newRow("5,") << "5," << true << 5.0;
    QTest::newRow("12") << "12" << true << 12.0;
    QTest::newRow("1E3") << "1E3" << true << 1000.0;
    QTest::newRow("2.5E-6") << "2.5E-6" << true << 0.0000025;
    QTest::newRow("-,5E1") << "-,5E1" << true << -5.0;
    QTest::newRow("leading zeros") << "007" << true << 7.0;
    QTest::newRow("correctly rounded") << "0.1" << true << 0.1;
    QTest::newRow("halfway rounds to even") << "9007199254740993" << true << 9007199254740992.0;
    QTest::newRow("largest double")
        << "1.7976931348623157E308" << true << std::numeric_limits<double>::max();
    QTest::newRow("smallest subnormal")
        << "4.9406564584124654E-324" << true << std::numeric_limits<double>::denorm_min();
    QTest::newRow("too small reads as 0") << "1E-999" << true << 0.0;
    QTest::newRow("too small, negative") << "-1E-999" << true << 0.0;
    QTest::newRow("zero with huge exponent") << "0E999999" << true << 0.0;
    QTest::newRow("exponent past any int") << "1E-99999999999999999999" << true << 0.0;
    QTest::newRow("too large") << "1E999" << false << none;
    QTest::newRow("too large, negative") << "-1E999" << false << none;
    QTest::newRow("too large by digits") << QString(400, u'9') << false << none;
    QTest::newRow("small mantissa, large exponent") << "0,0001E312" << true << 1e308;
    QTest::newRow("empty") << QString() << false << none;
    QTest::newRow("E") << "E" << false << none;
    QTest::newRow("minus") << "-" << false << none;
    QTest::newRow("comma") << "," << false << none;
    QTest::newRow("dot") << "." << false << none;
    QTest::newRow("two commas") << "1,2,3" << false << none;
    QTest::newRow("1.2.3") << "1.2.3" << false << none;
    QTest::newRow("1-2") << "1-2" << false << none;
    QTest::newRow("--5") << "--5" << false << none;
    QTest::newRow("1E") << "1E" << false << none;
    QTest::newRow("1E-") << "1E-" << false << none;
    QTest::newRow("E5") << "E5" << false << none;
    QTest::newRow("-E5") << "-E5" << false << none;
    QTest::newRow("1E2E3") << "1E2E3" << false << none;
    QTest::newRow("1E2,5") << "1E2,5" << false << none;
    QTest::newRow("1E--2") << "1E--2" << false << none;
    QTest::newRow("small e") << "1e3" << false << none;
    QTest::newRow("plus") << "+5" << false << none;
    QTest::newRow("as long as a field takes")
        << QString(maxFieldLength - 1, u'0') + "7" << true << 7.0;
    QTest::newRow("one character more") << QString(maxFieldLength, u'0') + "7" << false << none;
}

void TestNumericInput::readFieldText()
{
    QFETCH(QString, text);
    QFETCH(bool, isValue);
    QFETCH(double, value);
    const std::optional<double> read = fieldValue(text);
    QCOMPARE(read.has_value(), isValue);
    if (isValue) {
        QCOMPARE(*read, value);
        QVERIFY(!std::signbit(*read) || value < 0);
    }
}

void TestNumericInput::veryLongTexts()
{
    // Far past a 16-bit position counter; checked and read in full.
    const QString zeros(100000, u'0');
    QVERIFY(numeric::isNumber(zeros));
    QCOMPARE(fieldValue(zeros + QStringLiteral("1")), 1.0);
    QCOMPARE(fieldValue(QStringLiteral("0,") + zeros + QStringLiteral("1E100001")), 1.0);
    QCOMPARE(fieldValue(QStringLiteral("1") + zeros + QStringLiteral("E-100000")), 1.0);
    QVERIFY(!fieldValue(zeros + QStringLiteral("x")));
    QVERIFY(!numeric::isNumber(zeros + QStringLiteral(" ")));
    QVERIFY(!fieldValue(zeros + QStringLiteral(",,")));
    const QString dots(70000, u'.');
    QCOMPARE(numeric::changeDots(dots), QString(70000, u','));
}

void TestNumericInput::formatResult_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0.0 << "0,00000000";
    QTest::newRow("0.5") << 0.5 << "0,50000000";
    QTest::newRow("1/3") << 1.0 / 3 << "0,33333333";
    QTest::newRow("2/3") << 2.0 / 3 << "0,66666667";
    QTest::newRow("-2") << -2.0 << "-2,00000000";
    QTest::newRow("rounds down to zero") << 0.000000004 << "0,00000000";
    QTest::newRow("rounds up") << 0.000000006 << "0,00000001";
    QTest::newRow("negative zero") << -0.0 << "0,00000000";
    QTest::newRow("tiny negative") << -0.000000004 << "0,00000000";
    QTest::newRow("no grouping") << 1234567.0 << "1234567,00000000";
    QTest::newRow("no exponent") << 1e20 << "100000000000000000000,00000000";
    QTest::newRow("largest double")
        << std::numeric_limits<double>::max()
        << QStringLiteral(
               "17976931348623157081452742373170435679807056752584499659891747680315726078002853"
               "87605895586327668781715404589535143824642343213268894641827684675467035375169860"
               "49910576551282076245490090389328944075868508455133942304583236903222948165808559"
               "332123348274797826204144723168738177180919299881250404026184124858368,00000000");
}

void TestNumericInput::formatResult()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(numeric::formatResult(value), text);
}

void TestNumericInput::regionalSettingsAreIgnored()
{
    const auto restore = qScopeGuard([saved = QLocale()] { QLocale::setDefault(saved); });
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(numeric::formatResult(1234.5), QStringLiteral("1234,50000000"));
    QCOMPARE(fieldValue(QStringLiteral("1234,5")), 1234.5);
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(fieldValue(QStringLiteral("1.234")), 1.234);
}

void TestNumericInput::resultsReadBack()
{
    for (double value : {0.0, 1.0 / 3, -2.5, 1e15, 440.0}) {
        const auto back = fieldValue(numeric::formatResult(value));
        QVERIFY(back);
        QCOMPARE(numeric::formatResult(*back), numeric::formatResult(value));
    }
}

QTEST_GUILESS_MAIN(TestNumericInput)
#include "tst_numericinput.moc"
