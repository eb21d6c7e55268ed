// The problems of the two-row (Form2) and the three-row (Form3) trainer through their
// tables of controls.
#include "named_exercise.h"
#include "scripted_random.h"
#include "trainers/three_row/three_row_table.h"
#include "trainers/two_row/two_row_table.h"
#include "written_fixture.h"

#include <QTest>

#include <algorithm>

namespace {

const RowsTables &tablesOf(const QString &trainer)
{
    return trainer == QLatin1String("Form3") ? threeRowTables() : twoRowTables();
}

// Multiplicand 5012 (every digit different) times 39 or 793.
WrittenMultiplication example(const QString &trainer)
{
    return WrittenMultiplication(5012, trainer == QLatin1String("Form3") ? QList<int>{7, 9, 3} : QList<int>{3, 9});
}

void scriptDraws(ScriptedRandom &random, const WrittenMultiplication &w)
{
    random.pushInt(digitAt(w.multiplicand(), 3), 5, 5);
    random.pushInt(digitAt(w.multiplicand(), 2), 10);
    random.pushInt(digitAt(w.multiplicand(), 1), 10);
    random.pushInt(digitAt(w.multiplicand(), 0), 4, 1);
    for (int digit : w.multiplierDigits())
        random.pushInt(digit, 8, 2);
}

NamedExercise problem(const QString &trainer, bool gap, WrittenDisplay display = WrittenDisplay::Flush)
{
    const RowsTables &tables = tablesOf(trainer);
    return {rowsExercise(tables, example(trainer), gap, display), rowsCells(tables, gap)};
}

// A gap row as shown, highest digit first, "_" for a gap.
QString shownRow(const NamedExercise &ex, const std::vector<const char *> &fromTheRight)
{
    QString text;
    for (auto it = fromTheRight.rbegin(); it != fromTheRight.rend(); ++it) {
        const QString digit = ex.shown(QLatin1String(*it));
        text += digit.isEmpty() ? QStringLiteral("_") : digit;
    }
    return text;
}

} // namespace

class TestRowsTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawOrder_data();
    void drawOrder();
    void ranges_data();
    void ranges();
    void expectedDigit_data();
    void expectedDigit();
    void completion_data();
    void completion();
    void sumCarries_data();
    void sumCarries();
    void wrongAndForeignDrops();
    void gapProblem_data();
    void gapProblem();
    void gapDigits_data();
    void gapDigits();
    void gapCompletion_data();
    void gapCompletion();
    void staircaseZeros_data();
    void staircaseZeros();
    void fieldDescription_data();
    void fieldDescription();
};

void TestRowsTable::drawOrder_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QStringList>("problemLabels");
    QTest::addColumn<QStringList>("problem");
    QTest::addColumn<QStringList>("liste1");

    QTest::newRow("two-row 5012 x 39")
        << "Form2"
        << QStringList{"Bezeichnung1", "Bezeichnung2", "Bezeichnung3", "Bezeichnung4",
                       "Bezeichnung5", "Bezeichnung6"}
        << QStringList{"5", "0", "1", "2", "3", "9"}
        << QStringList{"150360", "45108", "195468"};
    QTest::newRow("three-row 5012 x 793")
        << "Form3"
        << QStringList{"Bezeichnung1", "Bezeichnung2", "Bezeichnung3", "Bezeichnung4",
                       "Bezeichnung5", "Bezeichnung6", "Bezeichnung10"}
        << QStringList{"5", "0", "1", "2", "7", "9", "3"}
        << QStringList{"3508400", "451080", "15036", "3974516"};
}

void TestRowsTable::drawOrder()
{
    QFETCH(QString, trainer);
    QFETCH(QStringList, problemLabels);
    QFETCH(QStringList, problem);
    QFETCH(QStringList, liste1);

    const RowsTables &tables = tablesOf(trainer);
    ScriptedRandom random;
    scriptDraws(random, example(trainer));
    const NamedExercise single{dealRows(random, tables, false, WrittenDisplay::Flush), rowsCells(tables, false)};
    QCOMPARE(random.remaining(), 0);
    for (int i = 0; i < problemLabels.size(); ++i)
        QCOMPARE(single.shown(problemLabels.at(i)), problem.at(i));
    QCOMPARE(rowsAnswerList(single.exercise), liste1);
    QVERIFY(rowsGapList(single.exercise).isEmpty());

    // A gap problem draws the same numbers in the same order.
    scriptDraws(random, example(trainer));
    const Exercise gap = dealRows(random, tables, true, WrittenDisplay::Flush);
    QCOMPARE(random.remaining(), 0);
    QCOMPARE(rowsAnswerList(gap), liste1);
}

