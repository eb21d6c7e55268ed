#include "trainers/common/rows_table.h"
#include "trainers/one_row/one_row_table.h"
#include "trainers/two_row/two_row_table.h"
#include "training/exercise.h"
#include "training/report.h"
#include "training/session_statistics.h"

#include <QtTest>

#include <map>

class TestReport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scriptedSession();
    void namesKindsThatExplainTheSameDigits();
    void saysNothingItContradicts_data();
    void saysNothingItContradicts();
    void keepsOnlyTheWorstProblems();
    void aNewChildStartsAfresh();
};

namespace {

Cell pp(int place) { return {Part::PartialProduct, 0, place}; }
Cell carry(int place) { return {Part::Carry, 0, place}; }

// A child on a single problem of the one-row trainer: every field in written order, first
// its wrong digit where it has one, then the right one.
void solve(SessionStatistics &s, qint64 multiplicand, int m, const std::map<std::pair<int, int>, int> &wrong,
           bool estimate = false)
{
    Exercise ex = oneRowSingle(oneRowProblem(multiplicand, m, OneRowMode::E));
    if (estimate)
        ex = ex.withEstimate();
    s.startProblem(TrainerKind::OneRow, ex.problemText());
    for (const Cell &field : ex.fields()) {
        if (const auto found = wrong.find({int(field.part), field.place}); found != wrong.end())
            s.recordDrop(TrainerKind::OneRow, ex, field, found->second, false);
        s.recordDrop(TrainerKind::OneRow, ex, field, ex.written().digit(field), true);
    }
    s.solved(TrainerKind::OneRow, false);
}

std::pair<int, int> at(const Cell &cell) { return {int(cell.part), cell.place}; }

} // namespace

// A child who forgets the carry on two problems of the one-row trainer (the first begun with
// an Überschlag, one of its digits rounded down: counted apart), never opens the two-row
// trainer and makes two errors on a gap problem of the three-row trainer.
void TestReport::scriptedSession()
{
    SessionStatistics s;
    // 4728 · 3 = 14184: 2·3 (+ 2) and 4·3 (+ 2) without their carries.
    // Überschlag 5000 · 3 = 15000, 4000 written first.
    solve(s, 4728, 3, {{at(pp(1)), 6}, {at(pp(3)), 2}, {at({Part::RoundedMultiplicand, 0, 3}), 4}}, true);
    // 2596 · 7 = 18172: 9·7 (+ 4), the carry of 5·7 (+ 6), 5·7 (+ 6) and 2·7 (+ 4).
    solve(s, 2596, 7, {{at(pp(1)), 3}, {at(carry(3)), 3}, {at(pp(2)), 5}, {at(pp(3)), 4}});
    const auto three = TrainerKind::ThreeRow;
    s.startProblem(three, QStringLiteral("6012 · 345 (Lücke)"));
    s.wrongDigit(three, KindSet());
    s.wrongDigit(three, KindSet());
    s.rightDigit(three);
    s.solved(three, true);

    const QStringList expected{
        "Auswertung: Malrechnen seit dem Programmstart",
        "Richtige Ziffern aller Trainer: 17",
        "",
        "Einreihige Multiplikation",
        "  Gelöste Aufgaben: 2 (2 Malaufgaben, 0 Lückenaufgaben)",
        "  Richtige Ziffern: 16",
        "  Fehler: 6",
        "  Überschlag: 9 richtige Ziffern, 1 Fehler",
        "  Fehler nach Art: Übertrag vergessen 6",
        "  Aufgaben mit den meisten Fehlern:",
        "    2596 · 7: 4 Fehler (Übertrag vergessen 4)",
        "    4728 · 3: 2 Fehler (Übertrag vergessen 2)",
        "  Sicher: Überschlag",
        "  Übt noch: Übertrag beim Malnehmen",
        "  Einmaleins: 8 Aufgaben werden sicherer",
        "  Auffällig: „Übertrag vergessen“ passt an 6 von 6 Stellen, an denen der Fehler möglich war, etwa in "
        "4728 · 3 und 2596 · 7.",
        "  Als Nächstes üben: Aufgaben mit vielen Überträgen; den gemerkten Übertrag jedes Mal dazuzählen.",
        "",
        "Zweireihige Multiplikation",
        "  nicht geübt",
        "",
        "Dreireihige Multiplikation",
        "  Gelöste Aufgaben: 1 (0 Malaufgaben, 1 Lückenaufgabe)",
        "  Richtige Ziffern: 1",
        "  Fehler: 2",
        "  Fehler nach Art: ohne Muster 2",
        "  Aufgaben mit den meisten Fehlern:",
        "    6012 · 345 (Lücke): 2 Fehler (ohne Muster 2)",
    };
    QCOMPARE(reportLines(s), expected);

    // What the report window draws: the facts by trainer, the errors by kind.
    QCOMPARE(skillStateIn(s, TrainerKind::OneRow, Skill::fact(9, 7)), SkillState::Improving);
    QCOMPARE(skillStateIn(s, TrainerKind::TwoRow, Skill::fact(9, 7)), SkillState::NotSeen);
    QCOMPARE(skillStateIn(s, TrainerKind::OneRow, Skill::fact(7, 8)), SkillState::NotSeen);
    QStringList bars;
    for (const ErrorBar &bar : errorBars(s.trainer(TrainerKind::ThreeRow)))
        bars << QStringLiteral("%1 %2").arg(bar.name).arg(bar.errors);
    QCOMPARE(bars, QStringList({"Übertrag vergessen 0", "Übertrag zu früh addiert 0", "Zehner statt Einer 0",
                                "Einer als Übertrag 0", "Einmaleins 0", "Null vergessen 0", "Stelle verrutscht 0",
                                "Übertrag beim Addieren vergessen 0", "ohne Muster 2"}));
}

