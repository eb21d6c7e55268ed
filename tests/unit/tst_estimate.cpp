// The Überschlag: rounding to the highest place, the estimate, its digits as a line of the
// problem that must be written before the problem counts, and its hints.
#include "named_exercise.h"
#include "trainers/one_row/one_row_table.h"
#include "trainers/three_row/three_row_table.h"
#include "trainers/two_row/two_row_table.h"
#include "training/estimate_hints.h"
#include "written_fixture.h"

#include <QTest>

Q_DECLARE_METATYPE(Cell)

namespace {

// A single problem of the trainer that writes `problem` ("6722 · 3", "6722 · 26"), with
// the Überschlag or without.
Exercise single(const QString &problem, bool estimate)
{
    const WrittenMultiplication w = *parseProblem(problem);
    const Exercise plain = w.rowCount() == 1    ? oneRowSingle(w)
                           : w.rowCount() == 2 ? rowsExercise(twoRowTables(), w, false, WrittenDisplay::Flush)
                                               : rowsExercise(threeRowTables(), w, false, WrittenDisplay::Flush);
    return estimate ? plain.withEstimate() : plain;
}

// The digits a line of cells stands for, "_" for an empty field.
QString shown(const Exercise &ex, const QList<Cell> &cells)
{
    QString text;
    for (const Cell &cell : cells) {
        const std::optional<int> digit = ex.shownDigit(cell);
        text += digit ? QString::number(*digit) : QStringLiteral("_");
    }
    return text;
}

QStringList cellTexts(const QList<Cell> &cells)
{
    QStringList texts;
    for (const Cell &cell : cells)
        texts << cellText(cell);
    return texts;
}

} // namespace

class TestEstimate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rounding_data();
    void rounding();
    void estimateLine_data();
    void estimateLine();
    void completion_data();
    void completion();
    void hints_data();
    void hints();
};

void TestEstimate::rounding_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<qint64>("rounded");
    QTest::newRow("up") << qint64(6722) << qint64(7000);
    QTest::newRow("down") << qint64(6499) << qint64(6000);
    QTest::newRow("5 rounds up") << qint64(6500) << qint64(7000);
    QTest::newRow("up into a new place") << qint64(9500) << qint64(10000);
    QTest::newRow("just below") << qint64(9499) << qint64(9000);
    QTest::newRow("already round") << qint64(5000) << qint64(5000);
    QTest::newRow("tens: 26") << qint64(26) << qint64(30);
    QTest::newRow("tens: 25") << qint64(25) << qint64(30);
    QTest::newRow("tens: 24") << qint64(24) << qint64(20);
    QTest::newRow("tens: 95") << qint64(95) << qint64(100);
    QTest::newRow("hundreds: 327") << qint64(327) << qint64(300);
    QTest::newRow("hundreds: 950") << qint64(950) << qint64(1000);
    QTest::newRow("a tens number stays") << qint64(30) << qint64(30);
    QTest::newRow("one digit stays") << qint64(7) << qint64(7);
}

void TestEstimate::rounding()
{
    QFETCH(qint64, value);
    QFETCH(qint64, rounded);
    QCOMPARE(roundToHighestPlace(value), rounded);
}

void TestEstimate::estimateLine_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("estimate"); // the line as written, "·" and "=" between its numbers
    QTest::addColumn<QString>("line");     // the digits the pupil writes, from the left

    // The one-row multiplier is written as it stands.
    QTest::newRow("one digit") << "6722 · 3" << "7000 · 3 = 21000" << "700021000";
    QTest::newRow("tens number") << "6722 · 30" << "7000 · 30 = 210000" << "7000210000";
    QTest::newRow("hundreds number, rounded up into a new place")
        << "9500 · 400" << "10000 · 400 = 4000000" << "100004000000";
    QTest::newRow("two digits") << "6722 · 26" << "7000 · 30 = 210000" << "700030210000";
    QTest::newRow("two digits, both up into a new place")
        << "9994 · 95" << "10000 · 100 = 1000000" << "100001001000000";
    QTest::newRow("three digits") << "5984 · 224" << "6000 · 200 = 1200000" << "60002001200000";
    QTest::newRow("three digits, the longest line")
        << "9994 · 999" << "10000 · 1000 = 10000000" << "10000100010000000";
}

