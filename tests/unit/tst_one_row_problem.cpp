#include "problem_numbers.h"
#include "scripted_random.h"
#include "trainers/common/answer_key.h"
#include "trainers/common/score_board.h"
#include "trainers/one_row/one_row_problem.h"

#include <QtTest>

namespace {

// Fills `fields` with the digits the problem expects, one drop each, in the given order.
void fillRight(CaptionExercise &exercise, const QStringList &fields)
{
    for (const QString &field : fields) {
        const QString expected = exercise.expectedDigit(field);
        QCOMPARE(exercise.drop(field, expected.at(0)), CaptionExercise::Verdict::Right);
    }
}

const QStringList resultBoxes = {"Bezeichnung10", "Bezeichnung11", "Bezeichnung12",
                                 "Bezeichnung13", "Bezeichnung17"};

} // namespace

class OneRowProblemTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answerKeyText_data();
    void answerKeyText();
    void drawsInOrderAndRange_data();
    void drawsInOrderAndRange();
    void layoutOfProduct_data();
    void layoutOfProduct();
    void expectedCarry_data();
    void expectedCarry();
    void wrongDigitIsReportedAndClearable();
    void completion_data();
    void completion();
    void gapLayout_data();
    void gapLayout();
    void gapCompletion();
    void gapWithTwoSolutionsIsDealtAgain();
    void dealtGapsHaveOneSolution();
    void scoreRewards();
};

void OneRowProblemTest::answerKeyText_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("six digits") << qint64(691200) << " 691200";
    QTest::newRow("seven digits") << qint64(2468100) << "2468100";
    QTest::newRow("one digit") << qint64(7) << "      7";
    QTest::newRow("longer keeps the right end") << qint64(123456789) << "3456789";
}

void OneRowProblemTest::answerKeyText()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(::answerKeyText(value), text);
}

void OneRowProblemTest::drawsInOrderAndRange_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<QList<int>>("digits"); // a, b, c, d, m
    QTest::newRow("lowest draws") << 0.0 << QList<int>{1, 0, 0, 1, 2};
    QTest::newRow("highest draws") << 0.999999 << QList<int>{9, 9, 9, 9, 9};
}

void OneRowProblemTest::drawsInOrderAndRange()
{
    QFETCH(double, r);
    QFETCH(QList<int>, digits);
    ScriptedRandom random{r, r, r, r, r};
    OneRowSingle single;
    single.deal(random);
    QCOMPARE(random.remaining(), 0);
    const OneRowNumbers &n = single.numbers();
    QCOMPARE((QList<int>{n.a, n.b, n.c, n.d, n.m}), digits);

    // The order of the draws: thousands, hundreds, tens, ones, multiplier.
    ScriptedRandom ordered;
    for (auto [value, n, k] : {std::tuple{4, 9, 1}, {3, 10, 0}, {2, 10, 0}, {1, 9, 1}, {7, 8, 2}})
        ordered.pushInt(value, n, k);
    single.deal(ordered);
    QCOMPARE(single.caption("Bezeichnung1") + single.caption("Bezeichnung2")
                 + single.caption("Bezeichnung3") + single.caption("Bezeichnung4") + "·"
                 + single.caption("Bezeichnung5"),
             QString("4321·7"));
}

void OneRowProblemTest::layoutOfProduct_data()
{
    QTest::addColumn<int>("multiplicand");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("modeIndex");
    QTest::addColumn<bool>("fiveDigits");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("liste2");
    QTest::newRow("9999 * 2, E") << 9999 << 2 << 0 << true << "1999800" << "  19998| 199980|1999800";
    QTest::newRow("1001 * 9, Z") << 1001 << 9 << 1 << false << " 900900" << "   9009|  90090| 900900";
    QTest::newRow("3456 * 2, H") << 3456 << 2 << 2 << false << " 691200" << "   6912|  69120| 691200";
}

