#include "scripted_random.h"
#include "worksheets/grid_layout.h"
#include "worksheets/sheet_code.h"

#include <QTest>

Q_DECLARE_METATYPE(SheetKind)
Q_DECLARE_METATYPE(WrittenDisplay)

// The squared-paper layout as text fixtures, and the sheet code that names a sheet.
class TestSquaredSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void problemOnTheGrid_data();
    void problemOnTheGrid();
    void firstProblemsOfAFixedCode_data();
    void firstProblemsOfAFixedCode();
    void pagesKeepProblemsWhole_data();
    void pagesKeepProblemsWhole();
    void codeRoundTrip_data();
    void codeRoundTrip();
    void refusedCodes_data();
    void refusedCodes();
    void codesOfNoSheet();
    void everyMistypedCodeIsRefused();
    void generatorIsFixed();
};

void TestSquaredSheet::problemOnTheGrid_data()
{
    QTest::addColumn<qint64>("multiplicand");
    QTest::addColumn<qint64>("multiplier");
    QTest::addColumn<bool>("partialProducts");
    QTest::addColumn<WrittenDisplay>("display");
    QTest::addColumn<QString>("problems");
    QTest::addColumn<QString>("solutions");

    // Carries stand above the digit they are added to; none is written where it is 0 or
    // where it only becomes the leading digits of the product.
    QTest::newRow("437·6") << qint64(437) << qint64(6) << false << WrittenDisplay::Flush
                           << "  437·6\n\n  -----\n"
                           << "  437·6\nc   24\n  -----\n   2622";
    QTest::newRow("999·900") << qint64(999) << qint64(900) << false << WrittenDisplay::Flush
                             << "  999·900\n\n  -------\n"
                             << "  999·900\nc   88\n  -------\n   899100";
    QTest::newRow("101·30, no carry") << qint64(101) << qint64(30) << false << WrittenDisplay::Flush
                                      << "  101·30\n\n  ------\n"
                                      << "  101·30\n\n  ------\n    3030";
    QTest::newRow("times 0") << qint64(437) << qint64(0) << false << WrittenDisplay::Flush
                             << "  437·0\n\n  -----\n" << "  437·0\n\n  -----\n      0";
    QTest::newRow("flush") << qint64(4372) << qint64(46) << true << WrittenDisplay::Flush
                           << "  4372·46\n  -------\n\n\n\n  -------\n"
                           << "  4372·46\n  -------\n   174880\n    26232\nc  1111\n  -------\n   201112";
    QTest::newRow("staircase") << qint64(4372) << qint64(46) << true << WrittenDisplay::Staircase
                               << "  4372·46\n  -------\n\n\n\n  -------\n"
                               << "  4372·46\n  -------\n   17488\n    26232\nc  1111\n  -------\n   201112";
    QTest::newRow("three rows, staircase") << qint64(999) << qint64(999) << true << WrittenDisplay::Staircase
                                           << "  999·999\n  -------\n\n\n\n\n  -------\n"
                                           << "  999·999\n  -------\n   8991\n    8991\n     8991\nc  1221\n  -------\n   998001";
}

void TestSquaredSheet::problemOnTheGrid()
{
    QFETCH(qint64, multiplicand);
    QFETCH(qint64, multiplier);
    QFETCH(bool, partialProducts);
    QFETCH(WrittenDisplay, display);
    QFETCH(QString, problems);
    QFETCH(QString, solutions);

    const GridProblem grid = layOutProblem(writtenOf({multiplicand, multiplier, 0}, partialProducts), display);
    QCOMPARE(gridText(grid, false), problems);
    QCOMPARE(gridText(grid, true), solutions);
    for (const GridMark &mark : grid.marks) {
        QVERIFY(mark.row >= 0 && mark.row < grid.rows);
        QVERIFY(mark.column >= 0 && mark.column + mark.span <= grid.columns);
    }
}

