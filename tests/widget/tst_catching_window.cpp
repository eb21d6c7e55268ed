#include "games/catching/catching_window.h"
#include "test_program.h"
#include "trainers/common/trainer_window.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

using Direction = CatchingGame::Direction;

namespace {

void pushCell(ScriptedRandom &random, QPoint cell)
{
    random.pushInt(cell.x(), 24, 1);
    random.pushInt(cell.y(), 14, 3);
}

// Dark blue ink in the cell: the digits and the cursor are drawn in RGB 0, 0, 128.
bool inked(const QImage &image, const QRect &cell)
{
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 90 && c.red() < 110 && c.green() < 110)
                return true;
        }
    }
    return false;
}

// The catcher stands out from the digits in a red of its own.
bool inkedRed(const QImage &image, const QRect &cell)
{
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 160 && c.green() < 110 && c.blue() < 110)
                return true;
        }
    }
    return false;
}

} // namespace

class TestCatchingWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void noticeStartsTheGame();
    void speedBarSetsTheInterval_data();
    void speedBarSetsTheInterval();
    void arrowsAndKeysMoveTheCursor_data();
    void arrowsAndKeysMoveTheCursor();
    void lastCatchStopsTheTimerBeforeTheMessage();
    void quitQuestion_data();
    void quitQuestion();
    void frameCloseStopsTheGame();
    void hiddenGameNeverTicks();
    void newStartShowsZeroAndAllDigits();

private:
    // The trainer offers Zahlfange and the pupil takes it.
    void takeReward();
    void press(Qt::Key key) { QTest::keyClick(m_game, key); }
    // Walks the cursor to the next digit with the arrow keys.
    void walkToNextDigit();
    QImage board() const { return m_game->findChild<QWidget *>(QStringLiteral("Figur1"))->grab().toImage(); }
    QString nextShown() const { return m_game->findChild<QLabel *>(QStringLiteral("Bezeichnung3"))->text(); }

    std::unique_ptr<TestProgram> m_program;
    FakeDialogs *m_dialogs = nullptr;
    ScriptedRandom *m_random = nullptr;
    Application *m_app = nullptr;
    TrainerWindow *m_trainer = nullptr;
    CatchingWindow *m_game = nullptr;
    QTimer *m_timer = nullptr;
    QScrollBar *m_speed = nullptr;
};

void TestCatchingWindow::init()
{
    m_program = std::make_unique<TestProgram>();
    m_dialogs = &m_program->dialogs;
    m_random = &m_program->random;
    m_app = &m_program->app;
    m_app->registry().switchTo(WindowId::OneRow);
    m_trainer = qobject_cast<TrainerWindow *>(m_app->registry().window(WindowId::OneRow));
    m_game = qobject_cast<CatchingWindow *>(m_app->registry().window(WindowId::Catching));
    QVERIFY(m_trainer);
    QVERIFY(m_game);
    m_timer = m_game->findChild<QTimer *>(QStringLiteral("Zeit1"));
    m_speed = m_game->findChild<QScrollBar *>(QStringLiteral("HBildlauf1"));
    QVERIFY(m_timer);
    QVERIFY(m_speed);
    QCOMPARE(m_game->objectName(), QStringLiteral("Form4"));
    QCOMPARE(m_game->windowTitle(), QStringLiteral("Zahlfange"));
}

void TestCatchingWindow::cleanup()
{
    m_program.reset();
}

void TestCatchingWindow::takeReward()
{
    auto *notice = m_trainer->findChild<QLabel *>(QStringLiteral("Bezeichnung26"));
    QVERIFY(notice);
    notice->show();
    QTest::mouseClick(notice, Qt::LeftButton);
}

void TestCatchingWindow::walkToNextDigit()
{
    const QPoint target = m_game->game().digitCell(1);
    while (m_game->game().catcher().x() != target.x())
        press(m_game->game().catcher().x() < target.x() ? Qt::Key_Right : Qt::Key_Left);
    while (m_game->game().catcher().y() != target.y())
        press(m_game->game().catcher().y() < target.y() ? Qt::Key_Down : Qt::Key_Up);
}

