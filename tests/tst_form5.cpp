#include "app/core/commandline.h"
#include "app/form1.h"
#include "calculators/core/margins.h"
#include "calculators/form5.h"
#include "calculators/walkprogress.h"
#include "support/testsupport.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocumentFragment>

namespace {
const Message found = searchEnd("Решение успешно найдено");
const Message notFound = searchEnd("Решение не найдено");
const Message passed {QStringLiteral("Проверка успешно пройдена"),
                      QStringLiteral("Проверка завершена"), MessageIcon::Information};
const Message failed {QStringLiteral("Проверка не пройдена"), QStringLiteral("Проверка завершена"),
                      MessageIcon::Critical};
const Message zero {QStringLiteral("zero"), QStringLiteral("Кориндо"), MessageIcon::None};

// What the core says of the worked example's margins, which the window
// tells in its tooltips: the search's range, then the check of 4,7 µF.
QStringList workedMargins()
{
    using namespace circuit;
    const SeriesCircuit series {220, 20, 1};
    const VoltageLimits limits {990, 630};
    CapacitanceSearch search({series, limits, 300, 0.001 / microfaradsPerFarad});
    while (!search.hasEnded())
        search.advance(passesPerChunk);
    const QString range = guaranteedRangeText(220, guaranteedRange(search));
    const double creal = 4.7 / microfaradsPerFarad;
    const auto margins
        = checkMargins(*checkCapacitor(series, limits, creal), series, limits, creal);
    return {range, range, capacitorMarginText(margins.capacitor), chokeMarginText(margins.choke)};
}

// While it lives, a walk reports to a script instead of the progress dialog:
// after each chunk the script gets the chunk's number and says how the walk
// goes on.
class ProgressScript {
public:
    explicit ProgressScript(std::function<WalkTurn(int chunk)> script)
        : previous_(setWalkProgressFactory([script](QWidget *) -> std::unique_ptr<WalkProgress> {
            struct Scripted : WalkProgress {
                std::function<WalkTurn(int)> script;
                int chunks = 0;
                WalkTurn nextTurn() override { return script(++chunks); }
            };
            auto progress = std::make_unique<Scripted>();
            progress->script = script;
            return progress;
        }))
    {
    }
    ~ProgressScript() { setWalkProgressFactory(std::move(previous_)); }

private:
    WalkProgressFactory previous_;
};
} // namespace

// The ignition capacitor window, driven through its widgets.
class TestForm5 : public Form5Test {
    Q_OBJECT
private slots:
    void fieldsAndCaptions();
    void search_data();
    void search();
    void check_data();
    void check();
    void readInputs_data();
    void readInputs();
    void stepKeptAcrossPresses();
    void reloadsAfterClose();
    void linkTravels();
    void searchEndsEarly_data();
    void searchEndsEarly();
    void tooltips_data();
    void tooltips();
    void cancelAndBusy_data();
    void cancelAndBusy();
    void endingWhileWalking_data();
    void endingWhileWalking(); // closes the main window: keep it last

private:
    void verifyTold(const QStringList &words) const;
    const Form5::StoredValues &stored() const
    {
        return static_cast<Form5 *>(form_)->storedValues();
    }
};

// Text8, Text12, Text10 and Text11 tell these words in their tooltips and
// in their accessible descriptions.
void TestForm5::verifyTold(const QStringList &words) const
{
    QStringList tooltips, descriptions;
    for (const char *name : {"Text8", "Text12", "Text10", "Text11"}) {
        const auto *field = control<QLineEdit>(form_, name);
        tooltips.append(QTextDocumentFragment::fromHtml(field->toolTip()).toPlainText().trimmed());
        descriptions.append(field->accessibleDescription());
    }
    QCOMPARE(tooltips, words);
    QCOMPARE(descriptions, words);
}

