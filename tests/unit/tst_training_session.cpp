#include "training/practice_log.h"
#include "training/training_session.h"
#include "written_fixture.h"

#include <QtTest>

namespace {

// "4321 · 7" as a single problem: its partial product and carries are the fields.
Exercise single(const char *problem)
{
    const WrittenMultiplication w = *parseProblem(QString::fromUtf8(problem));
    QList<Cell> fields;
    for (const Cell &cell : w.cells(Part::PartialProduct)) {
        fields << cell;
        if (w.contains({Part::Carry, 0, cell.place + 1}))
            fields << Cell{Part::Carry, 0, cell.place + 1};
    }
    return Exercise::single(w, fields);
}

// Writes every empty digit of the partial product right, after `wrong` on `cell` first.
void work(TrainingSession &session, std::optional<std::pair<Cell, int>> wrong = std::nullopt)
{
    if (wrong)
        session.drop(wrong->first, wrong->second);
    const QList<Cell> row = session.exercise().written().cells(Part::PartialProduct);
    for (const Cell &cell : row) {
        if (!session.exercise().shownDigit(cell))
            session.drop(cell, session.exercise().expectedDigit(cell));
    }
}

// What a practice log was told, one line an event.
class WrittenDown final : public PracticeLog
{
public:
    QStringList lines;

    void problemStarted(const ProblemRecord &p, qint64) override
    {
        lines << QStringLiteral("start %1·%2").arg(p.multiplicand).arg(p.multiplierDigits.value(0));
    }
    void digitWritten(const DigitRecord &d, qint64) override
    {
        lines << QStringLiteral("digit %1 @%2 %3%4")
                     .arg(d.digit ? QString::number(*d.digit) : QStringLiteral("-"))
                     .arg(d.cell.place)
                     .arg(d.right ? QStringLiteral("right") : QStringLiteral("wrong"))
                     .arg(d.firstTry ? QStringLiteral(" first") : QString());
    }
    void problemSolved(TrainerKind, qint64) override { lines << QStringLiteral("solved"); }
    void rewardTaken(TrainerKind, RewardKind reward, qint64) override
    {
        lines << (reward == RewardKind::Memory ? QStringLiteral("memory") : QStringLiteral("catching"));
    }
};

} // namespace

class TestTrainingSession : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void repeatedProblemCountsTwice();
    void dealsAfterRecordingTheSolvedProblem_data();
    void dealsAfterRecordingTheSolvedProblem();
    void hintFollowsTheDigit_data();
    void hintFollowsTheDigit();
    void practiceLogHearsWhatTheChildDid();
};

void TestTrainingSession::repeatedProblemCountsTwice()
{
    // The same problem dealt twice in a row is two problems: a carry forgotten on each is a
    // pattern seen on two problems.
    Training training;
    TrainingSession session(training, TrainerKind::OneRow);
    session.setDealer([](const SessionStatistics *) { return single("4321 · 7"); });
    session.deal();
    const Cell hundreds{Part::PartialProduct, 0, 2}; // 3 · 7 + 1 = 22; forgotten: 1
    work(session, std::pair{hundreds, 1});
    session.deal();
    QCOMPARE(session.exercise().problemText(), QStringLiteral("4321 · 7"));
    work(session, std::pair{hundreds, 1});
    const ErrorEvidence &evidence = training.statistics.trainer(TrainerKind::OneRow).evidence;
    QCOMPARE(evidence.problems(ErrorKind::CarryForgotten), 2);
    QCOMPARE(training.statistics.trainer(TrainerKind::OneRow).singleSolved, 2);
}

void TestTrainingSession::dealsAfterRecordingTheSolvedProblem()
{
    QFETCH(bool, fitting);
    Training training;
    training.fitToChild = fitting;
    TrainingSession session(training, TrainerKind::TwoRow);
    QList<int> seen; // the right digits the child had when each problem was dealt
    session.setDealer([&seen](const SessionStatistics *child) {
        seen << (child ? child->trainer(TrainerKind::TwoRow).rightDigits : -1);
        return single("1111 · 3");
    });
    session.deal();
    work(session);
    session.deal();
    QCOMPARE(seen, fitting ? QList<int>({0, 4}) : QList<int>({-1, -1}));
    QCOMPARE(training.score(TrainerKind::TwoRow).points(), 4);
    QCOMPARE(training.score(TrainerKind::OneRow).points(), 0);
}

void TestTrainingSession::dealsAfterRecordingTheSolvedProblem_data()
{
    QTest::addColumn<bool>("fitting");
    QTest::newRow("drawn") << false;
    QTest::newRow("for the child") << true;
}

void TestTrainingSession::hintFollowsTheDigit()
{
    QFETCH(bool, hintsShown);
    Training training;
    training.hintsShown = hintsShown;
    TrainingSession session(training, TrainerKind::OneRow);
    session.start(single("4321 · 7"));
    const Cell hundreds{Part::PartialProduct, 0, 2};

    DropOutcome first = session.drop(hundreds, 1);
    QCOMPARE(first.favouredKind, std::optional<ErrorKind>(ErrorKind::CarryForgotten));
    QCOMPARE(first.hintChanged, hintsShown);
    DropOutcome second = session.drop(hundreds, 1);
    QCOMPARE(second.hintChanged, hintsShown);
    if (hintsShown) {
        // A second wrong digit on the same box gets the step worked out, with the answer.
        QVERIFY(!first.hint->text.contains(QStringLiteral("schreibe 2")));
        QVERIFY2(second.hint->text.contains(QStringLiteral("schreibe 2")), qPrintable(second.hint->text));
        QVERIFY(!first.hint->cells.isEmpty());
    }
    // The right digit takes the hint away.
    const DropOutcome right = session.drop(hundreds, 2);
    QVERIFY(right.hintChanged);
    QVERIFY(!right.hint);
}

void TestTrainingSession::hintFollowsTheDigit_data()
{
    QTest::addColumn<bool>("hintsShown");
    QTest::newRow("hints on") << true;
    QTest::newRow("hints off") << false;
}

void TestTrainingSession::practiceLogHearsWhatTheChildDid()
{
    Training training;
    WrittenDown log;
    training.practiceLog = &log;
    TrainingSession session(training, TrainerKind::OneRow);
    session.setDealer([](const SessionStatistics *) { return single("1111 · 3"); });
    session.deal();
    session.drop({Part::PartialProduct, 0, 0}, 4);
    session.drop({Part::PartialProduct, 0, 0}, std::nullopt); // no digit key: no first try
    session.drop({Part::PartialProduct, 0, 0}, 3);
    session.drop({Part::Multiplicand, 0, 0}, 1); // no field: nothing happened
    work(session);
    QCOMPARE(session.drop({Part::PartialProduct, 0, 0}, 3).verdict, DropOutcome::Verdict::Refused); // solved
    session.deal();
    session.takeMemory();
    QCOMPARE(log.lines, QStringList({
                            "start 1111·3",
                            "digit 4 @0 wrong first",
                            "digit - @0 wrong",
                            "digit 3 @0 right",
                            "digit 3 @1 right first",
                            "digit 3 @2 right first",
                            "digit 3 @3 right first",
                            "solved",
                            "start 1111·3",
                            "memory",
                        }));
}

QTEST_APPLESS_MAIN(TestTrainingSession)
#include "tst_training_session.moc"