void TestRowsTable::ranges_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<double>("draw");
    QTest::addColumn<QStringList>("liste1");

    // Every draw at the bottom or at the top of [0, 1): the smallest and largest problems,
    // whose rows have the same number of digits as all others.
    QTest::newRow("two-row smallest") << "Form2" << 0.0
                                      << QStringList{"100020", "10002", "110022"};
    QTest::newRow("two-row largest") << "Form2" << 0.999999
                                     << QStringList{"899460", "89946", "989406"};
    QTest::newRow("three-row smallest") << "Form3" << 0.0
                                        << QStringList{"1000200", "100020", "10002", "1110222"};
    QTest::newRow("three-row largest") << "Form3" << 0.999999
                                       << QStringList{"8994600", "899460", "89946", "9984006"};
}

void TestRowsTable::ranges()
{
    QFETCH(QString, trainer);
    QFETCH(double, draw);
    QFETCH(QStringList, liste1);

    ScriptedRandom random;
    for (int i = 0; i < 7; ++i)
        random.push(draw);
    QCOMPARE(rowsAnswerList(dealRows(random, tablesOf(trainer), false, WrittenDisplay::Flush)), liste1);
}

void TestRowsTable::expectedDigit_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("digit");

    // 5012 x 39: 150360 + 45108 = 195468.
    const struct {
        const char *field;
        const char *digit;
    } twoRow[] = {
        {"Bezeichnung17", "1"}, {"Bezeichnung18", "5"}, {"Bezeichnung19", "0"},
        {"Bezeichnung20", "3"}, {"Bezeichnung21", "6"}, {"Bezeichnung9", "0"},
        {"Bezeichnung11", "4"}, {"Bezeichnung12", "5"}, {"Bezeichnung13", "1"},
        {"Bezeichnung14", "0"}, {"Bezeichnung26", "8"},
        {"Bezeichnung28", "1"}, {"Bezeichnung30", "9"}, {"Bezeichnung31", "5"},
        {"Bezeichnung32", "4"}, {"Bezeichnung33", "6"}, {"Bezeichnung34", "8"},
    };
    for (const auto &row : twoRow)
        QTest::addRow("Form2 %s", row.field) << "Form2" << row.field << row.digit;

    // 5012 x 793: 3508400 + 451080 + 15036 = 3974516.
    const struct {
        const char *field;
        const char *digit;
    } threeRow[] = {
        {"Bezeichnung17", "3"}, {"Bezeichnung18", "5"}, {"Bezeichnung19", "0"},
        {"Bezeichnung20", "8"}, {"Bezeichnung21", "4"}, {"Bezeichnung9", "0"},
        {"Bezeichnung27", "0"},
        {"Bezeichnung11", "4"}, {"Bezeichnung12", "5"}, {"Bezeichnung13", "1"},
        {"Bezeichnung14", "0"}, {"Bezeichnung26", "8"}, {"Bezeichnung35", "0"},
        {"Bezeichnung41", "1"}, {"Bezeichnung40", "5"}, {"Bezeichnung39", "0"},
        {"Bezeichnung38", "3"}, {"Bezeichnung37", "6"},
        {"Bezeichnung28", "3"}, {"Bezeichnung30", "9"}, {"Bezeichnung31", "7"},
        {"Bezeichnung32", "4"}, {"Bezeichnung33", "5"}, {"Bezeichnung34", "1"},
        {"Bezeichnung36", "6"},
    };
    for (const auto &row : threeRow)
        QTest::addRow("Form3 %s", row.field) << "Form3" << row.field << row.digit;
}

void TestRowsTable::expectedDigit()
{
    QFETCH(QString, trainer);
    QFETCH(QString, field);
    QFETCH(QString, digit);

    NamedExercise single = problem(trainer, false);
    QVERIFY(single.isField(field));
    QCOMPARE(single.expected(field), digit);
    QCOMPARE(single.drop(field, digit.toInt()), Exercise::Verdict::Right);
    QCOMPARE(single.drop(field, (digit.toInt() + 1) % 10), Exercise::Verdict::Wrong);
}