void TestSquaredSheet::firstProblemsOfAFixedCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<WrittenDisplay>("display");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    QTest::newRow("one-row") << "2226M9F" << SheetKind::OneRow << WrittenDisplay::Flush
                             << "  570·4\nc   2\n  -----\n   2280"
                             << "  722·200\n\n  -------\n   144400";
    QTest::newRow("two-row, flush")
        << "6223ZC4" << SheetKind::TwoRow << WrittenDisplay::Flush
        << "  872·57\n  ------\n   43600\n    6104\n\n  ------\n   49704"
        << "  3553·79\n  -------\n   248710\n    31977\nc   11\n  -------\n   280687";
    QTest::newRow("two-row, staircase")
        << "a223-zcp" << SheetKind::TwoRow << WrittenDisplay::Staircase
        << "  872·57\n  ------\n   4360\n    6104\n\n  ------\n   49704"
        << "  3553·79\n  -------\n   24871\n    31977\nc   11\n  -------\n   280687";
    QTest::newRow("three-row, flush")
        << "E222SBC" << SheetKind::ThreeRow << WrittenDisplay::Flush
        << "  528·745\n  -------\n   369600\n    21120\n     2640\nc   11\n  -------\n   393360"
        << "  240·835\n  -------\n   192000\n     7200\n     1200\nc  11\n  -------\n   200400";
    QTest::newRow("three-row, staircase")
        << "J222SBE" << SheetKind::ThreeRow << WrittenDisplay::Staircase
        << "  528·745\n  -------\n   3696\n    2112\n     2640\nc   11\n  -------\n   393360"
        << "  240·835\n  -------\n   1920\n     720\n     1200\nc  11\n  -------\n   200400";
}

// The same code gives the same problems on the same squares, on every machine.
void TestSquaredSheet::firstProblemsOfAFixedCode()
{
    QFETCH(QString, code);
    QFETCH(SheetKind, kind);
    QFETCH(WrittenDisplay, display);
    QFETCH(QString, first);
    QFETCH(QString, last);

    const std::optional<SheetCode> read = SheetCode::read(code);
    QVERIFY(read);
    QCOMPARE(read->kind, kind);
    QCOMPARE(read->display, display);
    const QList<SheetProblem> problems = sheetProblems(*read);
    const auto grid = [&](const SheetProblem &p) {
        return gridText(layOutProblem(writtenOf(p, writesPartialProducts(kind)), display),
                        true);
    };
    QCOMPARE(grid(problems.first()), first);
    QCOMPARE(grid(problems.last()), last);
}

void TestSquaredSheet::pagesKeepProblemsWhole_data()
{
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<int>("problems");
    QTest::addColumn<int>("pages");

    // An A4 page holds 36 × 44 squares of writing area.
    QTest::newRow("one-row") << SheetKind::OneRow << 40 << 2;
    QTest::newRow("two-row") << SheetKind::TwoRow << 26 << 2;
    QTest::newRow("three-row") << SheetKind::ThreeRow << 16 << 2;
}

void TestSquaredSheet::pagesKeepProblemsWhole()
{
    QFETCH(SheetKind, kind);
    QFETCH(int, problems);
    QFETCH(int, pages);

    const SheetCode code{kind, WrittenDisplay::Flush, 4711};
    const QList<GridPage> laidOut = layOutPages(kind, sheetProblems(code), code.display, 36, 44);
    QCOMPARE(laidOut.size(), pages);
    int number = 0;
    for (const GridPage &page : laidOut) {
        for (const PlacedProblem &placed : page) {
            QCOMPARE(placed.number, ++number);
            QVERIFY(placed.column >= numberColumns);
            QVERIFY(placed.column + placed.grid.columns <= 36);
            QVERIFY(placed.row + placed.grid.rows <= 44);
            // No two problems share a square, nor the squares of a number.
            for (const PlacedProblem &other : page) {
                if (other.number == placed.number)
                    continue;
                const QRect a(placed.column - numberColumns, placed.row,
                              placed.grid.columns + numberColumns, placed.grid.rows);
                const QRect b(other.column - numberColumns, other.row,
                              other.grid.columns + numberColumns, other.grid.rows);
                QVERIFY2(!a.intersects(b), qPrintable(QString::number(placed.number)));
            }
        }
    }
    QCOMPARE(number, problems);
    // Too small a page still takes every problem, one per page.
    QCOMPARE(layOutPages(kind, sheetProblems(code), code.display, 10, 3).size(), problems);
}

void TestSquaredSheet::codeRoundTrip_data()
{
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<WrittenDisplay>("display");
    QTest::addColumn<int>("seed");

    QTest::newRow("one-row") << SheetKind::OneRow << WrittenDisplay::Flush << 0;
    QTest::newRow("two-row, flush") << SheetKind::TwoRow << WrittenDisplay::Flush << 123456;
    QTest::newRow("two-row, staircase") << SheetKind::TwoRow << WrittenDisplay::Staircase << 99;
    QTest::newRow("three-row, flush") << SheetKind::ThreeRow << WrittenDisplay::Flush << int(SheetCode::seedCount - 1);
    QTest::newRow("three-row, staircase") << SheetKind::ThreeRow << WrittenDisplay::Staircase << 4711;
}

