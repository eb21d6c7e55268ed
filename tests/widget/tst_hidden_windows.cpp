#include "test_program.h"

#include <QBackingStore>
#include <QScreen>
#include <QtTest>

// Windows are built once and kept hidden for the whole run; a hidden window must not
// keep its picture (about a megabyte each), and must come back fully painted. Giving the
// picture back asks the window system for nothing: ctest runs this test under X too
// (xcb.tst_hidden_windows), where a backing store of a wrong size asks the X server for
// a shared-memory segment and Qt warns about it.
class TestHiddenWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void hiddenWindowGivesBackItsPicture_data();
    void hiddenWindowGivesBackItsPicture();
};

Q_DECLARE_METATYPE(WindowId)

void TestHiddenWindows::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("shm|shared memory|segment"),
                                            QRegularExpression::CaseInsensitiveOption));
}

void TestHiddenWindows::hiddenWindowGivesBackItsPicture_data()
{
    QTest::addColumn<WindowId>("other");
    QTest::newRow("Form1") << WindowId::OneRow;
    QTest::newRow("Form2") << WindowId::TwoRow;
    QTest::newRow("Form3") << WindowId::ThreeRow;
}

void TestHiddenWindows::hiddenWindowGivesBackItsPicture()
{
    QFETCH(WindowId, other);
    TestProgram program;
    WindowRegistry &registry = program.app.registry();
    QWidget *menu = registry.window(WindowId::Menu);
    QWidget *trainer = registry.window(other);

    for (int round = 0; round < 2; ++round) {
        registry.switchTo(WindowId::Menu);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTRY_COMPARE(menu->backingStore()->size(), menu->size());
        if (round > 0)
            QVERIFY(trainer->backingStore()->size().isEmpty());

        registry.switchTo(other);
        QVERIFY(QTest::qWaitForWindowExposed(trainer));
        QTRY_COMPARE(trainer->backingStore()->size(), trainer->size());
        QVERIFY(menu->backingStore()->size().isEmpty());
    }

    // Painted anew in full: what the screen shows of the window is its background in
    // every corner (the offscreen screen reads the window's picture).
    QTRY_VERIFY(!trainer->screen()->grabWindow(trainer->winId()).isNull());
    const QImage shown = trainer->screen()->grabWindow(trainer->winId()).toImage();
    QCOMPARE(shown.size(), trainer->size() * shown.devicePixelRatio());
    const QColor background(244, 248, 255);
    for (const QPoint corner : {QPoint(1, 1), QPoint(shown.width() - 2, shown.height() - 2)})
        QCOMPARE(shown.pixelColor(corner), background);
}

QTEST_MAIN(TestHiddenWindows)
#include "tst_hidden_windows.moc"