void TestRowsTable::completion_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<bool>("staircase");
    QTest::addColumn<int>("digits");

    QTest::newRow("two-row flush") << "Form2" << false << 17;
    QTest::newRow("two-row staircase") << "Form2" << true << 16;
    QTest::newRow("three-row flush") << "Form3" << false << 25;
    QTest::newRow("three-row staircase") << "Form3" << true << 22;
}

void TestRowsTable::completion()
{
    QFETCH(QString, trainer);
    QFETCH(bool, staircase);
    QFETCH(int, digits);

    NamedExercise single =
        problem(trainer, false, staircase ? WrittenDisplay::Staircase : WrittenDisplay::Flush);
    QVERIFY(!single.exercise.isSolved());

    // Any order; the problem counts as solved with the last shown digit, not before. The
    // carries of the addition may stay empty.
    int filled = 0;
    QStringList fields = single.fieldNames();
    std::reverse(fields.begin(), fields.end());
    for (const QString &field : fields) {
        if (!single.isShown(field) || field.startsWith(QLatin1String("Uebertrag")))
            continue;
        QVERIFY2(!single.exercise.isSolved(), qPrintable(field));
        QCOMPARE(single.dropRight(field), Exercise::Verdict::Right);
        ++filled;
    }
    QCOMPARE(filled, digits);
    QVERIFY(single.exercise.isSolved());

    // A wrong digit on one of them undoes it.
    QCOMPARE(single.drop(QStringLiteral("Bezeichnung28"), 0), Exercise::Verdict::Wrong);
    QVERIFY(!single.exercise.isSolved());
}

void TestRowsTable::sumCarries_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QStringList>("carries"); // Uebertrag2 up
    QTest::addColumn<QStringList>("gapCarries");

    // 204920 + 35861 = 240781: the hundreds make 17, the thousands 4 + 5 + 1 = 10.
    QTest::newRow("two-row 5123 x 47") << "Form2" << "5123 · 47" << QStringList{"0", "0", "1", "1", "0"}
                                       << QStringList{"luecke24", "luecke25", "luecke26", "luecke27", "luecke28"};
    // 1196800 + 119680 + 23936 = 1340416: the tens make 11, the hundreds 23 + 1 = 24, the
    // thousands 18 + 2 = 20, the ten-thousands 12 + 2 = 14.
    QTest::newRow("three-row 5984 x 224") << "Form3" << "5984 · 224" << QStringList{"0", "1", "2", "2", "1", "0"}
                                          << QStringList{"luecke33", "luecke34", "luecke35", "luecke36",
                                                         "luecke37", "luecke38"};
}

// The carries of the addition: each box above the sum's rule takes the carry into its
// column, 0 included, and refuses any other digit; a gap problem gives them.
void TestRowsTable::sumCarries()
{
    QFETCH(QString, trainer);
    QFETCH(QString, problem);
    QFETCH(QStringList, carries);
    QFETCH(QStringList, gapCarries);

    const RowsTables &tables = tablesOf(trainer);
    const WrittenMultiplication w = *parseProblem(problem);
    NamedExercise single{rowsExercise(tables, w, false, WrittenDisplay::Flush), rowsCells(tables, false)};
    const NamedExercise gap{rowsExercise(tables, w, true, WrittenDisplay::Flush), rowsCells(tables, true)};
    QCOMPARE(int(tables.sumCarries.size()), carries.size());
    for (int k = 0; k < carries.size(); ++k) {
        const QString box = QStringLiteral("Uebertrag%1").arg(k + 2);
        QVERIFY2(single.isField(box) && single.isShown(box), qPrintable(box));
        QCOMPARE(single.shown(box), QString());
        for (int digit = 0; digit <= 9; ++digit) {
            const bool right = QString::number(digit) == carries.at(k);
            QCOMPARE(single.drop(box, digit), right ? Exercise::Verdict::Right : Exercise::Verdict::Wrong);
        }
        QCOMPARE(single.shown(box), QString()); // the last digit dropped was wrong

        QVERIFY(!gap.isField(gapCarries.at(k)));
        QCOMPARE(gap.shown(gapCarries.at(k)), carries.at(k));
    }
}

