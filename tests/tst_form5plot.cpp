#include "app/savefile.h"
#include "calculators/core/quantitytext.h"
#include "support/testsupport.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <qcustomplot.h>

namespace {
using namespace circuit;

// The bands of the plot, the found range first: left and right edges in µF.
QList<QPair<double, double>> bandsOf(QCustomPlot *plot)
{
    QList<QPair<double, double>> bands;
    for (int i = 0; i < plot->itemCount(); ++i) {
        if (auto *band = qobject_cast<QCPItemRect *>(plot->item(i)))
            bands.append({band->topLeft->coords().x(), band->bottomRight->coords().x()});
    }
    return bands;
}

QStringList rowOf(QTableWidget *table, int row)
{
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column)
        cells.append(table->item(row, column)->text());
    return cells;
}

int pageCount(const QByteArray &pdf)
{
    return int(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
}
} // namespace

// The plot of «Расчет емкости С», opened with its «График» and driven through
// the window as a user drives it.
class TestForm5Plot : public Form5Test {
    Q_OBJECT
private slots:
    void beforeAnySearch();
    void workedExample();
    void followsTheWindow();
    void saving_data();
    void saving();
    void onAPhone();

private:
    QWidget *openPlot();
};

QWidget *TestForm5Plot::openPlot()
{
    clickButton(form_, "Command3");
    QWidget *plot = window("Form5Plot");
    // Its keys are the active window's.
    if (!plot || !plot->isVisible() || !QTest::qWaitForWindowActive(plot))
        return nullptr;
    return plot;
}

void TestForm5Plot::beforeAnySearch()
{
    QWidget *plot = openPlot();
    QVERIFY(plot);
    QCOMPARE(plot->windowTitle(), QStringLiteral(u"График — расчет емкости \u0421"));
    QVERIFY(control<QLabel>(plot, "Message")->isVisible());
    QVERIFY(!control<QCustomPlot>(plot, "Plot")->isVisible());
    QTest::keyClick(plot, Qt::Key_Escape);
    QVERIFY(!plot->isVisible());
    // The plot goes with its window.
    QVERIFY(openPlot());
    form_->close();
    QVERIFY(!plot->isVisible());
}

void TestForm5Plot::workedExample()
{
    press("Command1", workedInputs);
    press("Command2", workedInputs, "4.7");
    log_->take();
    QWidget *window = openPlot();
    QVERIFY(window);
    auto *plot = control<QCustomPlot>(window, "Plot");
    QVERIFY(!control<QLabel>(window, "Message")->isVisible());

    // The x axis from a fifth below the range to past resonance; the four
    // curves, the E12 values and the check.
    QVERIFY(plot->xAxis->range().lower > 2 && plot->xAxis->range().lower < 2.2);
    QVERIFY(plot->xAxis->range().upper > 10.142 && plot->xAxis->range().upper < 10.4);
    QCOMPARE(plot->yAxis->range().upper, 1.5 * 990);
    QCOMPARE(plot->graphCount(), 6);

    // The found band spans Text12 to Text8; the guaranteed one, the tooltip's.
    const auto bands = bandsOf(plot);
    QCOMPARE(bands.size(), 2);
    QCOMPARE(numeric::formatResult(bands[0].first), textOf(form_, "Text12"));
    QCOMPARE(numeric::formatResult(bands[0].second), textOf(form_, "Text8"));
    QCOMPARE(capacitanceText(bands[1].first), QStringLiteral("3,63"));
    QCOMPARE(capacitanceText(bands[1].second), QStringLiteral("4,42"));
    QVERIFY(control<QLineEdit>(form_, "Text8")->accessibleDescription().contains("3,63 до 4,42"));

    auto *table = control<QTableWidget>(window, "Table");
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(
        rowOf(table, 0),
        QStringList({"3,3", "286,5 В", "519,5 В", "177,5 В", "не зажигает лампу при сети −10 %"}));
    QCOMPARE(rowOf(table, 1), QStringList({"3,9", "311,7 В", "573,5 В", "231,5 В", "подходит"}));
    QCOMPARE(rowOf(table, 2),
             QStringList({"4,7", "353,3 В", "665,4 В", "323,7 В",
                          "конденсатор перегружен при сети +10 %"}));
    QVERIFY(plot->accessibleDescription().endsWith("Подходящие номиналы ряда E12: 3,9 мкФ."));

    QCOMPARE(plot->graph(5)->dataCount(), 2); // the check's two amplitudes
}