void OneRowProblemTest::layoutOfProduct()
{
    QFETCH(int, multiplicand);
    QFETCH(int, m);
    QFETCH(int, modeIndex);
    QFETCH(bool, fiveDigits);
    QFETCH(QString, key);
    QFETCH(QString, liste2);
    const OneRowMode mode = std::array{OneRowMode::E, OneRowMode::Z, OneRowMode::H}[modeIndex];
    OneRowSingle single(mode);
    single.show(oneRowNumbers(multiplicand, m));

    QCOMPARE(single.liste1().value(2), key);
    QCOMPARE(single.liste1().value(0), ::answerKeyText(multiplicand));
    QCOMPARE(single.liste2().join('|'), liste2);
    QCOMPARE(single.isShown("Bezeichnung10"), fiveDigits);
    for (const char *name : {"Bezeichnung6", "Linie6", "Bezeichnung18"})
        QCOMPARE(single.isShown(name), modeIndex >= 1);
    for (const char *name : {"Bezeichnung20", "Linie7", "Bezeichnung19"})
        QCOMPARE(single.isShown(name), modeIndex == 2);
    // Result box k expects the digit of P in its place; the zero boxes expect 0.
    const QString product = QString::number(qint64(multiplicand) * m).rightJustified(5, ' ');
    for (int k = 0; k < 5; ++k)
        QCOMPARE(single.expectedDigit(resultBoxes[k]), QString(product.at(k)));
    QCOMPARE(single.expectedDigit("Bezeichnung18"), QString("0"));
    QCOMPARE(single.expectedDigit("Bezeichnung19"), QString("0"));
}

void OneRowProblemTest::expectedCarry_data()
{
    QTest::addColumn<int>("multiplicand");
    QTest::addColumn<int>("m");
    QTest::addColumn<QString>("ones");      // caption in Bezeichnung9 before the check
    QTest::addColumn<QString>("tens");      // caption in Bezeichnung8
    QTest::addColumn<QString>("carry9");
    QTest::addColumn<QString>("carry8");
    QTest::addColumn<QString>("carry7");
    // 4321 * 7: ones 7 -> 0; tens 14 + 0 -> 1; hundreds 21 + 1 -> 2.
    QTest::newRow("lower carries filled") << 4321 << 7 << "0" << "1" << "0" << "1" << "2";
    // 1999 * 9: 81 -> 8; 81 + 8 = 89 -> 8; 81 + 8 = 89 -> 8.
    QTest::newRow("largest carries") << 1999 << 9 << "8" << "8" << "8" << "8" << "8";
    // With the lower boxes still empty they count as 0: 1999 * 9 tens 81 -> 8, hundreds 81 -> 8.
    QTest::newRow("empty lower boxes count 0") << 1999 << 9 << "" << "" << "8" << "8" << "8";
    // 1155 * 2: ones 10 -> 1; tens 10 + 1 = 11 -> 1, but with the ones carry empty 10 -> 1;
    // hundreds 2 + 1 = 3 -> 0.
    QTest::newRow("no carry below ten") << 1155 << 2 << "1" << "1" << "1" << "1" << "0";
    // 1251 * 9, hundreds carry filled before the tens carry: 2 * 9 + 0 = 18 -> 1
    // (with the tens carry 4 in place it would be 22 -> 2).
    QTest::newRow("hundreds before tens") << 1251 << 9 << "" << "" << "0" << "4" << "1";
    QTest::newRow("hundreds after tens") << 1251 << 9 << "" << "4" << "0" << "4" << "2";
}

void OneRowProblemTest::expectedCarry()
{
    QFETCH(int, multiplicand);
    QFETCH(int, m);
    QFETCH(QString, ones);
    QFETCH(QString, tens);
    QFETCH(QString, carry9);
    QFETCH(QString, carry8);
    QFETCH(QString, carry7);
    OneRowSingle single;
    single.show(oneRowNumbers(multiplicand, m));
    QCOMPARE(single.expectedDigit("Bezeichnung9"), carry9);
    if (!ones.isEmpty())
        single.drop("Bezeichnung9", ones.at(0));
    QCOMPARE(single.expectedDigit("Bezeichnung8"), carry8);
    if (!tens.isEmpty())
        single.drop("Bezeichnung8", tens.at(0));
    QCOMPARE(single.expectedDigit("Bezeichnung7"), carry7);
}