void TestEstimate::estimateLine()
{
    QFETCH(QString, problem);
    QFETCH(QString, estimate);
    QFETCH(QString, line);

    const WrittenMultiplication w = *parseProblem(problem);
    QCOMPARE(QStringLiteral("%1 · %2 = %3").arg(w.roundedMultiplicand()).arg(w.roundedMultiplier()).arg(w.estimate()),
             estimate);
    QString digits;
    for (const Cell &cell : w.estimateLine()) {
        QVERIFY(isEstimate(cell) && w.contains(cell));
        digits += QString::number(w.digit(cell));
    }
    QCOMPARE(digits, line);
    // The written multiplication itself, as the sheets draw it, has no Überschlag.
    for (const Cell &cell : w.cells())
        QVERIFY(!isEstimate(cell));
}

void TestEstimate::completion_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<bool>("estimate");
    QTest::newRow("one-row without") << "6722 · 3" << false;
    QTest::newRow("one-row with") << "6722 · 3" << true;
    QTest::newRow("two-row without") << "6722 · 26" << false;
    QTest::newRow("two-row with") << "6722 · 26" << true;
    QTest::newRow("three-row with") << "5984 · 224" << true;
}

// With the switch on a problem is solved once the Überschlag and the written computation
// both stand, in whichever order; without it, as ever. The Überschlag comes first in
// written order; a one-row multiplier stands in it as given.
void TestEstimate::completion()
{
    QFETCH(QString, problem);
    QFETCH(bool, estimate);

    Exercise ex = single(problem, estimate);
    const WrittenMultiplication &w = ex.written();
    QCOMPARE(ex.hasEstimate(), estimate);
    QCOMPARE(ex.fields().mid(0, estimate ? w.estimateLine().size() : 0), estimate ? w.estimateLine() : QList<Cell>());
    for (const Cell &cell : w.cells(Part::Estimate))
        QCOMPARE(ex.isShown(cell), estimate);
    QCOMPARE(shown(ex, w.cells(Part::RoundedMultiplier)),
             estimate && w.rowCount() == 1 ? QString::number(w.multiplier()) : QString(w.cells(Part::RoundedMultiplier).size(), u'_'));

    // The written computation first, its carries left out.
    for (const Cell &field : ex.fields()) {
        if (!isEstimate(field) && !isCarry(field) && ex.isShown(field))
            QCOMPARE(ex.drop(field, w.digit(field)), Exercise::Verdict::Right);
    }
    QCOMPARE(ex.isSolved(), !estimate);
    if (!estimate)
        return;
    QVERIFY(!ex.isEstimateWritten());
    const QList<Cell> line = w.estimateLine();
    for (int i = 0; i < line.size(); ++i) {
        QVERIFY(!ex.isSolved());
        // A wrong digit is refused like any other.
        QCOMPARE(ex.drop(line.at(i), (w.digit(line.at(i)) + 1) % 10), Exercise::Verdict::Wrong);
        QCOMPARE(ex.drop(line.at(i), w.digit(line.at(i))), Exercise::Verdict::Right);
    }
    QVERIFY(ex.isEstimateWritten());
    QVERIFY(ex.isSolved());
}

