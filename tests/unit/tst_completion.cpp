// When a problem counts as solved, over the three trainers: every digit on screen must
// stand and be right, whether the pupil left it empty or a wrong drop knocked it out.
#include "named_exercise.h"
#include "trainers/one_row/one_row_table.h"
#include "trainers/three_row/three_row_table.h"
#include "trainers/two_row/two_row_table.h"

#include <QTest>

namespace {

OneRowMode oneRowMode(const QString &tag)
{
    for (OneRowMode mode : {OneRowMode::E, OneRowMode::Z, OneRowMode::H, OneRowMode::LE,
                            OneRowMode::LZ, OneRowMode::LH}) {
        if (modeTag(mode) == tag)
            return mode;
    }
    qFatal("no mode %s", qPrintable(tag));
}

// The problem of `trainer` in `mode`, laid out with fixed numbers.
NamedExercise problem(const QString &trainer, const QString &mode, bool staircase)
{
    if (trainer == QLatin1String("Form1")) {
        const OneRowMode m = oneRowMode(mode);
        if (isGapMode(m)) // 30247; luecke1, luecke13, luecke15 left out
            return {oneRowGap(oneRowProblem(4321, 7, m), 1), oneRowCells(m)};
        // 7510: the ones column carries into a tens of 0
        return {oneRowSingle(oneRowProblem(1502, 5, m)), oneRowCells(m)};
    }
    const RowsTables &tables = trainer == QLatin1String("Form3") ? threeRowTables() : twoRowTables();
    const bool gap = mode == QStringLiteral("Lücke");
    // 5012 x 39 or 5012 x 793
    const WrittenMultiplication numbers(5012, tables.multiplierDigits == 3 ? QList<int>{7, 9, 3} : QList<int>{3, 9});
    return {rowsExercise(tables, numbers, gap, staircase ? WrittenDisplay::Staircase : WrittenDisplay::Flush),
            rowsCells(tables, gap)};
}

} // namespace

class TestCompletion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void solvedOnlyWithEveryShownDigit_data();
    void solvedOnlyWithEveryShownDigit();
};

