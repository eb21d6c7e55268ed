// The problems of the two-row (Form2) and the three-row (Form3) trainer.
#include "scripted_random.h"
#include "trainers/three_row/three_row_problem.h"
#include "trainers/two_row/two_row_problem.h"

#include <QTest>

#include <algorithm>

namespace {

const RowsTables &tablesOf(const QString &trainer)
{
    return trainer == QLatin1String("Form3") ? threeRowTables() : twoRowTables();
}

// Multiplicand 5012 (every digit different) times 39 or 793.
RowsNumbers example(const QString &trainer)
{
    RowsNumbers n;
    n.thousands = 5;
    n.hundreds = 0;
    n.tens = 1;
    n.ones = 2;
    n.multiplier = trainer == QLatin1String("Form3") ? QList<int>{7, 9, 3} : QList<int>{3, 9};
    return n;
}

void scriptDraws(ScriptedRandom &random, const RowsNumbers &n)
{
    random.pushInt(n.thousands, 5, 5);
    random.pushInt(n.hundreds, 10);
    random.pushInt(n.tens, 10);
    random.pushInt(n.ones, 4, 1);
    for (int digit : n.multiplier)
        random.pushInt(digit, 8, 2);
}

// A gap row as shown, highest digit first, "_" for a gap.
QString shownRow(const RowsGap &gap, const std::vector<const char *> &fromTheRight)
{
    QString text;
    for (auto it = fromTheRight.rbegin(); it != fromTheRight.rend(); ++it) {
        const QString caption = gap.caption(QLatin1String(*it));
        text += caption.isEmpty() ? QStringLiteral("_") : caption;
    }
    return text;
}

} // namespace

class TestRowsProblem : public QObject
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

void TestRowsProblem::drawOrder_data()
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

void TestRowsProblem::drawOrder()
{
    QFETCH(QString, trainer);
    QFETCH(QStringList, problemLabels);
    QFETCH(QStringList, problem);
    QFETCH(QStringList, liste1);

    ScriptedRandom random;
    scriptDraws(random, example(trainer));
    RowsSingle single(tablesOf(trainer));
    single.deal(random);
    QCOMPARE(random.remaining(), 0);
    for (int i = 0; i < problemLabels.size(); ++i)
        QCOMPARE(single.caption(problemLabels.at(i)), problem.at(i));
    QCOMPARE(single.liste1(), liste1);
    QVERIFY(single.liste2().isEmpty());

    // A gap problem draws the same numbers in the same order.
    scriptDraws(random, example(trainer));
    RowsGap gap(tablesOf(trainer));
    gap.deal(random);
    QCOMPARE(random.remaining(), 0);
    QCOMPARE(gap.liste1(), liste1);
}

void TestRowsProblem::ranges_data()
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

void TestRowsProblem::ranges()
{
    QFETCH(QString, trainer);
    QFETCH(double, draw);
    QFETCH(QStringList, liste1);

    ScriptedRandom random;
    for (int i = 0; i < 7; ++i)
        random.push(draw);
    RowsSingle single(tablesOf(trainer));
    single.deal(random);
    QCOMPARE(single.liste1(), liste1);
}

void TestRowsProblem::expectedDigit_data()
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

void TestRowsProblem::expectedDigit()
{
    QFETCH(QString, trainer);
    QFETCH(QString, field);
    QFETCH(QString, digit);

    RowsSingle single(tablesOf(trainer));
    single.show(example(trainer));
    QVERIFY(single.isField(field));
    QCOMPARE(single.expectedDigit(field), digit);
    QCOMPARE(single.drop(field, digit.at(0)), CaptionExercise::Verdict::Right);
    const QChar other = QChar(u'0' + (digit.toInt() + 1) % 10);
    QCOMPARE(single.drop(field, other), CaptionExercise::Verdict::Wrong);
}

void TestRowsProblem::completion_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<bool>("staircase");
    QTest::addColumn<int>("digits");

    QTest::newRow("two-row flush") << "Form2" << false << 17;
    QTest::newRow("two-row staircase") << "Form2" << true << 16;
    QTest::newRow("three-row flush") << "Form3" << false << 25;
    QTest::newRow("three-row staircase") << "Form3" << true << 22;
}

