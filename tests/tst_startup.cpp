#include "app/startup.h"
#include "support/testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTranslator>

#include <algorithm>
#include <memory>

class TestStartup : public TestCase {
    Q_OBJECT
private slots:
    void windowClassMatchesDesktopEntry();
    void qtTextsInRussian();
    void builtInTranslation_data();
    void builtInTranslation();
};

void TestStartup::windowClassMatchesDesktopEntry()
{
    // X11 makes the window class of the application name, byte for byte.
    const QString name = QApplication::applicationName();
    QVERIFY(!name.isEmpty());
    QVERIFY(std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; }));
    QCOMPARE(QGuiApplication::desktopFileName(), name);
    QSettings entry(QStringLiteral(KORINDO_DESKTOP_ENTRY), QSettings::IniFormat);
    QCOMPARE(entry.value(QStringLiteral("Desktop Entry/StartupWMClass")).toString(), name);
}

void TestStartup::qtTextsInRussian()
{
    QTranslator russian;
    if (!loadQtTranslation(russian, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QSKIP("Qt's Russian texts are neither in Qt's folder nor built in: qt6-translations-l10n");
    // The real input-error box, which is open once it returns.
    showInputError(nullptr);
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->windowTitle(), QStringLiteral("Ошибка ввода данных"));
    QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("OK")); // Qt's Russian keeps it
    box->accept();

    QLineEdit field;
    field.setText(QStringLiteral("1,5"));
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList captions;
    for (const QAction *action : menu->actions())
        captions << action->text().section(QLatin1Char('\t'), 0, 0);
    QVERIFY2(captions.contains(QStringLiteral("&Копировать")), qPrintable(captions.join(u'|')));
    QVERIFY(captions.contains(QStringLiteral("Выделить всё")));
}

void TestStartup::builtInTranslation_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("loadedFrom");
    // A cross-built Qt, as on Windows, has no translations folder.
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (QFile::exists(qtFolder + QStringLiteral("/qtbase_ru.qm")))
        QTest::newRow("Qt's folder") << qtFolder << qtFolder;
    // Built without Qt's Russian texts, a folder without them loads nothing.
    QTest::newRow("folder without it") << QCoreApplication::applicationDirPath()
                                       << (KORINDO_QT_TRANSLATION_BUILT_IN ? ":/translations" : "");
}

void TestStartup::builtInTranslation()
{
    QFETCH(QString, folder);
    QFETCH(QString, loadedFrom);
    QTranslator translator;
    if (loadedFrom.isEmpty()) {
        QVERIFY(!loadQtTranslation(translator, folder));
        return;
    }
    QVERIFY(loadQtTranslation(translator, folder));
    QVERIFY2(translator.filePath().startsWith(loadedFrom), qPrintable(translator.filePath()));
    QCOMPARE(translator.translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));
}

KORINDO_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
