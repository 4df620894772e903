#include "app/controls.h"
#include "app/form1.h"
#include "support/testsupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// Every window against the one table of layouts, tests/windows.json, which
// the page test reads too: its title, its fixed client size, the places of
// its controls and its tab order.
class TestLayout : public WindowTest {
    Q_OBJECT
private slots:
    void init() { startProgram(); }
    void cleanup() { endProgram(); }
    void matchesTable_data();
    void matchesTable();
};

namespace {
QRect pixelsOf(const QJsonValue &twips)
{
    const QJsonArray a = twips.toArray();
    return Twips {a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt()}.pixels();
}
} // namespace

void TestLayout::matchesTable_data()
{
    QTest::addColumn<QJsonObject>("layout");
    QFile file(QStringLiteral(":/tests/windows.json"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonArray windows = QJsonDocument::fromJson(file.readAll())[u"windows"].toArray();
    QVERIFY(!windows.isEmpty());
    for (const QJsonValue &window : windows)
        QTest::newRow(qPrintable(window[u"name"].toString())) << window.toObject();
}

void TestLayout::matchesTable()
{
    QFETCH(QJsonObject, layout);
    const QString name = layout[u"name"].toString();
    const QString openedBy = layout[u"openedBy"].toString();
    QWidget *window
        = openedBy.isEmpty() ? form1_.get() : open(qPrintable(openedBy), qPrintable(name));
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), layout[u"title"].toString());
    const QJsonArray client = layout[u"client"].toArray();
    QCOMPARE(window->size(), clientSize(client[0].toInt(), client[1].toInt()));
    QCOMPARE(window->minimumSize(), window->maximumSize());

    const QJsonObject controls = layout[u"controls"].toObject();
    for (auto it = controls.begin(); it != controls.end(); ++it) {
        const auto *widget = control<QWidget>(window, qPrintable(it.key()));
        QVERIFY2(widget, qPrintable(it.key()));
        QCOMPARE(widget->geometry(), pixelsOf(it.value()));
    }

    QStringList order;
    for (const QJsonValue &control : layout[u"tabOrder"].toArray())
        order.append(control.toString());
    order.append(order.front());
    QCOMPARE(tabOrder(control<QWidget>(window, qPrintable(order.front()))), order);
}

KORINDO_TEST_MAIN(TestLayout)
#include "tst_layout.moc"