void TestCatchingWindow::noticeStartsTheGame()
{
    auto *notice = m_trainer->findChild<QLabel *>(QStringLiteral("Bezeichnung26"));
    takeReward();
    QVERIFY(!notice->isVisibleTo(m_trainer));
    QVERIFY(!m_trainer->isVisible());
    QVERIFY(m_game->isVisible());
    QCOMPARE(nextShown(), QStringLiteral("0"));
    QCOMPARE(m_game->game().catcher(), QPoint(14, 9));
    QCOMPARE(m_game->game().digitsLeft(), QStringLiteral("0123456789"));
    QCOMPARE(m_speed->minimum(), 1);
    QCOMPARE(m_speed->maximum(), 5);
    QCOMPARE(m_speed->value(), 2);
    QVERIFY(m_timer->isActive());
    QCOMPARE(m_timer->interval(), 2000);
    QCOMPARE(m_dialogs->calls.size(), 0);
}

void TestCatchingWindow::speedBarSetsTheInterval_data()
{
    QTest::addColumn<int>("seconds");
    QTest::newRow("schnell") << 1;
    QTest::newRow("middle") << 3;
    QTest::newRow("langsam") << 5;
}

void TestCatchingWindow::speedBarSetsTheInterval()
{
    QFETCH(int, seconds);
    takeReward();
    m_speed->setValue(seconds);
    QCOMPARE(m_timer->interval(), seconds * 1000);
    QVERIFY(m_timer->isActive());

    // The next game starts at the speed the bar shows.
    m_game->StopGame();
    QCOMPARE(m_timer->interval(), 1000);
    takeReward();
    QCOMPARE(m_timer->interval(), seconds * 1000);
}

void TestCatchingWindow::arrowsAndKeysMoveTheCursor_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("key");
    QTest::addColumn<QPoint>("to");
    QTest::newRow("left") << "Bild1" << int(Qt::Key_Left) << QPoint(13, 9);
    QTest::newRow("up") << "Bild2" << int(Qt::Key_Up) << QPoint(14, 8);
    QTest::newRow("down") << "Bild3" << int(Qt::Key_Down) << QPoint(14, 10);
    QTest::newRow("right") << "Bild4" << int(Qt::Key_Right) << QPoint(15, 9);
}

void TestCatchingWindow::arrowsAndKeysMoveTheCursor()
{
    QFETCH(QString, picture);
    QFETCH(int, key);
    QFETCH(QPoint, to);
    takeReward();
    auto *arrow = m_game->findChild<QLabel *>(picture);
    QVERIFY(arrow);
    QTest::mouseClick(arrow, Qt::LeftButton);
    QCOMPARE(m_game->game().catcher(), to);

    // The key goes back the other way from the start cell.
    m_game->StopGame();
    takeReward();
    press(Qt::Key(key));
    QCOMPARE(m_game->game().catcher(), to);
    press(Qt::Key_A);
    QCOMPARE(m_game->game().catcher(), to);
    QCOMPARE(m_dialogs->calls.size(), 0);
}

void TestCatchingWindow::lastCatchStopsTheTimerBeforeTheMessage()
{
    takeReward();
    bool timerRanDuringBox = false;
    m_dialogs->whileOpen = [&](const FakeDialogs::Call &) {
        timerRanDuringBox = timerRanDuringBox || m_timer->isActive();
        m_game->step(); // as a tick behind the open box would
    };
    for (int digit = 0; digit < 9; ++digit) {
        walkToNextDigit();
        QCOMPARE(nextShown(), QString::number(digit + 1));
    }
    QCOMPARE(m_dialogs->calls.size(), 0);
    walkToNextDigit();

    QCOMPARE(m_dialogs->calls.size(), 1);
    QCOMPARE(m_dialogs->last().title, QStringLiteral("Zahlfange"));
    QCOMPARE(m_dialogs->last().text, QStringLiteral("  Das Spiel ist beendet!"));
    QCOMPARE(m_dialogs->last().kind, FakeDialogs::Kind::Message);
    QVERIFY(!timerRanDuringBox);
    QVERIFY(!m_timer->isActive());
    QCOMPARE(m_timer->interval(), 1000);
    QCOMPARE(nextShown(), QString());
    QVERIFY(!m_game->isVisible());
    QVERIFY(m_trainer->isVisible());
}