void TestForm5::fieldsAndCaptions()
{
    // Cyrillic С in the title, as the main window's button has it.
    QCOMPARE(form_->windowTitle(), QStringLiteral(u"Расчет емкости \u0421"));
    QCOMPARE(textOf(form_, "Text7"), QStringLiteral("0.001"));
    for (const char *name : {"Label7", "Label13", "Label10", "Label11"}) {
        auto *caption = control<QLabel>(form_, name);
        QCOMPARE(caption->palette().color(QPalette::Window), QColor(255, 128, 0));
        QVERIFY(static_cast<QLineEdit *>(caption->buddy())->isReadOnly());
    }
    QCOMPARE(control<QLabel>(form_, "Label8")->buddy(), control<QLineEdit>(form_, "Text7"));
    auto *instruction = control<QLabel>(form_, "Label12");
    QCOMPARE(instruction->parentWidget(), control<QGroupBox>(form_, "Frame1"));
    QVERIFY(
        instruction->text().startsWith(QStringLiteral("C помощью кнопки \"Расчет емкости С\"")));
    QCOMPARE(instruction->text().front(), QChar(u'C')); // Latin
}

void TestForm5::search_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<Message>("message");
    QTest::addColumn<QString>("largest");
    QTest::addColumn<QString>("smallest");
    // Each row follows a search of the worked example.
    QTest::newRow("same again") << workedInputs << found << "5,143"
                                << "2,707";
    QTest::newRow("nothing found: old texts stay")
        << QStringList {"220", "300", "400", "990", "20", "1", "0.001"} << notFound << "5,143"
        << "2,707";
    // 7.4 billion passes, answered at once, to the last digit of the walk.
    QTest::newRow("step 0.000000001")
        << QStringList {"220", "300", "630", "990", "20", "1", "0.000000001"} << found
        << "5,14428022"
        << "2,70663805";
}

void TestForm5::search()
{
    QFETCH(QStringList, texts);
    QFETCH(Message, message);
    QFETCH(QString, largest);
    QFETCH(QString, smallest);
    press("Command1", workedInputs);
    press("Command1", texts);
    QCOMPARE(log_->take(), (QList<Message> {found, message}));
    QVERIFY2(textOf(form_, "Text8").startsWith(largest), qPrintable(textOf(form_, "Text8")));
    QVERIFY2(textOf(form_, "Text12").startsWith(smallest), qPrintable(textOf(form_, "Text12")));
    QCOMPARE(textOf(form_, "Text10"), QString());
}

void TestForm5::check_data()
{
    QTest::addColumn<QString>("real");
    QTest::addColumn<QString>("uc");
    QTest::addColumn<QString>("ul");
    QTest::addColumn<Message>("verdict");
    QTest::newRow("4.7 within the range") << "4.7"
                                          << "409,37"
                                          << "189,70" << passed;
    QTest::newRow("6 above the capacitor limit") << "6"
                                                 << "536,37"
                                                 << "317,30" << failed;
    QTest::newRow("0 divides by zero") << "0"
                                       << ""
                                       << "" << inputErrorMessage();
}

void TestForm5::check()
{
    QFETCH(QString, real);
    QFETCH(QString, uc);
    QFETCH(QString, ul);
    QFETCH(Message, verdict);
    press("Command2", workedInputs, real);
    QCOMPARE(log_->take(), QList<Message> {verdict});
    QVERIFY2(textOf(form_, "Text10").startsWith(uc), qPrintable(textOf(form_, "Text10")));
    QVERIFY2(textOf(form_, "Text11").startsWith(ul), qPrintable(textOf(form_, "Text11")));
    QCOMPARE(textOf(form_, "Text11").isEmpty(), ul.isEmpty());
    QCOMPARE(stored().Creal, real.toDouble() / 1000000);
    QCOMPARE(textOf(form_, "Text8"), QString());
}