// Until a problem tells them apart, the report names both kinds.
void TestReport::namesKindsThatExplainTheSameDigits()
{
    SessionStatistics s;
    const auto claim = [&] { return reportLines(s).filter(QStringLiteral("Auffällig:")).value(0); };
    // 1889 · 6 = 11334: 8 · 6, 8 · 6 and 1 · 6 without the carry 5 end as (8 + 5) · 6,
    // (8 + 5) · 6 and (1 + 5) · 6 do.
    solve(s, 1889, 6, {{at(pp(1)), 8}, {at(pp(2)), 8}, {at(pp(3)), 6}});
    // The carry boxes it wrote right count against both: 3 of 6 places.
    QCOMPARE(claim(), QStringLiteral("  Auffällig: „Übertrag vergessen“ oder „Übertrag zu früh addiert“ passen an 3 von "
                                     "6 Stellen, an denen der Fehler möglich war, etwa in 1889 · 6."));
    // 4728 · 3: 2 · 3 without the carry 2 is 6, where (2 + 2) · 3 ends in 2.
    solve(s, 4728, 3, {{at(pp(1)), 6}, {at(pp(3)), 2}});
    QCOMPARE(claim(), QStringLiteral("  Auffällig: „Übertrag vergessen“ passt an 5 von 8 Stellen, an denen der Fehler "
                                     "möglich war, etwa in 1889 · 6 und 4728 · 3."));
}