void TestCatchingWindow::quitQuestion_data()
{
    QTest::addColumn<bool>("escape");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("ENDE, yes") << false << Answer::Yes;
    QTest::newRow("ENDE, no") << false << Answer::No;
    QTest::newRow("Escape, yes") << true << Answer::Yes;
    QTest::newRow("Escape, no") << true << Answer::No;
}

void TestCatchingWindow::quitQuestion()
{
    QFETCH(bool, escape);
    QFETCH(Answer, answer);
    takeReward();
    m_speed->setValue(4);
    bool timerRanDuringBox = false;
    m_dialogs->whileOpen = [&](const FakeDialogs::Call &) {
        timerRanDuringBox = m_timer->isActive();
    };
    m_dialogs->answers = {answer};
    if (escape)
        press(Qt::Key_Escape);
    else
        QTest::mouseClick(m_game->findChild<QPushButton *>(QStringLiteral("Befehl1")), Qt::LeftButton);

    QCOMPARE(m_dialogs->calls.size(), 1);
    const FakeDialogs::Call call = m_dialogs->last();
    QCOMPARE(call.kind, FakeDialogs::Kind::Question);
    QCOMPARE(call.title, QStringLiteral("Zahlfange"));
    QCOMPARE(call.text, QStringLiteral("  Dieses Spiel jetzt beenden?"));
    QCOMPARE(call.icon, MessageIcon::Critical);
    QVERIFY(!timerRanDuringBox);

    const bool quits = answer == Answer::Yes;
    QCOMPARE(m_game->isVisible(), !quits);
    QCOMPARE(m_trainer->isVisible(), quits);
    QCOMPARE(m_timer->isActive(), !quits);
    QCOMPARE(m_timer->interval(), quits ? 1000 : 4000);
}

void TestCatchingWindow::frameCloseStopsTheGame()
{
    takeReward();
    QVERIFY(!m_game->close());
    QCOMPARE(m_dialogs->calls.size(), 0);
    QVERIFY(!m_game->isVisible());
    QVERIFY(m_trainer->isVisible());
    QVERIFY(!m_timer->isActive());
    QCOMPARE(m_timer->interval(), 1000);
}

void TestCatchingWindow::hiddenGameNeverTicks()
{
    takeReward();
    QVERIFY(m_timer->isActive());
    m_app->registry().switchTo(WindowId::Menu);
    QVERIFY(!m_game->isVisible());
    QVERIFY(!m_timer->isActive());
}

void TestCatchingWindow::newStartShowsZeroAndAllDigits()
{
    takeReward();
    QImage image = board();
    for (int i = 1; i <= 10; ++i)
        QVERIFY2(inked(image, m_game->cellRect({i + 3, i + 3})), qPrintable(QString::number(i)));
    QVERIFY(inkedRed(image, m_game->cellRect({14, 9})));
    QVERIFY(!inked(image, m_game->cellRect({14, 9})));
    QVERIFY(!inkedRed(image, m_game->cellRect({4, 4})));
    QVERIFY(!inked(image, m_game->cellRect({20, 3})));

    // Catch two, let the rest jump once, quit.
    walkToNextDigit();
    walkToNextDigit();
    const QList<QPoint> jumps{{20, 3}, {1, 4}, {2, 5}, {3, 6}, {24, 7}, {5, 8}, {6, 16}, {7, 15}};
    for (QPoint cell : jumps)
        pushCell(*m_random, cell);
    m_game->step();
    QCOMPARE(nextShown(), QStringLiteral("2"));
    image = board();
    QVERIFY(inked(image, m_game->cellRect({20, 3})));
    QVERIFY(!inked(image, m_game->cellRect({4, 4})));
    m_dialogs->answers = {Answer::Yes};
    press(Qt::Key_Escape);
    QVERIFY(!m_game->isVisible());

    takeReward();
    QCOMPARE(nextShown(), QStringLiteral("0"));
    QCOMPARE(m_game->game().digitsLeft(), QStringLiteral("0123456789"));
    QCOMPARE(m_game->game().catcher(), QPoint(14, 9));
    image = board();
    for (int i = 1; i <= 10; ++i)
        QVERIFY2(inked(image, m_game->cellRect({i + 3, i + 3})), qPrintable(QString::number(i)));
    QVERIFY(!inked(image, m_game->cellRect({20, 3})));
}

QTEST_MAIN(TestCatchingWindow)
#include "tst_catching_window.moc"