void OneRowProblemTest::wrongDigitIsReportedAndClearable()
{
    OneRowSingle single;
    single.show(oneRowNumbers(4321, 7)); // 30247
    QCOMPARE(single.drop("Bezeichnung17", QChar('7')), CaptionExercise::Verdict::Right);
    QCOMPARE(single.drop("Bezeichnung17", QChar('7')), CaptionExercise::Verdict::Right); // again: right
    QCOMPARE(single.drop("Bezeichnung17", QChar('3')), CaptionExercise::Verdict::Wrong);
    QCOMPARE(single.caption("Bezeichnung17"), QString("3")); // shown until the message is closed
    single.clearField("Bezeichnung17");
    // Anything but a digit key is checked as the field stands: empty is wrong.
    QCOMPARE(single.drop("Bezeichnung17", std::nullopt), CaptionExercise::Verdict::Wrong);
    QCOMPARE(single.caption("Bezeichnung17"), QString());
}

void OneRowProblemTest::completion_data()
{
    QTest::addColumn<int>("modeIndex");
    QTest::addColumn<int>("multiplicand");
    QTest::newRow("E, five digits") << 0 << 4321;
    QTest::newRow("Z, four digits") << 1 << 1001;
    QTest::newRow("H, five digits") << 2 << 9999;
}

void OneRowProblemTest::completion()
{
    QFETCH(int, modeIndex);
    QFETCH(int, multiplicand);
    const OneRowMode mode = std::array{OneRowMode::E, OneRowMode::Z, OneRowMode::H}[modeIndex];
    OneRowSingle single(mode);
    single.show(oneRowNumbers(multiplicand, 9));
    QStringList shown;
    for (const QString &box : resultBoxes + QStringList{"Bezeichnung18", "Bezeichnung19"}) {
        if (single.isShown(box))
            shown << box;
    }
    QCOMPARE(shown.size(), 4 + (multiplicand * 9 > 9999 ? 1 : 0) + modeIndex);
    fillRight(single, shown.mid(0, shown.size() - 1));
    QVERIFY(!single.isSolved());
    // Carries are not needed; the last box of the result row completes it.
    fillRight(single, {shown.last()});
    QVERIFY(single.isSolved());
}

void OneRowProblemTest::gapLayout_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("multiplicand");
    QTest::addColumn<int>("m");
    QTest::addColumn<QStringList>("blanks");
    QTest::addColumn<int>("keyLength");
    QTest::newRow("k=1, five-digit product") << 1 << 4321 << 7 << QStringList{"luecke1", "luecke13", "luecke15"} << 9;
    QTest::newRow("k=2, four-digit product") << 2 << 1234 << 3 << QStringList{"luecke2", "luecke14", "luecke17"} << 8;
    QTest::newRow("k=3") << 3 << 5678 << 4 << QStringList{"luecke3", "luecke13", "luecke16"} << 9;
    QTest::newRow("k=4") << 4 << 2345 << 2 << QStringList{"luecke4", "luecke14", "luecke16"} << 8;
}

