// The problems of the one-row trainer (Form1) through its table of controls: the draws,
// the boxes of the modes E, Z and H, the carries, completion and the gap patterns.
#include "arithmetic/written_views.h"
#include "named_exercise.h"
#include "scripted_random.h"
#include "trainers/one_row/one_row_table.h"

#include <QtTest>

namespace {

NamedExercise single(qint64 multiplicand, int m, OneRowMode mode = OneRowMode::E)
{
    return {oneRowSingle(oneRowProblem(multiplicand, m, mode)), oneRowCells(mode)};
}

NamedExercise gap(qint64 multiplicand, int m, int pattern, OneRowMode mode = OneRowMode::LE)
{
    return {oneRowGap(oneRowProblem(multiplicand, m, mode), pattern), oneRowCells(mode)};
}

OneRowMode singleMode(int zeros)
{
    return std::array{OneRowMode::E, OneRowMode::Z, OneRowMode::H}[zeros];
}

const QStringList resultBoxes = {"Bezeichnung10", "Bezeichnung11", "Bezeichnung12",
                                 "Bezeichnung13", "Bezeichnung17"};

void scriptDraws(ScriptedRandom &random, int multiplicand, int m)
{
    for (auto [value, n, k] : {std::tuple{multiplicand / 1000, 9, 1}, {multiplicand / 100 % 10, 10, 0},
                               {multiplicand / 10 % 10, 10, 0}, {multiplicand % 10, 9, 1}, {m, 8, 2}})
        random.pushInt(value, n, k);
}

} // namespace

class TestOneRowTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void drawsInOrderAndRange_data();
    void drawsInOrderAndRange();
    void layoutOfProduct_data();
    void layoutOfProduct();
    void expectedCarry_data();
    void expectedCarry();
    void wrongDigitLeavesTheBoxEmpty();
    void completion_data();
    void completion();
    void gapLayout_data();
    void gapLayout();
    void gapCompletion();
    void gapWithTwoSolutionsIsDealtAgain();
    void dealtGapsHaveOneSolution();
};

void TestOneRowTable::drawsInOrderAndRange_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<qint64>("multiplicand");
    QTest::addColumn<int>("m");
    QTest::newRow("lowest draws") << 0.0 << qint64(1001) << 2;
    QTest::newRow("highest draws") << 0.999999 << qint64(9999) << 9;
}

void TestOneRowTable::drawsInOrderAndRange()
{
    QFETCH(double, r);
    QFETCH(qint64, multiplicand);
    QFETCH(int, m);
    ScriptedRandom random{r, r, r, r, r};
    const Exercise dealt = dealOneRow(random, OneRowMode::E);
    QCOMPARE(random.remaining(), 0);
    QCOMPARE(dealt.written().multiplicand(), multiplicand);
    QCOMPARE(dealt.written().multiplier(), qint64(m));

    // The order of the draws: thousands, hundreds, tens, ones, multiplier.
    ScriptedRandom ordered;
    scriptDraws(ordered, 4321, 7);
    const NamedExercise ex{dealOneRow(ordered, OneRowMode::Z), oneRowCells(OneRowMode::Z)};
    QCOMPARE(ex.shown("Bezeichnung1") + ex.shown("Bezeichnung2") + ex.shown("Bezeichnung3")
                 + ex.shown("Bezeichnung4") + "·" + ex.shown("Bezeichnung5") + ex.shown("Bezeichnung6"),
             QString("4321·70"));
}

void TestOneRowTable::layoutOfProduct_data()
{
    QTest::addColumn<int>("multiplicand");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("zeros");
    QTest::addColumn<bool>("fiveDigits");
    QTest::addColumn<QString>("key");    // the answer key of the problem: 100·P in seven places
    QTest::addColumn<QString>("liste2"); // P, 10·P, 100·P
    QTest::newRow("9999 * 2, E") << 9999 << 2 << 0 << true << "1999800" << "  19998| 199980|1999800";
    QTest::newRow("1001 * 9, Z") << 1001 << 9 << 1 << false << " 900900" << "   9009|  90090| 900900";
    QTest::newRow("3456 * 2, H") << 3456 << 2 << 2 << false << " 691200" << "   6912|  69120| 691200";
}