void TestForm5::readInputs_data()
{
    // Pressed on the check, on a window just opened.
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("real");
    QTest::addColumn<QList<Message>>("messages");
    QTest::addColumn<QList<double>>("stored"); // Usupply … Cstep, Creal
    const QList<Message> inputError {inputErrorMessage()};
    QTest::newRow("all valid, no real C")
        << workedInputs << "" << QList<Message>()
        << QList<double> {220, 300, 630, 990, 20, 1, 0.001 / 1000000, 0};
    QTest::newRow("real C not a number")
        << workedInputs << "1-2" << QList<Message>()
        << QList<double> {220, 300, 630, 990, 20, 1, 0.001 / 1000000, 0};
    QTest::newRow("Text2 empty, Text5 Cyrillic")
        << QStringList {"220", "", "630", "990", "Ом", "1", "0,5"} << "4.7" << inputError
        << QList<double> {220, 0, 630, 990, 0, 1, 0.5 / 1000000, 0};
    QTest::newRow("step and supply bad") << QStringList {"", "300", "630", "990", "20", "1", "мкФ"}
                                         << "" << QList<Message> {zero, inputErrorMessage()}
                                         << QList<double> {0, 300, 630, 990, 20, 1, 0, 0};
    QTest::newRow("step not a number") << QStringList {"220", "300", "630", "990", "20", "1", "1-2"}
                                       << "" << QList<Message> {zero, inputErrorMessage()}
                                       << QList<double> {220, 300, 630, 990, 20, 1, 0, 0};
    QTest::newRow("step 0 on a first press")
        << QStringList {"220", "300", "630", "990", "20", "1", "0"} << "" << QList<Message>()
        << QList<double> {220, 300, 630, 990, 20, 1, 0, 0};
}

void TestForm5::readInputs()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, real);
    QFETCH(QList<Message>, messages);
    QFETCH(QList<double>, stored);
    press("Command2", texts, real);
    QCOMPARE(log_->take(), messages);
    const Form5::StoredValues &v = this->stored();
    QCOMPARE((QList<double> {v.Usupply, v.Uignition, v.UcapMax, v.Ubreakdown, v.Rchoke, v.Lchoke,
                             v.Cstep, v.Creal}),
             stored);
    QCOMPARE(textOf(form_, "Text10"), QString());
}

void TestForm5::stepKeptAcrossPresses()
{
    press("Command2", {"x", "300", "630", "990", "20", "1", "0.002"});
    QCOMPARE(log_->take(), QList<Message> {inputErrorMessage()});
    QCOMPARE(stored().Cstep, 0.002 / 1000000);
    // A step of 0 walks on the grid of the step in force.
    press("Command1", {"220", "300", "630", "990", "20", "1", "0"});
    const QString onKeptStep = textOf(form_, "Text12");
    press("Command1", workedInputs);
    QVERIFY(textOf(form_, "Text12") != onKeptStep);
    press("Command1", {"220", "300", "630", "990", "20", "1", "0.002"});
    QCOMPARE(textOf(form_, "Text12"), onKeptStep);
    QCOMPARE(log_->take(), (QList<Message> {found, found, found}));
}

void TestForm5::reloadsAfterClose()
{
    press("Command1", {"220", "300", "630", "990", "20", "1", "0.005"});
    press("Command2", {"220", "300", "630", "990", "20", "1", "0.005"}, "4.7");
    QCOMPARE(log_->take(), (QList<Message> {found, passed}));
    QVERIFY(form_->close());
    clickButton(form1_.get(), "Command3");
    QCOMPARE(window("Form5"), form_);
    for (const char *name : {"Text1", "Text6", "Text8", "Text12", "Text9", "Text10", "Text11"})
        QCOMPARE(textOf(form_, name), QString());
    QCOMPARE(textOf(form_, "Text7"), QStringLiteral("0.001"));
    QCOMPARE(stored().Cstep, 0.005 / 1000000);
    QCOMPARE(stored().Creal, 4.7 / 1000000);
    QCOMPARE(stored().Usupply, 220.0);
}