void TestForm5Plot::followsTheWindow()
{
    QWidget *window = openPlot();
    auto *table = control<QTableWidget>(window, "Table");
    // A search that ends while the plot is open shows at once.
    press("Command1", workedInputs);
    QCOMPARE(log_->take(), QList<Message> {searchEnd("Решение успешно найдено")});
    QCOMPARE(table->rowCount(), 3);
    auto *notes = control<QLabel>(window, "Notes");
    const QString otherSearch = QStringLiteral("Поля окна показывают другой поиск");
    QVERIFY(!notes->text().contains(otherSearch));
    // A failing press leaves the plot as it was.
    press("Command1", {"x", "300", "630", "990", "20", "1", "0.001"});
    QCOMPARE(log_->take(), QList<Message> {inputErrorMessage()});
    QCOMPARE(table->rowCount(), 3);
    // A search that finds nothing still draws the curves, and says so.
    press("Command1", {"220", "300", "400", "990", "20", "1", "0.001"});
    QCOMPARE(log_->take(), QList<Message> {searchEnd("Решение не найдено")});
    auto *plot = control<QCustomPlot>(window, "Plot");
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(plot->graphCount() >= 4);
    QVERIFY(bandsOf(plot).isEmpty());
    QVERIFY(plot->accessibleDescription().startsWith("Подходящей емкости нет"));
    // Text8 and Text12 keep the range of the search before.
    QVERIFY(notes->text().endsWith(otherSearch + QStringLiteral(" — предыдущий или прерванный.")));
}

// A table longer than the first page goes on to the next.
void TestForm5Plot::saving_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("worked example") << workedInputs << 3 << 1;
    // UC stays above the ignition voltage down to C = 0: the range runs from
    // below one step, 0,0109 µF, to 0,988 µF.
    QTest::newRow("23 E12 values")
        << QStringList {"220", "150", "345", "990", "20", "1", "0.0115"} << 23 << 2;
}

void TestForm5Plot::saving()
{
    QFETCH(QStringList, texts);
    QFETCH(int, rows);
    QFETCH(int, pages);
    press("Command1", texts);
    log_->take();
    QWidget *window = openPlot();
    QVERIFY(window);
    QCOMPARE(control<QTableWidget>(window, "Table")->rowCount(), rows);
    QTemporaryDir folder;
    QString target;
    const auto previous = setSaveFileChooser([&](const QString &) { return target; });
    target = folder.filePath("plot.png");
    clickButton(window, "Save");
    QImage picture(target);
    const QWidget *content = control<QCustomPlot>(window, "Plot")->parentWidget();
    QCOMPARE(picture.size(), content->size() * content->devicePixelRatio());
    target = folder.filePath("plot.pdf");
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    QFile document(target);
    QVERIFY(document.open(QIODevice::ReadOnly));
    const QByteArray bytes = document.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QCOMPARE(pageCount(bytes), pages);
    setSaveFileChooser(previous);
}

// As wide as «Расчет емкости С» on a phone: every column fits, the verdicts
// wrapping; the table copies as a spreadsheet takes it.
void TestForm5Plot::onAPhone()
{
    press("Command1", workedInputs);
    log_->take();
    QWidget *window = openPlot();
    QVERIFY(window);
    auto *table = control<QTableWidget>(window, "Table");
    window->resize(488, 520);
    QTRY_VERIFY(table->horizontalHeaderItem(1)->text().contains(u'\n'));
    QTRY_COMPARE(table->horizontalScrollBar()->maximum(), 0);
    QVERIFY(window->rect().contains(control<QPushButton>(window, "Save")->geometry()));
    window->resize(760, 720);
    QTRY_VERIFY(!table->horizontalHeaderItem(1)->text().contains(u'\n'));

    emit table->customContextMenuRequested({10, 10});
    QMenu *menu = table->findChild<QMenu *>();
    QVERIFY(menu);
    menu->actions().value(0)->trigger();
    menu->close();
    const QStringList rows = QGuiApplication::clipboard()->text().split(u'\n');
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[2], QStringLiteral("3,9\t311,7 В\t573,5 В\t231,5 В\tподходит"));
}

KORINDO_TEST_MAIN(TestForm5Plot)
#include "tst_form5plot.moc"
