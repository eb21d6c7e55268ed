#include "training/report.h"
#include "training/session_statistics.h"

#include <QtTest>

class TestReport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scriptedSession();
    void strikingKindNeedsHalfAndThree_data();
    void strikingKindNeedsHalfAndThree();
    void keepsOnlyTheWorstProblems();
};

namespace {

void errors(SessionStatistics &s, TrainerKind t, std::optional<ErrorKind> kind, int n)
{
    for (int i = 0; i < n; ++i)
        s.wrongDigit(t, kind);
}

} // namespace

// A pupil who forgets carries in the one-row trainer (3 of 6 errors: exactly half) and
// makes an Überschlag there (counted apart), solves a gap problem, never opens the two-row
// trainer, and makes mixed errors in the three-row trainer (3 of 7: under half, no claim).
void TestReport::scriptedSession()
{
    SessionStatistics s;
    const auto one = TrainerKind::OneRow, three = TrainerKind::ThreeRow;
    s.startProblem(one, QStringLiteral("5123 · 7"));
    for (int i = 0; i < 10; ++i)
        s.rightEstimateDigit(one);
    s.wrongEstimateDigit(one);
    for (int i = 0; i < 9; ++i)
        s.rightDigit(one);
    errors(s, one, ErrorKind::CarryForgotten, 3);
    errors(s, one, ErrorKind::TimesTable, 1);
    s.rightDigit(one);
    s.solved(one, false);
    s.startProblem(one, QStringLiteral("4001 · 30 (Lücke)"));
    errors(s, one, std::nullopt, 2);
    s.rightDigit(one);
    s.solved(one, true);

    s.startProblem(three, QStringLiteral("6012 · 345"));
    errors(s, three, ErrorKind::CarryForgotten, 1);
    errors(s, three, ErrorKind::AdditionCarryForgotten, 2);
    s.startProblem(three, QStringLiteral("7391 · 222"));
    errors(s, three, ErrorKind::CarryForgotten, 2);
    errors(s, three, ErrorKind::TimesTable, 1);
    errors(s, three, std::nullopt, 1);

    const QStringList expected{
        "Auswertung: Malrechnen seit dem Programmstart",
        "",
        "Einreihige Multiplikation",
        "  Gelöste Aufgaben: 2 (1 Malaufgabe, 1 Lückenaufgabe)",
        "  Richtige Ziffern: 11",
        "  Fehler: 6",
        "  Überschlag: 10 richtige Ziffern, 1 Fehler",
        "  Fehler nach Art: Übertrag vergessen 3, Einmaleins 1, ohne Muster 2",
        "  Aufgaben mit den meisten Fehlern:",
        "    5123 · 7: 4 Fehler (Übertrag vergessen 3, Einmaleins 1)",
        "    4001 · 30 (Lücke): 2 Fehler (ohne Muster 2)",
        "  Auffällig: 3 von 6 Fehlern sind „Übertrag vergessen“.",
        "",
        "Zweireihige Multiplikation",
        "  nicht geübt",
        "",
        "Dreireihige Multiplikation",
        "  Gelöste Aufgaben: 0 (0 Malaufgaben, 0 Lückenaufgaben)",
        "  Richtige Ziffern: 0",
        "  Fehler: 7",
        "  Fehler nach Art: Übertrag vergessen 3, Einmaleins 1, Übertrag beim Addieren vergessen 2, ohne Muster 1",
        "  Aufgaben mit den meisten Fehlern:",
        "    7391 · 222: 4 Fehler (Übertrag vergessen 2, Einmaleins 1, ohne Muster 1)",
        "    6012 · 345: 3 Fehler (Übertrag vergessen 1, Übertrag beim Addieren vergessen 2)",
    };
    QCOMPARE(reportLines(s), expected);
}

void TestReport::strikingKindNeedsHalfAndThree_data()
{
    QTest::addColumn<int>("kind");   // errors of the one kind
    QTest::addColumn<int>("others"); // errors of no kind
    QTest::addColumn<bool>("striking");
    QTest::newRow("3 of 3") << 3 << 0 << true;
    QTest::newRow("3 of 6, half") << 3 << 3 << true;
    QTest::newRow("3 of 7, under half") << 3 << 4 << false;
    QTest::newRow("2 of 2, under three") << 2 << 0 << false;
    QTest::newRow("20 of 20") << 20 << 0 << true;
}

void TestReport::strikingKindNeedsHalfAndThree()
{
    QFETCH(int, kind);
    QFETCH(int, others);
    QFETCH(bool, striking);
    SessionStatistics s;
    s.startProblem(TrainerKind::TwoRow, QStringLiteral("5000 · 22"));
    errors(s, TrainerKind::TwoRow, std::nullopt, others);
    errors(s, TrainerKind::TwoRow, ErrorKind::PlaceShifted, kind);
    const SessionStatistics::Trainer &t = s.trainer(TrainerKind::TwoRow);
    QCOMPARE(strikingKind(t).has_value(), striking);
    const QStringList lines = reportLines(s);
    const auto claims = lines.filter(QStringLiteral("Auffällig:"));
    QCOMPARE(claims.size(), striking ? 1 : 0);
    if (striking)
        QVERIFY(claims.first().contains(QStringLiteral("„Stelle verrutscht“")));
}

// The report keeps the problems with the most errors, not every problem of the run.
void TestReport::keepsOnlyTheWorstProblems()
{
    SessionStatistics s;
    for (int p = 1; p <= 50; ++p) {
        s.startProblem(TrainerKind::OneRow, QStringLiteral("%1 · 2").arg(1000 + p));
        errors(s, TrainerKind::OneRow, std::nullopt, p % 7);
    }
    QStringList worst;
    for (const auto &problem : s.trainer(TrainerKind::OneRow).worst)
        worst << QStringLiteral("%1:%2").arg(problem.problem).arg(problem.errors);
    // 6 errors: problems 6, 13, 20, ...; the first three stay, most errors first.
    QCOMPARE(worst, QStringList({"1006 · 2:6", "1013 · 2:6", "1020 · 2:6"}));
}

QTEST_APPLESS_MAIN(TestReport)
#include "tst_report.moc"