void TestCompletion::solvedOnlyWithEveryShownDigit_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QString>("mode");
    // "Bündig" or "Treppe" throughout, or filled in "Bündig" and then switched to "Treppe".
    QTest::addColumn<QString>("display");
    // The field that stays empty; with `knockedOut` it was filled (or given) and then
    // emptied by a wrong drop.
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("knockedOut");
    QTest::addColumn<bool>("solved");

    const auto add = [](const char *trainer, const char *mode, const char *display, const char *field,
                        bool knockedOut, bool solved) {
        QTest::addRow("%s %s %s, %s %s", trainer, mode, display, *field ? field : "nothing",
                      *field ? (knockedOut ? "knocked out" : "left empty") : "left out")
            << QString::fromUtf8(trainer) << QString::fromUtf8(mode) << QString::fromUtf8(display)
            << QString::fromUtf8(field) << knockedOut << solved;
    };

    // One-row single problems: the result row with the zero boxes of modes Z and H; the
    // carries earn points but are not needed.
    add("Form1", "E", "", "", false, true);
    add("Form1", "E", "", "Bezeichnung17", false, false);
    add("Form1", "E", "", "Bezeichnung11", true, false);
    add("Form1", "E", "", "Bezeichnung9", false, true);
    add("Form1", "Z", "", "", false, true);
    add("Form1", "Z", "", "Bezeichnung18", false, false);
    add("Form1", "Z", "", "Bezeichnung18", true, false);
    add("Form1", "Z", "", "Bezeichnung8", false, true);
    add("Form1", "H", "", "", false, true);
    add("Form1", "H", "", "Bezeichnung19", false, false);
    add("Form1", "H", "", "Bezeichnung18", false, false);
    add("Form1", "H", "", "Bezeichnung19", true, false);

    // One-row gap problems: the gaps, and every digit the problem shows around them.
    add("Form1", "LE", "", "", false, true);
    add("Form1", "LE", "", "luecke13", false, false);
    add("Form1", "LE", "", "luecke5", true, false);
    add("Form1", "LE", "", "luecke2", true, false);
    add("Form1", "LE", "", "luecke16", true, false);
    add("Form1", "LZ", "", "", false, true);
    add("Form1", "LZ", "", "luecke6", true, false);
    add("Form1", "LZ", "", "luecke12", true, false);
    add("Form1", "LH", "", "", false, true);
    add("Form1", "LH", "", "luecke10", true, false);
    add("Form1", "LH", "", "luecke11", true, false);
    add("Form1", "LH", "", "luecke17", true, false);

    // Two-row and three-row: the staircase takes the zeros it hides as written.
    add("Form2", "Normal", "Bündig", "", false, true);
    add("Form2", "Normal", "Bündig", "Bezeichnung9", false, false);
    add("Form2", "Normal", "Bündig", "Bezeichnung34", true, false);
    add("Form2", "Normal", "Treppe", "Bezeichnung9", false, true);
    add("Form2", "Normal", "Treppe", "Bezeichnung21", false, false);
    add("Form2", "Normal", "Bündig→Treppe", "Bezeichnung9", false, true);
    add("Form2", "Lücke", "Bündig", "", false, true);
    add("Form2", "Lücke", "Bündig", "luecke18", false, false);
    add("Form2", "Lücke", "Treppe", "luecke9", true, false);
    add("Form2", "Lücke", "Treppe", "", false, true);
    add("Form3", "Normal", "Bündig", "", false, true);
    add("Form3", "Normal", "Bündig", "Bezeichnung27", false, false);
    add("Form3", "Normal", "Bündig", "Bezeichnung35", true, false);
    add("Form3", "Normal", "Treppe", "Bezeichnung27", false, true);
    add("Form3", "Normal", "Bündig→Treppe", "Bezeichnung35", false, true);
    add("Form3", "Normal", "Bündig→Treppe", "Bezeichnung36", false, false);
    add("Form3", "Lücke", "Bündig", "luecke29", true, false);
    add("Form3", "Lücke", "Treppe", "luecke22", false, false);
    add("Form3", "Lücke", "Treppe", "", false, true);
}

void TestCompletion::solvedOnlyWithEveryShownDigit()
{
    QFETCH(QString, trainer);
    QFETCH(QString, mode);
    QFETCH(QString, display);
    QFETCH(QString, field);
    QFETCH(bool, knockedOut);
    QFETCH(bool, solved);

    const bool switched = display.contains(QStringLiteral("→"));
    NamedExercise ex = problem(trainer, mode, display == QLatin1String("Treppe"));
    QVERIFY(!ex.exercise.isSolved());

    // Written order, as a pupil fills the fields.
    for (const QString &name : ex.fieldNames()) {
        if (!ex.isShown(name) || !ex.shown(name).isEmpty() || (name == field && !knockedOut))
            continue;
        QCOMPARE(ex.dropRight(name), Exercise::Verdict::Right);
    }
    if (knockedOut) {
        const QString right = ex.expected(field);
        QVERIFY(!right.isEmpty());
        QCOMPARE(ex.shown(field), right);
        QCOMPARE(ex.drop(field, (right.toInt() + 1) % 10), Exercise::Verdict::Wrong);
        QCOMPARE(ex.shown(field), QString());
    }
    if (switched)
        ex.exercise.setDisplay(WrittenDisplay::Staircase);
    QCOMPARE(ex.exercise.isSolved(), solved);

    // Writing the missing digit completes the problem.
    if (!field.isEmpty() && ex.isShown(field)) {
        QCOMPARE(ex.dropRight(field), Exercise::Verdict::Right);
        QVERIFY(ex.exercise.isSolved());
    }
}

QTEST_GUILESS_MAIN(TestCompletion)
#include "tst_completion.moc"