void TestOneRowTable::layoutOfProduct()
{
    QFETCH(int, multiplicand);
    QFETCH(int, m);
    QFETCH(int, zeros);
    QFETCH(bool, fiveDigits);
    QFETCH(QString, key);
    QFETCH(QString, liste2);
    const NamedExercise ex = single(multiplicand, m, singleMode(zeros));

    QCOMPARE(oneRowAnswerKey(ex.exercise.written()).value(2), key);
    QCOMPARE(oneRowAnswerKey(ex.exercise.written()).value(0), rightAligned(multiplicand));
    QCOMPARE(oneRowScaledProducts(ex.exercise.written()).join('|'), liste2);
    QCOMPARE(ex.isShown("Bezeichnung10"), fiveDigits);
    for (const char *name : {"Bezeichnung6", "Bezeichnung18"})
        QCOMPARE(ex.isShown(name), zeros >= 1);
    for (const char *name : {"Bezeichnung20", "Bezeichnung19"})
        QCOMPARE(ex.isShown(name), zeros == 2);
    // The zeros of the multiplier are given, the zero boxes of the result are written.
    for (const char *name : {"Bezeichnung6", "Bezeichnung20"}) {
        if (ex.isShown(name))
            QCOMPARE(ex.shown(name), QString("0"));
    }
    // Result box k expects the digit of P in its place; the zero boxes expect 0.
    const QString product = QString::number(qint64(multiplicand) * m).rightJustified(5, ' ');
    for (int k = 0; k < 5; ++k) {
        if (ex.isShown(resultBoxes[k]))
            QCOMPARE(ex.expected(resultBoxes[k]), QString(product.at(k)));
    }
    for (const char *name : {"Bezeichnung18", "Bezeichnung19"}) {
        QCOMPARE(ex.isField(name), zeros >= (name == QLatin1String("Bezeichnung18") ? 1 : 2));
        if (ex.isField(name))
            QCOMPARE(ex.expected(name), QString("0"));
    }
}

void TestOneRowTable::expectedCarry_data()
{
    QTest::addColumn<int>("multiplicand");
    QTest::addColumn<int>("m");
    QTest::addColumn<QString>("ones"); // written in Bezeichnung9 before the check
    QTest::addColumn<QString>("tens"); // written in Bezeichnung8
    QTest::addColumn<QString>("carry9");
    QTest::addColumn<QString>("carry8");
    QTest::addColumn<QString>("carry7");
    // Each box expects the true carry of its column, whichever boxes to its right are filled.
    // 4321 * 7: ones 7 -> 0; tens 14 + 0 -> 1; hundreds 21 + 1 -> 2.
    QTest::newRow("lower carries filled") << 4321 << 7 << "0" << "1" << "0" << "1" << "2";
    // 1999 * 9: 81 -> 8; 81 + 8 = 89 -> 8; 81 + 8 = 89 -> 8.
    QTest::newRow("largest carries") << 1999 << 9 << "8" << "8" << "8" << "8" << "8";
    QTest::newRow("lower boxes empty") << 1999 << 9 << "" << "" << "8" << "8" << "8";
    // 1155 * 2: ones 10 -> 1; tens 10 + 1 = 11 -> 1; hundreds 2 + 1 = 3 -> 0.
    QTest::newRow("no carry below ten") << 1155 << 2 << "1" << "1" << "1" << "1" << "0";
    // 1251 * 9: ones 9 -> 0; tens 45 -> 4; hundreds 18 + 4 = 22 -> 2, also while the tens
    // box is still empty.
    QTest::newRow("hundreds before tens") << 1251 << 9 << "" << "" << "0" << "4" << "2";
    QTest::newRow("hundreds after tens") << 1251 << 9 << "" << "4" << "0" << "4" << "2";
}