namespace {

// A child who makes one mistake wherever it can, worked out from the operands as a pupil
// would: its wrong digit on a field, or nothing where it writes the right one.
enum class Mistake { CarryForgotten, OnesAsCarry, ZeroForgotten };

struct Operands
{
    QList<int> x; // the multiplicand's digits, ones first
    int m = 0;    // the multiplier digit of the row
    int zeros = 0;
};

Operands operandsOf(const Exercise &ex, int row)
{
    Operands o;
    for (int place = 0; ex.written().contains({Part::Multiplicand, 0, place}); ++place)
        o.x << *ex.shownDigit({Part::Multiplicand, 0, place});
    while (ex.written().contains({Part::Zero, row, o.zeros}))
        ++o.zeros;
    o.m = *ex.shownDigit({Part::Multiplier, 0, o.zeros});
    return o;
}

std::optional<int> mistakeOn(Mistake mistake, const Exercise &ex, const Cell &cell)
{
    const Operands o = operandsOf(ex, cell.row);
    // The carry into column `column` and the product x · m + c there.
    const auto carryInto = [&](int column) {
        int c = 0;
        for (int i = 0; i < column; ++i)
            c = (o.x.at(i) * o.m + c) / 10;
        return c;
    };
    const int column = cell.place - o.zeros - (cell.part == Part::Carry ? 1 : 0);
    std::optional<int> digit;
    switch (mistake) {
    case Mistake::CarryForgotten:
        if (cell.part == Part::PartialProduct && column > 0 && column < o.x.size() && carryInto(column) > 0)
            digit = o.x.at(column) * o.m % 10;
        break;
    case Mistake::OnesAsCarry:
        if (cell.part == Part::Carry && column >= 0 && o.x.at(column) * o.m + carryInto(column) >= 10)
            digit = (o.x.at(column) * o.m + carryInto(column)) % 10;
        break;
    case Mistake::ZeroForgotten:
        // The first digit of the product where the first zero belongs.
        if (cell.part == Part::Zero && cell.place == 0)
            digit = o.x.at(0) * o.m % 10;
        break;
    }
    if (digit == ex.written().digit(cell))
        return std::nullopt;
    return digit;
}

void solveWith(SessionStatistics &s, TrainerKind trainer, Exercise ex, Mistake mistake)
{
    s.startProblem(trainer, ex.problemText());
    for (const Cell &field : ex.fields()) {
        if (!ex.isShown(field))
            continue;
        if (const std::optional<int> wrong = mistakeOn(mistake, ex, field)) {
            ex.drop(field, *wrong);
            s.recordDrop(trainer, ex, field, *wrong, false);
        }
        ex.drop(field, ex.written().digit(field));
        s.recordDrop(trainer, ex, field, ex.written().digit(field), true);
    }
    s.solved(trainer, false);
}

} // namespace

// What the report says about a child must hold together: a kind named beside the skill it
// blames rated "sicher", a fact the child knows blamed for a forgotten carry, a pattern
// unnamed while the hint names it, "weiter so" beside it.
void TestReport::saysNothingItContradicts_data()
{
    QTest::addColumn<int>("trainer");
    QTest::addColumn<QStringList>("problems"); // multiplicand · multiplier (mal Z, H with zeros)
    QTest::addColumn<int>("mistake");
    QTest::addColumn<QString>("named");
    QTest::addColumn<QStringList>("never"); // in no line of the trainer's report

    const QStringList timesE{"4728 · 3", "2596 · 7", "6403 · 8", "5879 · 6", "3468 · 9",
                             "7256 · 4", "8937 · 5", "1689 · 7", "9375 · 8", "4567 · 6"};
    QTest::newRow("carry forgotten in mal E")
        << int(TrainerKind::OneRow) << timesE << int(Mistake::CarryForgotten) << "„Übertrag vergessen“"
        << QStringList{"Sicher: Übertrag beim Malnehmen", "übt es noch", "Nullen und Stellen der Teilprodukte",
                       "weiter so"};
    QTest::newRow("ones as the carry in mal E")
        << int(TrainerKind::OneRow) << timesE.mid(0, 6) << int(Mistake::OnesAsCarry) << "„Einer als Übertrag“"
        << QStringList{"Sicher: Übertrag beim Malnehmen", "übt es noch", "Einmaleins mit", "weiter so"};
    QTest::newRow("both zeros left out in mal H")
        << int(TrainerKind::OneRow) << QStringList{"9004 · 400", "6213 · 300", "4827 · 700", "3156 · 200", "8342 · 600"}
        << int(Mistake::ZeroForgotten) << "„Null vergessen“"
        << QStringList{"Sicher: Nullen und Stellen der Teilprodukte", "ohne Muster", "weiter so"};
    QTest::newRow("the zero box in two rows")
        << int(TrainerKind::TwoRow)
        << QStringList{"5123 · 47", "6301 · 28", "4782 · 36", "9153 · 64", "2874 · 59", "7346 · 83"}
        << int(Mistake::ZeroForgotten) << "„Null vergessen“"
        << QStringList{"Nullen und Stellen der Teilprodukte,", "Sicher: Nullen", "ohne Muster", "weiter so"};
}

