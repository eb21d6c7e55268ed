#include "games/memory/memory_window.h"
#include "pupil_actions.h"
#include "test_program.h"
#include "trainers/common/trainer_window.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

const QString pairs = QStringLiteral("112233445566778899");
// Field k and field k + 9 hold the same digit.
const QString testBoard = QStringLiteral("123456789123456789");

void scriptDeal(ScriptedRandom &random, const QString &board)
{
    QList<bool> used(board.size(), false);
    for (QChar digit : pairs) {
        int field = 0;
        while (used[field] || board.at(field) != digit)
            ++field;
        used[field] = true;
        random.pushInt(field + 1, 18, 1);
    }
}

} // namespace

class TestMemoryWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void noticeOpensMemoryAndResetsTheMarker();
    void fieldsShowPairsAndMarkMatches();
    void quitQuestionKeepsTheBoard_data();
    void quitQuestionKeepsTheBoard();
    void frameCloseGoesBackKeepingTheBoard();
    void winningShowsTheMessageOnceAndResets();
    void rulesButton();

private:
    QLabel *field(int k) const { return m_memo->findChild<QLabel *>(QStringLiteral("Bezeichnung%1").arg(k)); }
    void click(const char *name) const;
    void clickField(int k) const { QTest::mouseClick(field(k), Qt::LeftButton); }
    // The trainer offers Memory and the pupil takes it.
    void takeReward();

    std::unique_ptr<TestProgram> m_program;
    FakeDialogs *m_dialogs = nullptr;
    ScriptedRandom *m_random = nullptr;
    Application *m_app = nullptr;
    TrainerWindow *m_trainer = nullptr;
    MemoryWindow *m_memo = nullptr;
};

void TestMemoryWindow::init()
{
    m_program = std::make_unique<TestProgram>();
    m_dialogs = &m_program->dialogs;
    m_random = &m_program->random;
    m_app = &m_program->app;
    m_app->registry().switchTo(WindowId::OneRow);
    m_trainer = qobject_cast<TrainerWindow *>(m_app->registry().window(WindowId::OneRow));
    m_memo = qobject_cast<MemoryWindow *>(m_app->registry().window(WindowId::Memory));
    QVERIFY(m_trainer);
    QVERIFY(m_memo);
    QCOMPARE(m_memo->objectName(), QStringLiteral("memo"));
    QCOMPARE(m_memo->windowTitle(), QStringLiteral("Memory"));
}

void TestMemoryWindow::cleanup()
{
    m_program.reset();
}

void TestMemoryWindow::click(const char *name) const
{
    auto *button = m_memo->findChild<QPushButton *>(QLatin1String(name));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestMemoryWindow::takeReward()
{
    auto *notice = m_trainer->findChild<QLabel *>(QStringLiteral("Bezeichnung14"));
    QVERIFY(notice);
    notice->show();
    QTest::mouseClick(notice, Qt::LeftButton);
}

void TestMemoryWindow::noticeOpensMemoryAndResetsTheMarker()
{
    for (int i = 0; i < Score::problemsPerMemory; ++i)
        solveProblem(m_trainer);
    auto *notice = m_trainer->findChild<QLabel *>(QStringLiteral("Bezeichnung14"));
    QVERIFY(notice->isVisible());
    QTest::mouseClick(notice, Qt::LeftButton);

    QVERIFY(!notice->isVisibleTo(m_trainer));
    QCOMPARE(markerSteps(m_trainer), 0); // back at the bottom of its track
    QVERIFY(!m_trainer->isVisible());
    QVERIFY(m_memo->isVisible());
    QVERIFY(!m_memo->game().isDealt());
    for (int k = 1; k <= 18; ++k)
        QCOMPARE(field(k)->text(), QString());
}

void TestMemoryWindow::fieldsShowPairsAndMarkMatches()
{
    takeReward();
    scriptDeal(*m_random, testBoard);
    clickField(3);
    QCOMPARE(field(3)->text(), QStringLiteral("3 * 7"));
    clickField(4);
    QCOMPARE(field(4)->text(), QStringLiteral("4 * 6"));
    clickField(12); // covers 3 and 4 first
    QCOMPARE(field(3)->text(), QString());
    QCOMPARE(field(4)->text(), QString());
    clickField(3);

    for (int k : {3, 12}) {
        QCOMPARE(field(k)->text(), QStringLiteral("3 * 7"));
        QCOMPARE(field(k)->palette().color(QPalette::Window), QColor(0, 0, 255));
        QVERIFY(field(k)->font().italic());
    }
    QCOMPARE(field(4)->palette().color(QPalette::Window), MemoryWindow::fieldColour());
    QVERIFY(!field(4)->font().italic());
    QCOMPARE(m_dialogs->calls.size(), 0);
}

void TestMemoryWindow::quitQuestionKeepsTheBoard_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("leaves");
    QTest::newRow("yes") << Answer::Yes << true;
    QTest::newRow("no") << Answer::No << false;
}