void TestEstimate::hints_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QString>("empty"); // the other digits of the line left empty
    QTest::addColumn<bool>("worked");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("cells");

    const Cell multiplicand{Part::RoundedMultiplicand, 0, 3};
    const QStringList thousandsAndHundreds{"Multiplicand 0 @ 3", "Multiplicand 0 @ 2"};
    QTest::newRow("rounding: how") << "6722 · 26" << multiplicand << "" << false
                                   << "Überschlag: Runde 6 722 auf volle Tausender. Schau auf die Hunderter:"
                                      " ab 5 rundest du auf."
                                   << thousandsAndHundreds;
    QTest::newRow("rounding up, worked") << "6722 · 26" << Cell{Part::RoundedMultiplicand, 0, 1} << "" << true
                                         << "An der Hunderterstelle von 6 722 steht 7, also rundest du auf: 7 000."
                                         << thousandsAndHundreds;
    QTest::newRow("rounding down, worked") << "6422 · 26" << multiplicand << "" << true
                                           << "An der Hunderterstelle von 6 422 steht 4, also rundest du ab: 6 000."
                                           << thousandsAndHundreds;
    QTest::newRow("rounding into a new place, worked")
        << "9500 · 26" << Cell{Part::RoundedMultiplicand, 0, 4} << "" << true
        << "An der Hunderterstelle von 9 500 steht 5, also rundest du auf: 10 000." << thousandsAndHundreds;
    QTest::newRow("rounding the multiplier") << "6722 · 26" << Cell{Part::RoundedMultiplier, 0, 1} << "" << false
                                             << "Überschlag: Runde 26 auf volle Zehner. Schau auf die Einer:"
                                                " ab 5 rundest du auf."
                                             << QStringList{"Multiplier 0 @ 1", "Multiplier 0 @ 0"};
    const QStringList rounded{"RoundedMultiplicand 0 @ 3", "RoundedMultiplicand 0 @ 2", "RoundedMultiplicand 0 @ 1",
                              "RoundedMultiplicand 0 @ 0", "RoundedMultiplier 0 @ 1", "RoundedMultiplier 0 @ 0"};
    QTest::newRow("estimate: how") << "6722 · 26" << Cell{Part::Estimate, 0, 5} << "" << false
                                   << "Überschlag: Rechne 7 · 3 und hänge die Nullen beider Zahlen an." << rounded;
    QTest::newRow("estimate, worked") << "6722 · 26" << Cell{Part::Estimate, 0, 0} << "" << true
                                      << "7 · 3 = 21, dann die Nullen: 210 000." << rounded;
    QTest::newRow("estimate of a one-row problem, worked")
        << "6722 · 30" << Cell{Part::Estimate, 0, 4} << "" << true << "7 · 3 = 21, dann die Nullen: 210 000."
        << QStringList{"RoundedMultiplicand 0 @ 3", "RoundedMultiplicand 0 @ 2", "RoundedMultiplicand 0 @ 1",
                       "RoundedMultiplicand 0 @ 0", "RoundedMultiplier 0 @ 1", "RoundedMultiplier 0 @ 0"};
    QTest::newRow("estimate of 10 000 · 1 000, worked")
        << "9994 · 999" << Cell{Part::Estimate, 0, 7} << "" << true << "1 · 1 = 1, dann die Nullen: 10 000 000."
        << QStringList{"RoundedMultiplicand 0 @ 4", "RoundedMultiplicand 0 @ 3", "RoundedMultiplicand 0 @ 2",
                       "RoundedMultiplicand 0 @ 1", "RoundedMultiplicand 0 @ 0", "RoundedMultiplier 0 @ 3",
                       "RoundedMultiplier 0 @ 2", "RoundedMultiplier 0 @ 1", "RoundedMultiplier 0 @ 0"};
    // The product needs the rounded numbers on screen: an empty one is rounded first.
    QTest::newRow("estimate before the rounded multiplier")
        << "6722 · 26" << Cell{Part::Estimate, 0, 5} << "RoundedMultiplier 0 @ 0" << true
        << "Überschlag: Runde 26 auf volle Zehner zuerst." << QStringList{"RoundedMultiplier 0 @ 0"};
}

void TestEstimate::hints()
{
    QFETCH(QString, problem);
    QFETCH(Cell, cell);
    QFETCH(QString, empty);
    QFETCH(bool, worked);
    QFETCH(QString, text);
    QFETCH(QStringList, cells);

    Exercise ex = single(problem, true);
    for (const Cell &field : ex.written().estimateLine()) {
        if (field != cell && !empty.contains(cellText(field)))
            QCOMPARE(ex.drop(field, ex.written().digit(field)), Exercise::Verdict::Right);
    }
    QCOMPARE(ex.drop(cell, (ex.written().digit(cell) + 1) % 10), Exercise::Verdict::Wrong);
    // No error kind belongs to the Überschlag.
    QCOMPARE(diagnose(ex, cell, (ex.written().digit(cell) + 1) % 10), std::nullopt);
    const Hint hint = worked ? workedHint(ex, cell) : stepHint(ex, cell, std::nullopt);
    QCOMPARE(hint.text, text);
    QCOMPARE(cellTexts(hint.cells), cells);

    // Once the line stands: what the result must be close to.
    if (problem == QLatin1String("6722 · 26"))
        QCOMPARE(estimateNotice(ex.written()), QStringLiteral("Das Ergebnis muss ungefähr 210 000 sein."));
}

QTEST_GUILESS_MAIN(TestEstimate)
#include "tst_estimate.moc"