void TestRowsTable::wrongAndForeignDrops()
{
    NamedExercise single = problem(QStringLiteral("Form2"), false);
    const QString field = QStringLiteral("Bezeichnung34"); // expects 8

    // Something that is no digit key leaves the empty field empty: wrong.
    QCOMPARE(single.drop(field, -1), Exercise::Verdict::Wrong);
    QCOMPARE(single.shown(field), QString());
    // ... but on a field that already holds its digit it is right again.
    QCOMPARE(single.drop(field, 8), Exercise::Verdict::Right);
    QCOMPARE(single.drop(field, -1), Exercise::Verdict::Right);
    // A wrong digit takes the right one away.
    QCOMPARE(single.drop(field, 3), Exercise::Verdict::Wrong);
    QCOMPARE(single.shown(field), QString());
    // Every answer field of a new problem is empty.
    const NamedExercise fresh = problem(QStringLiteral("Form2"), false);
    for (const QString &name : fresh.fieldNames())
        QCOMPARE(fresh.shown(name), QString());
}

void TestRowsTable::gapProblem_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QString>("multiplicand");
    QTest::addColumn<QString>("multiplier");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("two-row") << "Form2" << "5012" << "39"
                             << QStringList{"1_0_60", "4_1_8", "1_5_6_"};
    QTest::newRow("three-row") << "Form3" << "5012" << "793"
                               << QStringList{"3_0_400", "4_1_80", "150__", "3_7_5_6"};
}

void TestRowsTable::gapProblem()
{
    QFETCH(QString, trainer);
    QFETCH(QString, multiplicand);
    QFETCH(QString, multiplier);
    QFETCH(QStringList, rows);

    const RowsTables &tables = tablesOf(trainer);
    const NamedExercise gap = problem(trainer, true);

    QString shownMultiplicand;
    for (const char *field : tables.gapMultiplicand)
        shownMultiplicand += gap.shown(QLatin1String(field));
    QCOMPARE(shownMultiplicand, multiplicand);
    QString shownMultiplier;
    for (const char *field : tables.gapMultiplier)
        shownMultiplier += gap.shown(QLatin1String(field));
    QCOMPARE(shownMultiplier, multiplier);

    QStringList shown;
    for (const auto &row : tables.gapRows)
        shown << shownRow(gap, row);
    QCOMPARE(shown, rows);
}

void TestRowsTable::gapDigits_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QString>("gap");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("digit");

    const char *const twoRow[][2] = {{"luecke9", "3"},  {"luecke11", "5"}, {"luecke14", "0"},
                                     {"luecke16", "5"}, {"luecke18", "8"}, {"luecke20", "4"},
                                     {"luecke22", "9"}};
    for (int i = 0; i < 7; ++i)
        QTest::addRow("Form2 %s", twoRow[i][0]) << "Form2" << twoRow[i][0] << i << twoRow[i][1];
    const char *const threeRow[][2] = {{"luecke9", "8"},  {"luecke11", "5"}, {"luecke14", "0"},
                                       {"luecke16", "5"}, {"luecke28", "6"}, {"luecke29", "3"},
                                       {"luecke18", "1"}, {"luecke20", "4"}, {"luecke22", "9"}};
    for (int i = 0; i < 9; ++i)
        QTest::addRow("Form3 %s", threeRow[i][0]) << "Form3" << threeRow[i][0] << i << threeRow[i][1];
}

void TestRowsTable::gapDigits()
{
    QFETCH(QString, trainer);
    QFETCH(QString, gap);
    QFETCH(int, item);
    QFETCH(QString, digit);

    NamedExercise ex = problem(trainer, true);
    QCOMPARE(rowsGapList(ex.exercise).value(item), digit);
    QVERIFY(ex.isField(gap));
    QCOMPARE(ex.shown(gap), QString());
    QCOMPARE(ex.expected(gap), digit);
    QCOMPARE(ex.drop(gap, digit.toInt()), Exercise::Verdict::Right);
}

void TestRowsTable::gapCompletion_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<int>("gaps");

    QTest::newRow("two-row") << "Form2" << 7;
    QTest::newRow("three-row") << "Form3" << 9;
}

void TestRowsTable::gapCompletion()
{
    QFETCH(QString, trainer);
    QFETCH(int, gaps);

    NamedExercise gap = problem(trainer, true);
    QCOMPARE(gap.fieldNames().size(), gaps);
    QCOMPARE(rowsGapList(gap.exercise).size(), gaps);

    // Only the gaps take drops; the digits written around them are no answer fields.
    QVERIFY(!gap.isField(QStringLiteral("luecke1")));
    QVERIFY(!gap.isField(QStringLiteral("luecke23")));

    for (const QString &field : gap.fieldNames()) {
        QVERIFY(!gap.exercise.isSolved());
        QCOMPARE(gap.drop(field, (gap.expected(field).toInt() + 1) % 10), Exercise::Verdict::Wrong);
        QCOMPARE(gap.dropRight(field), Exercise::Verdict::Right);
    }
    QVERIFY(gap.exercise.isSolved());
}

