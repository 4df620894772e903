#include "app/core/windowplacement.h"
#include "support/testcase.h"

// Where windows stand on a page, which has no window manager.
class TestPlacement : public TestCase {
    Q_OBJECT
private slots:
    void keptOnScreen_data();
    void keptOnScreen();
    void centred_data();
    void centred();
};

void TestPlacement::keptOnScreen_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("mustShow");
    QTest::addColumn<QPoint>("topLeft");

    const QRect phone(0, 0, 500, 700);
    QTest::newRow("whole where it is")
        << QRect(10, 20, 300, 200) << phone << QRect() << QPoint(10, 20);
    QTest::newRow("past the right and the bottom")
        << QRect(400, 650, 300, 200) << phone << QRect() << QPoint(200, 500);
    QTest::newRow("title bar above and left of the page")
        << QRect(-40, -12, 300, 200) << phone << QRect() << QPoint(0, 0);
    QTest::newRow("wider than the page keeps its left end")
        << QRect(-80, 30, 669, 405) << phone << QRect() << QPoint(0, 30);
    QTest::newRow("taller than the page keeps its title bar")
        << QRect(5, -90, 496, 900) << phone << QRect() << QPoint(4, 0);
    QTest::newRow("a field under the keyboard lifts the window just so far")
        << QRect(0, 0, 496, 567) << QRect(0, 0, 500, 400) << QRect(300, 480, 160, 19)
        << QPoint(0, -99);
    QTest::newRow("a field above the keyboard keeps the title bar")
        << QRect(0, 0, 496, 567) << QRect(0, 0, 500, 400) << QRect(300, 100, 160, 19)
        << QPoint(0, 0);
    QTest::newRow("a window lifted for a lower field comes down for a higher one")
        << QRect(0, -99, 496, 567) << QRect(0, 0, 500, 400) << QRect(300, 1, 160, 19)
        << QPoint(0, 0);
    QTest::newRow("never lifted past its own bottom")
        << QRect(0, 0, 496, 567) << QRect(0, 0, 500, 400) << QRect(300, 900, 160, 19)
        << QPoint(0, -167);
    QTest::newRow("a page that does not start at 0")
        << QRect(0, 0, 300, 200) << QRect(8, 60, 500, 700) << QRect() << QPoint(8, 60);
}

void TestPlacement::keptOnScreen()
{
    QFETCH(QRect, frame);
    QFETCH(QRect, screen);
    QFETCH(QRect, mustShow);
    QFETCH(QPoint, topLeft);
    const QRect kept = placement::keptOnScreen(frame, screen, mustShow);
    QCOMPARE(kept.topLeft(), topLeft);
    QCOMPARE(kept.size(), frame.size());
}

void TestPlacement::centred_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("topLeft");

    QTest::newRow("in the middle") << QSize(436, 423) << QRect(0, 0, 1024, 768) << QPoint(294, 172);
    QTest::newRow("too large: from the top left")
        << QSize(760, 750) << QRect(0, 0, 500, 700) << QPoint(0, 0);
}

void TestPlacement::centred()
{
    QFETCH(QSize, frame);
    QFETCH(QRect, screen);
    QFETCH(QPoint, topLeft);
    QCOMPARE(placement::centred(frame, screen).topLeft(), topLeft);
}

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"