void TestReport::saysNothingItContradicts()
{
    QFETCH(int, trainer);
    QFETCH(QStringList, problems);
    QFETCH(int, mistake);
    QFETCH(QString, named);
    QFETCH(QStringList, never);
    SessionStatistics s;
    const auto kind = TrainerKind(trainer);
    for (const QString &text : problems) {
        const QStringList operands = text.split(QStringLiteral(" · "));
        const qint64 multiplicand = operands.at(0).toLongLong();
        QString multiplier = operands.at(1);
        int zeros = 0;
        while (multiplier.size() > 1 && multiplier.endsWith(u'0')) {
            multiplier.chop(1);
            ++zeros;
        }
        if (kind == TrainerKind::OneRow) {
            const OneRowMode mode = zeros == 0 ? OneRowMode::E : zeros == 1 ? OneRowMode::Z : OneRowMode::H;
            solveWith(s, kind, oneRowSingle(oneRowProblem(multiplicand, multiplier.toInt(), mode)), Mistake(mistake));
        } else {
            QList<int> digits;
            for (QChar d : multiplier)
                digits << d.digitValue();
            solveWith(s, kind, rowsExercise(twoRowTables(), WrittenMultiplication(multiplicand, digits), false,
                                            WrittenDisplay::Flush),
                      Mistake(mistake));
        }
    }
    const QStringList lines = reportLines(s);
    const qsizetype from = lines.indexOf(trainerKindName(kind));
    qsizetype to = from + 1;
    while (to < lines.size() && !lines.at(to).isEmpty())
        ++to;
    const QStringList own = lines.mid(from, to - from);
    const QString report = own.join(u'\n');
    QVERIFY2(own.filter(QStringLiteral("  Auffällig: ")).join(QString()).contains(named), qPrintable(report));
    for (const QString &text : never)
        QVERIFY2(!report.contains(text), qPrintable(text + QStringLiteral(" in:\n") + report));
}

// The report keeps the problems with the most errors, not every problem of the run.
void TestReport::keepsOnlyTheWorstProblems()
{
    SessionStatistics s;
    for (int p = 1; p <= 50; ++p) {
        s.startProblem(TrainerKind::OneRow, QStringLiteral("%1 · 2").arg(1000 + p));
        for (int e = 0; e < p % 7; ++e)
            s.wrongDigit(TrainerKind::OneRow, KindSet());
    }
    QStringList worst;
    for (const auto &problem : s.trainer(TrainerKind::OneRow).worst)
        worst << QStringLiteral("%1:%2").arg(problem.problem).arg(problem.errors);
    // 6 errors: problems 6, 13, 20, ...; the first three stay, most errors first.
    QCOMPARE(worst, QStringList({"1006 · 2:6", "1013 · 2:6", "1020 · 2:6"}));
}

// "Neues Kind" forgets what the child before did and could; the switches stay.
void TestReport::aNewChildStartsAfresh()
{
    Training training;
    training.hintsShown = false;
    training.printLocked = false;
    training.fitToChild = true;
    solve(training.statistics, 4728, 3, {{at(pp(1)), 6}});
    training.score(TrainerKind::TwoRow).awardPoint();
    training.score(TrainerKind::TwoRow).countError();
    training.score(TrainerKind::TwoRow).countSolved();

    training.startNewChild();
    for (TrainerKind trainer : trainerKinds()) {
        QVERIFY(!training.statistics.trainer(trainer).used());
        QVERIFY(!training.statistics.trainer(trainer).evidence.pattern());
        QVERIFY(training.statistics.trainer(trainer).skillsShown.none());
        QCOMPARE(training.score(trainer).points(), 0);
        QCOMPARE(training.score(trainer).errors(), 0);
        QCOMPARE(training.score(trainer).solvedSinceMemory(), 0);
    }
    QCOMPARE(training.statistics.skills().observations(Skill::fact(2, 3)), 0);
    QVERIFY(!training.hintsShown);
    QVERIFY(!training.printLocked);
    QVERIFY(training.fitToChild);
}

QTEST_APPLESS_MAIN(TestReport)
#include "tst_report.moc"
