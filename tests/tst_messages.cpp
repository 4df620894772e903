#include "app/form1.h"
#include "app/messages.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

// The message boxes: shown one at a time, each returning at once, the next
// waiting until the one before has gone, however it went.
class TestMessages : public WindowTest {
    Q_OBJECT
private slots:
    void init() { startProgram(); }
    void cleanup() { endProgram(); }
    void boxesOneAtATime();
    void boxGoneUnanswered_data();
    void boxGoneUnanswered();
    void escapeDismissesMessage();
};

// Two messages in a row: the second shows once the first is answered, and
// the focus then goes back where it was.
void TestMessages::boxesOneAtATime()
{
    const auto real = realMessageBoxes();
    auto *button = control<QPushButton>(form1_.get(), "Command3");
    button->setFocus();
    showMessage(form1_.get(), {QStringLiteral("первое"), QString(), MessageIcon::None});
    showMessage(form1_.get(), inputErrorMessage());
    QCOMPARE(answerMessageBox(), QStringLiteral("первое"));
    QCOMPARE(answerMessageBox(), inputErrorMessage().prompt);
    QTRY_COMPARE(QApplication::focusWidget(), button);
}

// A box that goes without its button being pressed, hidden or with the
// window it was shown over, does not hold up the next one.
void TestMessages::boxGoneUnanswered_data()
{
    QTest::addColumn<bool>("parentDestroyed");
    QTest::newRow("hidden") << false;
    QTest::newRow("with its parent") << true;
}

void TestMessages::boxGoneUnanswered()
{
    QFETCH(bool, parentDestroyed);
    const auto real = realMessageBoxes();
    auto parent = std::make_unique<QWidget>();
    parent->show();
    showMessage(parent.get(), {QStringLiteral("первое"), QString(), MessageIcon::None});
    showMessage(form1_.get(), inputErrorMessage());
    auto *first = parent->findChild<QMessageBox *>();
    QVERIFY(first && first->isVisible());
    if (parentDestroyed)
        parent.reset();
    else
        first->hide();
    QCOMPARE(answerMessageBox(), inputErrorMessage().prompt);
}

void TestMessages::escapeDismissesMessage()
{
    const auto real = realMessageBoxes();
    clickButton(form1_.get(), "Command5");
    QMessageBox *box = nullptr;
    QVERIFY(QTest::qWaitFor([&] {
        box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        return box != nullptr;
    }));
    QTest::keyClick(box, Qt::Key_Escape);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QVERIFY(form1_->isVisible());
}

KORINDO_TEST_MAIN(TestMessages)
#include "tst_messages.moc"
