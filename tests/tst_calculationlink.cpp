#include "app/core/calculationlink.h"
#include "support/testcase.h"

using namespace calculationlink;

Q_DECLARE_METATYPE(calculationlink::Calculation)
Q_DECLARE_METATYPE(calculationlink::Fault)

class TestCalculationLink : public TestCase {
    Q_OBJECT
private slots:
    void format();
    void roundTrip_data();
    void roundTrip();
    void faults_data();
    void faults();
};

// The worked example of the ignition capacitor window, as a forum post shows it.
void TestCalculationLink::format()
{
    const Calculation worked {Window::Capacitor,
                              {{"Usupply", "220"},
                               {"Uignition", "300"},
                               {"UcapMax", "630"},
                               {"Ubreakdown", "990"},
                               {"Rchoke", "20"},
                               {"Lchoke", "1"},
                               {"Cstep", "0.001"},
                               {"Creal", "4,7"}}};
    const QString fragment = "v=1&window=capacitor&Usupply=220&Uignition=300&UcapMax=630"
                             "&Ubreakdown=990&Rchoke=20&Lchoke=1&Cstep=0.001&Creal=4,7";
    QCOMPARE(write("https://example.org/korindo/", worked),
             "https://example.org/korindo/#" + fragment);
    QCOMPARE(write(QString(), worked), "korindo:" + fragment);
    // An empty field is left out, and reads back as absent.
    const Calculation partly {Window::Inductance, {{"R", ""}, {"U", "12"}, {"I", ""}}};
    QCOMPARE(write(QString(), partly), "korindo:v=1&window=inductance&U=12");
}

void TestCalculationLink::roundTrip_data()
{
    QTest::addColumn<Calculation>("calculation");
    QTest::newRow("inductance, as typed")
        << Calculation {Window::Inductance, {{"R", "7.5"}, {"U", "1,2E+2"}, {"I", " 0,45 "}}};
    QTest::newRow("compensation, text that is not a number")
        << Calculation {Window::Compensation,
                        {{"U", "220 В"}, {"Ulamp", "a&b=c#d%e+f"}, {"I", "<b>1</b>"}, {"R", "Ом"}}};
    QTest::newRow("capacitor, some fields")
        << Calculation {Window::Capacitor, {{"Usupply", "-0"}, {"Lchoke", ".5"}, {"Creal", "4,7"}}};
}

// Written, then read from the link, the bare fragment and the short form:
// the same window, the same texts character for character.
void TestCalculationLink::roundTrip()
{
    QFETCH(Calculation, calculation);
    const QString link = write("https://example.org/k/index.html", calculation);
    for (const QString &form : {link, link.mid(link.indexOf('#')), write(QString(), calculation)}) {
        const auto read = calculationlink::read(form);
        QVERIFY2(std::holds_alternative<Calculation>(read), qPrintable(form));
        QCOMPARE(std::get<Calculation>(read), calculation);
    }
}

void TestCalculationLink::faults_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<Fault>("fault");
    const QString ok = "#v=1&window=capacitor";
    QTest::newRow("no fragment") << "https://example.org/" << Fault::NotALink;
    QTest::newRow("empty") << "#" << Fault::NotALink;
    QTest::newRow("window before version") << "#window=capacitor&v=1" << Fault::NotALink;
    QTest::newRow("version not a number") << "#v=one&window=capacitor" << Fault::NotALink;
    QTest::newRow("version zero") << "#v=0&window=capacitor" << Fault::NotALink;
    QTest::newRow("no window") << "#v=1" << Fault::NotALink;
    QTest::newRow("newer") << "#v=2&window=capacitor&Usupply=1" << Fault::NewerVersion;
    QTest::newRow("unknown window") << "#v=1&window=Form2" << Fault::UnknownWindow;
    QTest::newRow("field of another window") << ok + "&Ulamp=1" << Fault::UnknownField;
    QTest::newRow("field twice") << ok + "&Usupply=1&Usupply=2" << Fault::UnknownField;
    QTest::newRow("field without a name") << ok + "&=1" << Fault::UnknownField;
    QTest::newRow("cut %-code") << ok + "&Usupply=22%2" << Fault::BadEncoding;
    QTest::newRow("%-code not hex") << ok + "&Usupply=%zz" << Fault::BadEncoding;
    QTest::newRow("bytes not UTF-8") << ok + "&Usupply=%FF%FE" << Fault::BadEncoding;
    QTest::newRow("over the length")
        << ok + "&Usupply=" + QString(maxFragmentLength, '1') << Fault::TooLong;
}

void TestCalculationLink::faults()
{
    QFETCH(QString, link);
    QFETCH(Fault, fault);
    const auto read = calculationlink::read(link);
    QVERIFY(std::holds_alternative<Fault>(read));
    QCOMPARE(std::get<Fault>(read), fault);
}

QTEST_GUILESS_MAIN(TestCalculationLink)
#include "tst_calculationlink.moc"
