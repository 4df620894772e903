#include "app/core/tablepages.h"
#include "support/testcase.h"

// A long table over pages: each row on the first page where it fits, the
// rest on the pages after, under the header repeated at each page's head.
class TestTablePages : public TestCase {
    Q_OBJECT
private slots:
    void tablePages_data();
    void tablePages();
};

void TestTablePages::tablePages_data()
{
    QTest::addColumn<double>("firstTop");
    QTest::addColumn<QList<double>>("heights");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<QList<double>>("tops");
    // Pages 300 high, a header 20 high.
    QTest::newRow("all on the first page")
        << 100.0 << QList<double> {30, 30} << QList<int> {0, 0} << QList<double> {120, 150};
    QTest::newRow("on to the next page, under the header")
        << 200.0 << QList<double> {30, 50, 30} << QList<int> {0, 0, 1}
        << QList<double> {220, 250, 20};
    QTest::newRow("a row that just fits")
        << 200.0 << QList<double> {80} << QList<int> {0} << QList<double> {220};
    QTest::newRow("no room on the first page")
        << 280.0 << QList<double> {30} << QList<int> {1} << QList<double> {20};
    QTest::newRow("a row taller than a page")
        << 0.0 << QList<double> {50, 400, 10} << QList<int> {0, 1, 2} << QList<double> {20, 20, 20};
}

void TestTablePages::tablePages()
{
    QFETCH(double, firstTop);
    QFETCH(QList<double>, heights);
    QFETCH(QList<int>, pages);
    QFETCH(QList<double>, tops);
    QList<int> placedPages;
    QList<double> placedTops;
    for (const RowPlace &place :
         placeTableRows(firstTop, 300, 20, std::vector<double>(heights.begin(), heights.end()))) {
        placedPages.append(place.page);
        placedTops.append(place.top);
    }
    QCOMPARE(placedPages, pages);
    QCOMPARE(placedTops, tops);
}

QTEST_GUILESS_MAIN(TestTablePages)
#include "tst_tablepages.moc"