// The worked example's link, copied, opened in a window loaded afresh as
// `korindo LINK` opens it: the search, then the check of its real capacitance.
void TestForm5::linkTravels()
{
    press("Command1", workedInputs, "4,7");
    QCOMPARE(log_->take(), QList<Message> {found});
    auto *copy = form_->findChild<QAction *>("copyLink");
    QVERIFY(copy);
    QCOMPARE(copy->shortcut(), QKeySequence("Ctrl+Shift+L"));
    copy->trigger();
    const QString link = QGuiApplication::clipboard()->text();
    QVERIFY(link.endsWith("v=1&window=capacitor&Usupply=220&Uignition=300&UcapMax=630"
                          "&Ubreakdown=990&Rchoke=20&Lchoke=1&Cstep=0.001&Creal=4,7"));
    const Message copied {"Ссылка на расчет скопирована в буфер обмена.", "Ссылка на расчет",
                          MessageIcon::Information};
    QCOMPARE(log_->take(), QList<Message> {copied});

    QVERIFY(form_->close());
    form1_->openLink(linkArgument({link}));
    QTRY_VERIFY_WITH_TIMEOUT(!static_cast<Form5 *>(form_)->isSearching(), 120000);
    QVERIFY(form_->isVisible());
    QCOMPARE(textOf(form_, "Text8"), QStringLiteral("5,14339929"));
    QCOMPARE(textOf(form_, "Text12"), QStringLiteral("2,70739929"));
    QCOMPARE(textOf(form_, "Text9"), QStringLiteral("4,7"));
    QVERIFY(!textOf(form_, "Text10").isEmpty());
    QCOMPARE(log_->take(), (QList<Message> {found, passed}));
}

void TestForm5::searchEndsEarly_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<Message>("message");
    QTest::addColumn<QString>("largest");
    const Message inputError = inputErrorMessage();
    QTest::newRow("choke of 0 H") << QStringList {"220", "300", "630", "990", "20", "0", "0.001"}
                                  << inputError << "";
    QTest::newRow("R² overflows") << QStringList {"220", "300", "630", "990", "1E200", "1", "0.001"}
                                  << inputError << "";
    // 1/(314² L) is 2^-17 F and the step 2^-30 F: after the largest
    // capacitance the walk reaches C = 0 exactly.
    QTest::newRow("lands on zero") << QStringList {"220",
                                                   "200",
                                                   "630",
                                                   "990",
                                                   "20",
                                                   "1.3293845592113271",
                                                   "0.000931322574615478515625"}
                                   << inputError << "3,8";
    QTest::newRow("step 0, none before")
        << QStringList {"220", "300", "630", "990", "20", "1", "0"} << notFound << "";
    QTest::newRow("step below the precision of C")
        << QStringList {"220", "300", "630", "990", "20", "1", "1E-20"} << notFound << "";
}

void TestForm5::searchEndsEarly()
{
    QFETCH(QStringList, texts);
    QFETCH(Message, message);
    QFETCH(QString, largest);
    press("Command1", texts);
    QCOMPARE(log_->take(), QList<Message> {message});
    QCOMPARE(textOf(form_, "Text8").left(largest.size()), largest);
    QCOMPARE(textOf(form_, "Text8").isEmpty(), largest.isEmpty());
    QCOMPARE(textOf(form_, "Text12"), QString());
}

// Each row follows a search of the worked example and a check of 4,7 µF.
void TestForm5::tooltips_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("real");
    QTest::addColumn<QList<Message>>("messages");
    QTest::addColumn<QStringList>("told"); // by Text8, Text12, Text10 and Text11
    const QList<Message> inputError {inputErrorMessage()};
    const QStringList unchanged = workedMargins();
    QTest::newRow("input error") << QByteArray("Command2")
                                 << QStringList {"x", "300", "630", "990", "20", "1", "0.001"}
                                 << "6" << inputError << unchanged;
    QTest::newRow("step not a number")
        << QByteArray("Command1") << QStringList {"220", "300", "630", "990", "20", "1", "1-2"}
        << "" << QList<Message> {zero, inputErrorMessage()} << unchanged;
    QTest::newRow("real C not a number")
        << QByteArray("Command2") << workedInputs << "1-2" << QList<Message>() << unchanged;
    QTest::newRow("check of 0 µF")
        << QByteArray("Command2") << workedInputs << "0" << inputError << unchanged;
    QTest::newRow("nothing found")
        << QByteArray("Command1") << QStringList {"220", "300", "400", "990", "20", "1", "0.001"}
        << "" << QList<Message> {notFound} << unchanged;
    // Text8 is written on the way, before the walk lands on C = 0.
    const QStringList landsOnZero {
        "220", "200", "630", "990", "20", "1.3293845592113271", "0.000931322574615478515625"};
    QTest::newRow("fault after the largest")
        << QByteArray("Command1") << landsOnZero << "" << inputError
        << QStringList {"", unchanged[1], unchanged[2], unchanged[3]};
}