void TestRowsProblem::completion()
{
    QFETCH(QString, trainer);
    QFETCH(bool, staircase);
    QFETCH(int, digits);

    RowsSingle single(tablesOf(trainer));
    single.setStaircase(staircase);
    single.show(example(trainer));
    QVERIFY(!single.isSolved());

    // Any order; the problem counts as solved with the last shown digit, not before.
    int filled = 0;
    QStringList fields = single.fieldNames();
    std::reverse(fields.begin(), fields.end());
    for (const QString &field : fields) {
        if (!single.isShown(field))
            continue;
        QVERIFY2(!single.isSolved(), qPrintable(field));
        QCOMPARE(single.drop(field, single.expectedDigit(field).at(0)), CaptionExercise::Verdict::Right);
        ++filled;
    }
    QCOMPARE(filled, digits);
    QVERIFY(single.isSolved());
    QCOMPARE(single.solvedTitle(), QStringLiteral("Malaufgabe"));
    QCOMPARE(single.solvedText(), QStringLiteral("Die Aufgabe wurde richtig gelöst.\r\r"));

    // Emptying one digit again undoes it.
    single.clearField(QStringLiteral("Bezeichnung28"));
    QVERIFY(!single.isSolved());
}

void TestRowsProblem::wrongAndForeignDrops()
{
    RowsSingle single(twoRowTables());
    single.show(example(QStringLiteral("Form2")));
    const QString field = QStringLiteral("Bezeichnung34"); // expects 8

    // Something that is no digit key leaves the empty field empty: wrong.
    QCOMPARE(single.drop(field, std::nullopt), CaptionExercise::Verdict::Wrong);
    QCOMPARE(single.caption(field), QString());
    // ... but on a field that already holds its digit it is right again.
    QCOMPARE(single.drop(field, QChar(u'8')), CaptionExercise::Verdict::Right);
    QCOMPARE(single.drop(field, std::nullopt), CaptionExercise::Verdict::Right);
    // A wrong digit replaces a right one.
    QCOMPARE(single.drop(field, QChar(u'3')), CaptionExercise::Verdict::Wrong);
    QCOMPARE(single.caption(field), QStringLiteral("3"));

    // A new problem starts with every answer field empty.
    single.show(example(QStringLiteral("Form2")));
    for (const QString &name : single.fieldNames())
        QCOMPARE(single.caption(name), QString());
}

void TestRowsProblem::gapProblem_data()
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

void TestRowsProblem::gapProblem()
{
    QFETCH(QString, trainer);
    QFETCH(QString, multiplicand);
    QFETCH(QString, multiplier);
    QFETCH(QStringList, rows);

    const RowsTables &tables = tablesOf(trainer);
    RowsGap gap(tables);
    gap.show(example(trainer));

    QString shownMultiplicand;
    for (const char *field : tables.gapMultiplicand)
        shownMultiplicand += gap.caption(QLatin1String(field));
    QCOMPARE(shownMultiplicand, multiplicand);
    QString shownMultiplier;
    for (const char *field : tables.gapMultiplier)
        shownMultiplier += gap.caption(QLatin1String(field));
    QCOMPARE(shownMultiplier, multiplier);

    QStringList shown;
    for (const auto &row : tables.gapRows)
        shown << shownRow(gap, row);
    QCOMPARE(shown, rows);
}

void TestRowsProblem::gapDigits_data()
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

void TestRowsProblem::gapDigits()
{
    QFETCH(QString, trainer);
    QFETCH(QString, gap);
    QFETCH(int, item);
    QFETCH(QString, digit);

    RowsGap problem(tablesOf(trainer));
    problem.show(example(trainer));
    QCOMPARE(problem.liste2().value(item), digit);
    QVERIFY(problem.isField(gap));
    QCOMPARE(problem.caption(gap), QString());
    QCOMPARE(problem.expectedDigit(gap), digit);
    QCOMPARE(problem.drop(gap, digit.at(0)), CaptionExercise::Verdict::Right);
}

void TestRowsProblem::gapCompletion_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<int>("gaps");

    QTest::newRow("two-row") << "Form2" << 7;
    QTest::newRow("three-row") << "Form3" << 9;
}