void TestMemoryWindow::quitQuestionKeepsTheBoard()
{
    QFETCH(Answer, answer);
    QFETCH(bool, leaves);
    takeReward();
    scriptDeal(*m_random, testBoard);
    clickField(1);
    clickField(10);
    clickField(2);

    m_dialogs->answers = {answer};
    click("Befehl1");
    QCOMPARE(m_dialogs->calls.size(), 1);
    const FakeDialogs::Call call = m_dialogs->last();
    QCOMPARE(call.kind, FakeDialogs::Kind::Question);
    QCOMPARE(call.title, QStringLiteral("Memory"));
    QCOMPARE(call.text, QStringLiteral("  Dieses Spiel jetzt beenden?"));
    QCOMPARE(call.icon, MessageIcon::Critical);
    QCOMPARE(m_memo->isVisible(), !leaves);
    QCOMPARE(m_trainer->isVisible(), leaves);

    if (leaves)
        takeReward();
    QVERIFY(m_memo->isVisible());
    QCOMPARE(m_memo->game().board(), testBoard);
    QCOMPARE(m_memo->game().first(), 2);
    QCOMPARE(field(1)->text(), QStringLiteral("1 * 9"));
    QVERIFY(field(10)->font().italic());
    QCOMPARE(field(2)->text(), QStringLiteral("2 * 8"));
    clickField(11);
    QVERIFY(field(11)->font().italic());
}

void TestMemoryWindow::frameCloseGoesBackKeepingTheBoard()
{
    takeReward();
    scriptDeal(*m_random, testBoard);
    clickField(5);
    QVERIFY(!m_memo->close());
    QVERIFY(!m_memo->isVisible());
    QVERIFY(m_trainer->isVisible());
    QCOMPARE(m_dialogs->calls.size(), 0);

    takeReward();
    QCOMPARE(field(5)->text(), QStringLiteral("5 * 5"));
    QCOMPARE(m_memo->game().board(), testBoard);
}

void TestMemoryWindow::winningShowsTheMessageOnceAndResets()
{
    takeReward();
    scriptDeal(*m_random, testBoard);
    for (int k = 1; k <= 8; ++k) {
        clickField(k);
        clickField(k + 9);
    }
    clickField(9);
    QCOMPARE(m_dialogs->calls.size(), 0);
    QVERIFY(m_memo->isVisible());
    clickField(18);

    QCOMPARE(m_dialogs->calls.size(), 1);
    QCOMPARE(m_dialogs->last().kind, FakeDialogs::Kind::Message);
    QCOMPARE(m_dialogs->last().title, QStringLiteral("Memory"));
    QCOMPARE(m_dialogs->last().text, QStringLiteral("\rPrima, du hast es geschafft!"));
    QVERIFY(!m_memo->isVisible());
    QVERIFY(m_trainer->isVisible());
    QVERIFY(!m_memo->game().isDealt());
    for (int k = 1; k <= 18; ++k) {
        QCOMPARE(field(k)->text(), QString());
        QVERIFY(!field(k)->font().italic());
        QCOMPARE(field(k)->palette().color(QPalette::Window), MemoryWindow::fieldColour());
    }

    // The next game deals a new board.
    takeReward();
    const QString next = QStringLiteral("918273645546372819");
    scriptDeal(*m_random, next);
    clickField(1);
    QCOMPARE(m_memo->game().board(), next);
    QCOMPARE(field(1)->text(), QStringLiteral("9 * 1"));
}

void TestMemoryWindow::rulesButton()
{
    takeReward();
    click("Befehl2");
    QCOMPARE(m_dialogs->calls.size(), 1);
    QCOMPARE(m_dialogs->last().title, QStringLiteral("Memory"));
    QCOMPARE(m_dialogs->last().text,
             QStringLiteral("Immer zwei Felder bilden ein Zahlenpaar, klicke\r"
                            "die Einzelfelder an und suche so Zahlenpaare!"));
    QVERIFY(m_memo->isVisible());
}

QTEST_MAIN(TestMemoryWindow)
#include "tst_memory_window.moc"