void TestForm5::tooltips()
{
    QFETCH(QByteArray, button);
    QFETCH(QStringList, texts);
    QFETCH(QString, real);
    QFETCH(QList<Message>, messages);
    QFETCH(QStringList, told);
    press("Command1", workedInputs);
    press("Command2", workedInputs, "4.7");
    QCOMPARE(log_->take(), (QList<Message> {found, passed}));
    verifyTold(workedMargins());
    press(button.constData(), texts, real);
    QCOMPARE(log_->take(), messages);
    verifyTold(told);
}

// A step of 0.00001 µF: the largest capacitance is met after about 500 000
// passes, the walk would stop after about 744 000, and the walks at the
// mains' bounds take some 800 000 and 670 000 more. Between chunks of
// 100 000 passes a click on either button does nothing; the look the row
// names cancels, whether the walk goes on at once or after the event loop
// has turned, as it does once the progress dialog shows.
void TestForm5::cancelAndBusy_data()
{
    QTest::addColumn<int>("cancellingLook");
    QTest::addColumn<bool>("waits");
    QTest::newRow("at the typed mains voltage") << 6 << false;
    QTest::newRow("at a bound of the mains") << 12 << false;
    QTest::newRow("between turns of the event loop") << 12 << true;
}

void TestForm5::cancelAndBusy()
{
    QFETCH(int, cancellingLook);
    QFETCH(bool, waits);
    ProgressScript progress([&](int chunk) {
        control<QPushButton>(form_, "Command2")->click();
        control<QPushButton>(form_, "Command1")->click();
        if (chunk >= cancellingLook)
            return WalkTurn::Stop;
        return waits ? WalkTurn::Yield : WalkTurn::GoOn;
    });
    press("Command1", {"220", "300", "630", "990", "20", "1", "0.00001"}, "4.7");
    QCOMPARE(log_->take(), QList<Message> {searchEnd("Поиск прерван")});
    QVERIFY2(textOf(form_, "Text8").startsWith(QStringLiteral("5,14")),
             qPrintable(textOf(form_, "Text8")));
    QCOMPARE(textOf(form_, "Text12"), QString());
    QCOMPARE(textOf(form_, "Text10"), QString());
    verifyTold(QStringList(4));
}

// Two boxes from one press come one at a time, in order, and then the focus
// is back on the button that was pressed.
// A walk whose window goes between its turns ends there, without a word and
// without touching the controls that went.
void TestForm5::endingWhileWalking_data()
{
    QTest::addColumn<bool>("mainWindow");
    QTest::newRow("the window is closed") << false;
    QTest::newRow("the main window is closed") << true;
}

void TestForm5::endingWhileWalking()
{
    QFETCH(bool, mainWindow);
    int chunks = 0;
    ProgressScript progress([&](int chunk) {
        chunks = chunk;
        return WalkTurn::Yield;
    });
    auto *form5 = static_cast<Form5 *>(form_);
    fill({"220", "300", "630", "990", "20", "1", "0.00002"});
    clickButton(form_, "Command1");
    QVERIFY(form5->isSearching());
    (mainWindow ? static_cast<QWidget *>(form1_.get()) : form_)->close();
    QVERIFY(!form5->isSearching());
    QTest::qWait(20);
    QCOMPARE(chunks, 1);
    QCOMPARE(log_->take(), QList<Message>());
    QCOMPARE(form5->isLoaded(), mainWindow);
}

KORINDO_TEST_MAIN(TestForm5)
#include "tst_form5.moc"