void TestRowsProblem::gapCompletion()
{
    QFETCH(QString, trainer);
    QFETCH(int, gaps);

    RowsGap gap(tablesOf(trainer));
    gap.show(example(trainer));
    QCOMPARE(gap.fieldNames().size(), gaps);
    QCOMPARE(gap.liste2().size(), gaps);

    // Only the gaps take drops; the digits written around them are no answer fields.
    QVERIFY(!gap.isField(QStringLiteral("luecke1")));
    QVERIFY(!gap.isField(QStringLiteral("luecke23")));

    for (const QString &field : gap.fieldNames()) {
        QVERIFY(!gap.isSolved());
        const QChar wrong = QChar(u'0' + (gap.expectedDigit(field).toInt() + 1) % 10);
        QCOMPARE(gap.drop(field, wrong), CaptionExercise::Verdict::Wrong);
        gap.clearField(field);
        QCOMPARE(gap.drop(field, gap.expectedDigit(field).at(0)), CaptionExercise::Verdict::Right);
    }
    QVERIFY(gap.isSolved());
    QCOMPARE(gap.solvedTitle(), QStringLiteral("Lückenaufgabe"));
    QCOMPARE(gap.solvedText(), QStringLiteral("Die Aufgabe wurde richtig gelöst.\r\r"));
}

void TestRowsProblem::staircaseZeros_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QStringList>("singleZeros");
    QTest::addColumn<QStringList>("gapZeros");

    QTest::newRow("two-row") << "Form2" << QStringList{"Bezeichnung9"} << QStringList{"luecke7"};
    QTest::newRow("three-row") << "Form3"
                               << QStringList{"Bezeichnung9", "Bezeichnung27", "Bezeichnung35"}
                               << QStringList{"luecke25", "luecke7", "luecke26"};
}

void TestRowsProblem::staircaseZeros()
{
    QFETCH(QString, trainer);
    QFETCH(QStringList, singleZeros);
    QFETCH(QStringList, gapZeros);

    RowsSingle single(tablesOf(trainer));
    RowsGap gap(tablesOf(trainer));
    QCOMPARE(single.zeroFields(), singleZeros);
    QCOMPARE(gap.zeroFields(), gapZeros);

    for (RowsExercise *ex : {static_cast<RowsExercise *>(&single), static_cast<RowsExercise *>(&gap)}) {
        const QStringList zeros = ex->zeroFields();
        ex->show(example(trainer));
        for (const QString &zero : zeros) {
            QVERIFY(ex->isShown(zero));
            QCOMPARE(ex->expectedDigit(zero).isEmpty() ? ex->caption(zero) : ex->expectedDigit(zero),
                     QStringLiteral("0"));
        }

        ex->setStaircase(true);
        // The staircase outlives the problem.
        ex->show(example(trainer));
        for (auto it = ex->visibility().cbegin(); it != ex->visibility().cend(); ++it)
            QCOMPARE(it.value(), !zeros.contains(it.key()));
        for (const QString &zero : zeros)
            QVERIFY(!ex->visibility().value(zero, true));

        ex->setStaircase(false);
        for (const QString &zero : zeros)
            QVERIFY(ex->isShown(zero));
    }
}

void TestRowsProblem::fieldDescription_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("description");

    QTest::newRow("Form2 first digit of row 0")
        << "Form2" << "Bezeichnung17" << "1. Teilprodukt, Hunderttausenderstelle";
    QTest::newRow("Form2 zero of row 0") << "Form2" << "Bezeichnung9" << "1. Teilprodukt, Einerstelle";
    QTest::newRow("Form2 ones of row 1") << "Form2" << "Bezeichnung26" << "2. Teilprodukt, Einerstelle";
    QTest::newRow("Form2 gap in the sum") << "Form2" << "luecke18" << "Ergebnis, Einerstelle";
    QTest::newRow("Form3 first digit of row 0")
        << "Form3" << "Bezeichnung17" << "1. Teilprodukt, Millionenstelle";
    QTest::newRow("Form3 last zero of row 0") << "Form3" << "Bezeichnung27" << "1. Teilprodukt, Einerstelle";
    QTest::newRow("Form3 ones of row 2") << "Form3" << "Bezeichnung37" << "3. Teilprodukt, Einerstelle";
    QTest::newRow("Form3 gap in row 2") << "Form3" << "luecke29" << "3. Teilprodukt, Zehnerstelle";
    QTest::newRow("Form3 gap in the sum") << "Form3" << "luecke22" << "Ergebnis, Hunderttausenderstelle";
}

void TestRowsProblem::fieldDescription()
{
    QFETCH(QString, trainer);
    QFETCH(QString, field);
    QFETCH(QString, description);

    RowsSingle single(tablesOf(trainer));
    RowsGap gap(tablesOf(trainer));
    const CaptionExercise &ex = field.startsWith(QLatin1String("luecke")) ? static_cast<const CaptionExercise &>(gap)
                                                                   : single;
    QCOMPARE(ex.fieldDescription(field), description);
}

QTEST_GUILESS_MAIN(TestRowsProblem)
#include "tst_rows_problem.moc"