void OneRowProblemTest::gapLayout()
{
    QFETCH(int, pattern);
    QFETCH(int, multiplicand);
    QFETCH(int, m);
    QFETCH(QStringList, blanks);
    QFETCH(int, keyLength);
    OneRowGap gap(OneRowMode::LH);
    gap.show(oneRowNumbers(multiplicand, m), pattern);

    const QString product = QString::number(multiplicand * m);
    QCOMPARE(gap.lueckenzahl(), QString::number(multiplicand) + product);
    QCOMPARE(gap.lueckenzahl().size(), keyLength);
    QCOMPARE(gap.isShown("luecke17"), product.size() == 5);
    for (const char *name : {"luecke6", "luecke12", "luecke10", "luecke11", "Linie8", "Linie9"})
        QVERIFY(gap.isShown(name));

    // Every standing digit is one the field expects: a right drop there is accepted.
    const QStringList fields = gap.fieldNames();
    for (const QString &field : fields) {
        if (blanks.contains(field)) {
            QCOMPARE(gap.caption(field), QString());
            continue;
        }
        QCOMPARE(gap.expectedDigit(field), gap.caption(field));
    }
    QCOMPARE(gap.expectedDigit("luecke5"), QString::number(m));
    for (const char *zero : {"luecke6", "luecke10", "luecke11", "luecke12"})
        QCOMPARE(gap.expectedDigit(zero), QString("0"));
}

void OneRowProblemTest::gapCompletion()
{
    OneRowGap gap(OneRowMode::LE);
    gap.show(oneRowNumbers(4321, 7), 1); // 30247: blanks thousands 4, ones 7, hundreds 2
    QCOMPARE(gap.drop("luecke1", QChar('4')), CaptionExercise::Verdict::Right);
    QCOMPARE(gap.drop("luecke13", QChar('7')), CaptionExercise::Verdict::Right);
    QVERIFY(!gap.isSolved());
    QCOMPARE(gap.drop("luecke15", QChar('1')), CaptionExercise::Verdict::Wrong);
    gap.clearField("luecke15");
    QVERIFY(!gap.isSolved());
    QCOMPARE(gap.drop("luecke15", QChar('2')), CaptionExercise::Verdict::Right);
    QVERIFY(gap.isSolved());
}

void OneRowProblemTest::gapWithTwoSolutionsIsDealtAgain()
{
    // 8111 * 5 with the ones digit, tens and thousands of the product blank:
    // 8110, 8111, 8113, ... all fit. Such a problem is not dealt.
    QVERIFY(OneRowGap::solutionCount(oneRowNumbers(8111, 5), 4) > 1);
    QCOMPARE(OneRowGap::solutionCount(oneRowNumbers(4321, 7), 1), 1);

    ScriptedRandom random;
    for (auto [value, n, k] : {std::tuple{8, 9, 1}, {1, 10, 0}, {1, 10, 0}, {1, 9, 1}, {5, 8, 2},
                               {4, 4, 1}, // pattern 4: two solutions, dealt again
                               {4, 9, 1}, {3, 10, 0}, {2, 10, 0}, {1, 9, 1}, {7, 8, 2}, {1, 4, 1}})
        random.pushInt(value, n, k);
    OneRowGap gap;
    gap.deal(random);
    QCOMPARE(random.remaining(), 0);
    QCOMPARE(gap.numbers().multiplicand(), 4321);
    QCOMPARE(gap.pattern(), 1);
}

void OneRowProblemTest::dealtGapsHaveOneSolution()
{
    ScriptedRandom random; // fixed-seed fallback
    OneRowGap gap;
    for (int i = 0; i < 2000; ++i) {
        gap.deal(random);
        QCOMPARE(OneRowGap::solutionCount(gap.numbers(), gap.pattern()), 1);
    }
}

void OneRowProblemTest::scoreRewards()
{
    ScoreBoard score;
    for (int i = 1; i < 50; ++i)
        QVERIFY(!score.AwardPoint());
    QVERIFY(score.AwardPoint());
    QVERIFY(!score.AwardPoint());
    for (int i = 1; i < 18; ++i)
        QVERIFY(!score.AdvanceProgressMarker());
    QVERIFY(score.AdvanceProgressMarker());
    QCOMPARE(score.markerTop(), 360);
    score.resetMarker();
    QCOMPARE(score.markerTop(), 4680);
    QCOMPARE(score.points(), 51);
}

QTEST_GUILESS_MAIN(OneRowProblemTest)
#include "tst_one_row_problem.moc"