void TestRowsTable::staircaseZeros_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QStringList>("singleZeros");
    QTest::addColumn<QStringList>("gapZeros");

    QTest::newRow("two-row") << "Form2" << QStringList{"Bezeichnung9"} << QStringList{"luecke7"};
    QTest::newRow("three-row") << "Form3"
                               << QStringList{"Bezeichnung9", "Bezeichnung27", "Bezeichnung35"}
                               << QStringList{"luecke25", "luecke7", "luecke26"};
}

void TestRowsTable::staircaseZeros()
{
    QFETCH(QString, trainer);
    QFETCH(QStringList, singleZeros);
    QFETCH(QStringList, gapZeros);

    for (bool gap : {false, true}) {
        const QStringList zeros = gap ? gapZeros : singleZeros;
        NamedExercise ex = problem(trainer, gap);
        QStringList found;
        for (const NamedCell &named : ex.table) {
            if (named.cell.part == Part::Zero)
                found << named.name;
        }
        QCOMPARE(found, zeros);
        for (const QString &zero : zeros) {
            QVERIFY(ex.isShown(zero));
            QCOMPARE(gap ? ex.shown(zero) : ex.expected(zero), QStringLiteral("0"));
        }

        // The staircase hides the zeros and nothing else.
        ex.exercise.setDisplay(WrittenDisplay::Staircase);
        for (const NamedCell &named : ex.table)
            QCOMPARE(ex.isShown(named.name), !zeros.contains(named.name));
        ex.exercise.setDisplay(WrittenDisplay::Flush);
        for (const QString &zero : zeros)
            QVERIFY(ex.isShown(zero));
    }
}

void TestRowsTable::fieldDescription_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("description");

    QTest::newRow("Form2 first digit of row 0")
        << "Form2" << "Bezeichnung17" << "1. Teilprodukt, Hunderttausenderstelle";
    QTest::newRow("Form2 zero of row 0") << "Form2" << "Bezeichnung9" << "1. Teilprodukt, Einerstelle";
    QTest::newRow("Form2 ones of row 1") << "Form2" << "Bezeichnung26" << "2. Teilprodukt, Einerstelle";
    QTest::newRow("Form2 gap in the sum") << "Form2" << "luecke18" << "Ergebnis, Einerstelle";
    QTest::newRow("Form2 multiplier") << "Form2" << "Bezeichnung5" << "Zweite Zahl, Zehnerstelle";
    QTest::newRow("Form2 multiplicand") << "Form2" << "luecke2" << "Erste Zahl, Hunderterstelle";
    QTest::newRow("Form3 first digit of row 0")
        << "Form3" << "Bezeichnung17" << "1. Teilprodukt, Millionenstelle";
    QTest::newRow("Form3 last zero of row 0") << "Form3" << "Bezeichnung27" << "1. Teilprodukt, Einerstelle";
    QTest::newRow("Form3 ones of row 2") << "Form3" << "Bezeichnung37" << "3. Teilprodukt, Einerstelle";
    QTest::newRow("Form3 gap in row 2") << "Form3" << "luecke29" << "3. Teilprodukt, Zehnerstelle";
    QTest::newRow("Form3 gap in the sum") << "Form3" << "luecke22" << "Ergebnis, Hunderttausenderstelle";
    // The carries of the addition, named as the one-row trainer names its carries: by the
    // column they come out of.
    QTest::newRow("Form2 carry above the tens") << "Form2" << "Uebertrag2" << "Übertrag der Einerspalte";
    QTest::newRow("Form3 carry above the millions") << "Form3" << "Uebertrag7" << "Übertrag der Hunderttausenderspalte";
    QTest::newRow("Form3 given carry") << "Form3" << "luecke34" << "Übertrag der Zehnerspalte";
}

void TestRowsTable::fieldDescription()
{
    QFETCH(QString, trainer);
    QFETCH(QString, field);
    QFETCH(QString, description);

    const NamedExercise ex = problem(trainer, field.startsWith(QLatin1String("luecke")));
    QCOMPARE(cellDescription(ex.exercise.written(), *ex.cellOf(field)), description);
}

QTEST_GUILESS_MAIN(TestRowsTable)
#include "tst_rows_table.moc"