void TestSquaredSheet::codeRoundTrip()
{
    QFETCH(SheetKind, kind);
    QFETCH(WrittenDisplay, display);
    QFETCH(int, seed);

    const SheetCode code{kind, display, quint32(seed)};
    const QString text = code.text();
    QCOMPARE(text.size(), SheetCode::length);
    for (const QChar c : text)
        QVERIFY2(!QStringLiteral("0O1Il").contains(c), qPrintable(text));
    QCOMPARE(SheetCode::read(text), code);
    QCOMPARE(SheetCode::read(text.toLower()), code);
    QCOMPARE(SheetCode::read(QStringLiteral(" ") + text.left(4) + QStringLiteral("-") + text.mid(4)), code);
    QCOMPARE(sheetText(*SheetCode::read(text)), sheetText(code));

    // "Blatt" takes its seed from one draw of the program's random source.
    ScriptedRandom random;
    random.pushInt(seed, int(SheetCode::seedCount));
    QCOMPARE(freshSheetCode(kind, display, random), code);
    QCOMPARE(random.remaining(), 0);
}

void TestSquaredSheet::refusedCodes_data()
{
    QTest::addColumn<QString>("typed");

    const QString good = SheetCode{SheetKind::TwoRow, WrittenDisplay::Flush, 123456}.text();
    QTest::newRow("empty") << "";
    QTest::newRow("too short") << good.left(6);
    QTest::newRow("too long") << good + good.at(0);
    QTest::newRow("O for 0") << good.left(3) + "O" + good.mid(4);
    QTest::newRow("1 for I") << good.left(2) + "1" + good.mid(3);
    QTest::newRow("umlaut") << good.left(6) + QStringLiteral("Ä");
}

// Codes of the right form and check that name no sheet of this program.
void TestSquaredSheet::codesOfNoSheet()
{
    for (const QChar check : QStringLiteral("23456789ABCDEFGHJKLMNPQRSTUVWXYZ"))
        QVERIFY(!SheetCode::read(QStringLiteral("ZZZZZZ") + check));
}

void TestSquaredSheet::refusedCodes()
{
    QFETCH(QString, typed);
    QVERIFY(!SheetCode::read(typed));
}

// Codes of every kind of sheet, seeds spread over their range: each one with any single
// character changed to any other, and with any two different characters swapped, near or
// far apart, is refused rather than read as another sheet.
void TestSquaredSheet::everyMistypedCodeIsRefused()
{
    const QString alphabet = QStringLiteral("23456789ABCDEFGHJKLMNPQRSTUVWXYZ");
    const std::pair<SheetKind, WrittenDisplay> sheets[] = {
        {SheetKind::OneRow, WrittenDisplay::Flush},     {SheetKind::TwoRow, WrittenDisplay::Flush},
        {SheetKind::TwoRow, WrittenDisplay::Staircase}, {SheetKind::ThreeRow, WrittenDisplay::Flush},
        {SheetKind::ThreeRow, WrittenDisplay::Staircase},
    };
    int codes = 0;
    for (const auto &[kind, display] : sheets) {
        for (quint32 i = 0; i < 400; ++i) {
            const quint32 seed = i == 0 ? SheetCode::seedCount - 1
                                        : (i * 2654435761u) % SheetCode::seedCount;
            const QString good = SheetCode{kind, display, seed}.text();
            QCOMPARE(SheetCode::read(good), (SheetCode{kind, display, seed}));
            ++codes;
            for (int at = 0; at < good.size(); ++at) {
                for (const QChar c : alphabet) {
                    if (c == good.at(at))
                        continue;
                    QString typed = good;
                    typed[at] = c;
                    QVERIFY2(!SheetCode::read(typed), qPrintable(good + " as " + typed));
                }
                for (int other = at + 1; other < good.size(); ++other) {
                    if (good.at(at) == good.at(other))
                        continue;
                    QString typed = good;
                    std::swap(typed[at], typed[other]);
                    QVERIFY2(!SheetCode::read(typed), qPrintable(good + " as " + typed));
                }
            }
        }
    }
    QCOMPARE(codes, 2000);
}

// The draws of a seed are written down here: a change of the generator would give old
// codes new sheets.
void TestSquaredSheet::generatorIsFixed()
{
    SeededRandom random(4711);
    QList<qint64> draws;
    for (int i = 0; i < 3; ++i)
        draws.append(qint64(random.uniform() * double(1ll << 53)));
    QCOMPARE(draws, (QList<qint64>{4706966631235293, 2750594114003156, 6675361301087519}));
}

QTEST_GUILESS_MAIN(TestSquaredSheet)
#include "tst_squared_sheet.moc"