void TestOneRowTable::expectedCarry()
{
    QFETCH(int, multiplicand);
    QFETCH(int, m);
    QFETCH(QString, ones);
    QFETCH(QString, tens);
    QFETCH(QString, carry9);
    QFETCH(QString, carry8);
    QFETCH(QString, carry7);
    NamedExercise ex = single(multiplicand, m);
    QCOMPARE(ex.expected("Bezeichnung9"), carry9);
    if (!ones.isEmpty())
        QCOMPARE(ex.drop("Bezeichnung9", ones.toInt()), Exercise::Verdict::Right);
    QCOMPARE(ex.expected("Bezeichnung8"), carry8);
    if (!tens.isEmpty())
        QCOMPARE(ex.drop("Bezeichnung8", tens.toInt()), Exercise::Verdict::Right);
    QCOMPARE(ex.expected("Bezeichnung7"), carry7);
}

void TestOneRowTable::wrongDigitLeavesTheBoxEmpty()
{
    NamedExercise ex = single(4321, 7); // 30247
    QCOMPARE(ex.drop("Bezeichnung17", 7), Exercise::Verdict::Right);
    QCOMPARE(ex.drop("Bezeichnung17", 7), Exercise::Verdict::Right); // again: right
    QCOMPARE(ex.drop("Bezeichnung17", 3), Exercise::Verdict::Wrong);
    QCOMPARE(ex.shown("Bezeichnung17"), QString());
    // Anything but a digit key is checked as the field stands: empty is wrong.
    QCOMPARE(ex.drop("Bezeichnung17", -1), Exercise::Verdict::Wrong);
    QCOMPARE(ex.shown("Bezeichnung17"), QString());
    // The operands take no drop.
    QVERIFY(!ex.isField("Bezeichnung1"));
    QVERIFY(!ex.isField("Bezeichnung5"));
}

void TestOneRowTable::completion_data()
{
    QTest::addColumn<int>("zeros");
    QTest::addColumn<int>("multiplicand");
    QTest::newRow("E, five digits") << 0 << 4321;
    QTest::newRow("Z, four digits") << 1 << 1001;
    QTest::newRow("H, five digits") << 2 << 9999;
}

void TestOneRowTable::completion()
{
    QFETCH(int, zeros);
    QFETCH(int, multiplicand);
    NamedExercise ex = single(multiplicand, 9, singleMode(zeros));
    QStringList shown;
    for (const QString &box : resultBoxes + QStringList{"Bezeichnung18", "Bezeichnung19"}) {
        if (ex.isShown(box))
            shown << box;
    }
    QCOMPARE(shown.size(), 4 + (multiplicand * 9 > 9999 ? 1 : 0) + zeros);
    for (const QString &box : shown.mid(0, shown.size() - 1))
        QCOMPARE(ex.dropRight(box), Exercise::Verdict::Right);
    QVERIFY(!ex.exercise.isSolved());
    // Carries are not needed; the last box of the result row completes it.
    QCOMPARE(ex.dropRight(shown.last()), Exercise::Verdict::Right);
    QVERIFY(ex.exercise.isSolved());
}

void TestOneRowTable::gapLayout_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("multiplicand");
    QTest::addColumn<int>("m");
    QTest::addColumn<QStringList>("blanks");
    QTest::newRow("k=1, five-digit product") << 1 << 4321 << 7 << QStringList{"luecke1", "luecke13", "luecke15"};
    QTest::newRow("k=2, four-digit product") << 2 << 1234 << 3 << QStringList{"luecke2", "luecke14", "luecke17"};
    QTest::newRow("k=3") << 3 << 5678 << 4 << QStringList{"luecke3", "luecke13", "luecke16"};
    QTest::newRow("k=4") << 4 << 2345 << 2 << QStringList{"luecke4", "luecke14", "luecke16"};
}

void TestOneRowTable::gapLayout()
{
    QFETCH(int, pattern);
    QFETCH(int, multiplicand);
    QFETCH(int, m);
    QFETCH(QStringList, blanks);
    const NamedExercise ex = gap(multiplicand, m, pattern, OneRowMode::LH);

    const QString product = QString::number(multiplicand * m);
    QCOMPARE(ex.isShown("luecke17"), product.size() == 5);
    for (const char *name : {"luecke6", "luecke12", "luecke10", "luecke11"})
        QVERIFY(ex.isShown(name));

    // Every standing digit is one the field expects: a right drop there is accepted.
    const QStringList fields = ex.fieldNames();
    QCOMPARE(fields.size(), 13 + (product.size() == 5 ? 1 : 0));
    for (const QString &field : fields) {
        if (blanks.contains(field)) {
            QCOMPARE(ex.shown(field), QString());
            continue;
        }
        QCOMPARE(ex.expected(field), ex.shown(field));
    }
    QCOMPARE(ex.expected("luecke5"), QString::number(m));
    for (const char *zero : {"luecke6", "luecke10", "luecke11", "luecke12"})
        QCOMPARE(ex.expected(zero), QString("0"));
    // The carries stand written and take no drop.
    for (const char *carry : {"luecke7", "luecke8", "luecke9"}) {
        QVERIFY(!ex.isField(carry));
        QVERIFY(!ex.shown(carry).isEmpty());
    }
}

void TestOneRowTable::gapCompletion()
{
    NamedExercise ex = gap(4321, 7, 1); // 30247: blanks thousands 4, ones 7, hundreds 2
    QCOMPARE(ex.drop("luecke1", 4), Exercise::Verdict::Right);
    QCOMPARE(ex.drop("luecke13", 7), Exercise::Verdict::Right);
    QVERIFY(!ex.exercise.isSolved());
    QCOMPARE(ex.drop("luecke15", 1), Exercise::Verdict::Wrong);
    QVERIFY(!ex.exercise.isSolved());
    QCOMPARE(ex.drop("luecke15", 2), Exercise::Verdict::Right);
    QVERIFY(ex.exercise.isSolved());
}

void TestOneRowTable::gapWithTwoSolutionsIsDealtAgain()
{
    // 8111 * 5 with the ones digit, tens and thousands of the product blank:
    // 8110, 8111, 8113, ... all fit. Such a problem is not dealt.
    const WrittenMultiplication ambiguous = oneRowProblem(8111, 5, OneRowMode::LE);
    QVERIFY(gapSolutionCount(ambiguous, oneRowGapBlanks(ambiguous, 4)) > 1);

    ScriptedRandom random;
    scriptDraws(random, 8111, 5);
    random.pushInt(4, 4, 1); // pattern 4: two solutions, dealt again
    scriptDraws(random, 4321, 7);
    random.pushInt(1, 4, 1);
    const Exercise dealt = dealOneRow(random, OneRowMode::LE);
    QCOMPARE(random.remaining(), 0);
    QCOMPARE(dealt.written().multiplicand(), qint64(4321));
    QCOMPARE(dealt.blanks(), oneRowGapBlanks(dealt.written(), 1));
}

void TestOneRowTable::dealtGapsHaveOneSolution()
{
    ScriptedRandom random; // fixed-seed fallback
    for (OneRowMode mode : {OneRowMode::LE, OneRowMode::LZ, OneRowMode::LH}) {
        for (int i = 0; i < 700; ++i) {
            const Exercise dealt = dealOneRow(random, mode);
            QVERIFY(dealt.isGap());
            QCOMPARE(gapSolutionCount(dealt.written(), dealt.blanks()), 1);
        }
    }
}

QTEST_GUILESS_MAIN(TestOneRowTable)
#include "tst_one_row_table.moc"
