// The model of written multiplication: its cells, carries and displays, and the answer
// keys and sheet lines derived from it, checked against the worksheets.
#include "arithmetic/written_multiplication.h"
#include "arithmetic/written_views.h"
#include "scripted_random.h"
#include "worksheets/worksheet.h"
#include "written_fixture.h"

#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(Cell)
Q_DECLARE_METATYPE(SheetKind)
Q_DECLARE_METATYPE(WrittenDisplay)

namespace {

WrittenMultiplication problem(const QString &text)
{
    return *parseProblem(text);
}

// "ProductDigit in 3: Multiplicand 0 @ 3 · Multiplier 0 @ 0 + Carry 1 @ 3 = 35 -> 5"
QString describe(const Computation &step)
{
    static const char *const rules[] = {"Given",    "Zero",     "ProductDigit",
                                        "ProductCarry", "SumDigit", "SumCarry"};
    QString text = QStringLiteral("%1 in %2:").arg(QLatin1String(rules[int(step.rule)])).arg(step.column);
    if (step.multiplicandDigit)
        text += QLatin1Char(' ') + cellText(*step.multiplicandDigit) + QStringLiteral(" · ")
                + cellText(*step.multiplierDigit);
    QStringList addends;
    for (const Cell &cell : step.addends)
        addends << cellText(cell);
    if (!addends.isEmpty())
        text += QLatin1Char(' ') + addends.join(QStringLiteral(" + "));
    if (step.carryIn)
        text += QStringLiteral(" + ") + cellText(*step.carryIn);
    return text + QStringLiteral(" = %1 -> %2").arg(step.value).arg(step.digit);
}

} // namespace

class TestWrittenMultiplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fixtures_data();
    void fixtures();
    void computation_data();
    void computation();
    void containsWhatItLists();
    void worksheetsAgree_data();
    void worksheetsAgree();
    void rightAlignedNumbers();
};

void TestWrittenMultiplication::fixtures_data()
{
    QTest::addColumn<QStringList>("fixture");

    QTest::newRow("one digit") << QStringList{
        "4728 · 3",
        "carry    _202_",
        "row      14184",
    };
    QTest::newRow("tens number: shifted one place, ending in its zero") << QStringList{
        "4728 · 30",
        "carry    _202__",
        "row      141840",
    };
    QTest::newRow("hundreds number, every column carries") << QStringList{
        "9999 · 900",
        "carry    _888___",
        "row      8999100",
    };
    QTest::newRow("two digits, flush") << QStringList{
        "5123 · 47",
        "carry    _001__",
        "carry    __012_",
        "row      204920",
        "row      _35861",
        "sumcarry 01100_",
        "sum      240781",
    };
    QTest::newRow("two digits, staircase") << QStringList{
        "5123 · 47",
        "carry    _001__",
        "carry    __012_",
        "row      20492_",
        "row      _35861",
        "sumcarry 01100_",
        "sum      240781",
    };
    QTest::newRow("sum one place wider than the partial products") << QStringList{
        "1111 · 99",
        "carry    _000__",
        "carry    __000_",
        "row      _99990",
        "row      __9999",
        "sumcarry 11110_",
        "sum      109989",
    };
    QTest::newRow("three digits, flush") << QStringList{
        "5012 · 793",
        "carry    _001___",
        "carry    __011__",
        "carry    ___000_",
        "row      3508400",
        "row      _451080",
        "row      __15036",
        "sumcarry 001010_",
        "sum      3974516",
    };
    QTest::newRow("three digits, staircase") << QStringList{
        "5012 · 793",
        "carry    _001___",
        "carry    __011__",
        "carry    ___000_",
        "row      35084__",
        "row      _45108_",
        "row      __15036",
        "sumcarry 001010_",
        "sum      3974516",
    };
}

void TestWrittenMultiplication::fixtures()
{
    QFETCH(QStringList, fixture);
    const std::optional<WrittenFixture> parsed = parseFixture(fixture);
    QVERIFY(parsed);
    QCOMPARE(renderFixture(parsed->written, parsed->display), fixture);
}

void TestWrittenMultiplication::computation_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QString>("step");

    QTest::newRow("first column: no carry comes in")
        << "5123 · 47" << Cell{Part::PartialProduct, 1, 0}
        << "ProductDigit in 0: Multiplicand 0 @ 0 · Multiplier 0 @ 0 = 21 -> 1";
    QTest::newRow("carry into the tens column")
        << "5123 · 47" << Cell{Part::Carry, 1, 1}
        << "ProductCarry in 0: Multiplicand 0 @ 0 · Multiplier 0 @ 0 = 21 -> 2";
    QTest::newRow("a digit with the carry of the column before")
        << "5123 · 47" << Cell{Part::PartialProduct, 1, 1}
        << "ProductDigit in 1: Multiplicand 0 @ 1 · Multiplier 0 @ 0 + Carry 1 @ 1 = 16 -> 6";
    QTest::newRow("shifted row: its first column is the tens column")
        << "5123 · 47" << Cell{Part::PartialProduct, 0, 2}
        << "ProductDigit in 2: Multiplicand 0 @ 1 · Multiplier 0 @ 1 + Carry 0 @ 2 = 9 -> 9";
    QTest::newRow("leading digit: what the last column carries out")
        << "5123 · 47" << Cell{Part::PartialProduct, 1, 4}
        << "ProductCarry in 3: Multiplicand 0 @ 3 · Multiplier 0 @ 0 + Carry 1 @ 3 = 35 -> 3";
    QTest::newRow("hundreds number: the digit sits above its two zeros")
        << "9999 · 900" << Cell{Part::PartialProduct, 0, 3}
        << "ProductDigit in 3: Multiplicand 0 @ 1 · Multiplier 0 @ 2 + Carry 0 @ 3 = 89 -> 9";
    QTest::newRow("zero of a partial product")
        << "5123 · 47" << Cell{Part::Zero, 0, 0} << "Zero in 0: = 0 -> 0";
    QTest::newRow("sum: a zero and a digit, no carry")
        << "5123 · 47" << Cell{Part::Sum, 0, 0}
        << "SumDigit in 0: Zero 0 @ 0 + PartialProduct 1 @ 0 = 1 -> 1";
    QTest::newRow("sum with a carry")
        << "5123 · 47" << Cell{Part::Sum, 0, 3}
        << "SumDigit in 3: PartialProduct 0 @ 3 + PartialProduct 1 @ 3 + SumCarry 0 @ 3 = 10 -> 0";
    QTest::newRow("sum carry of three rows")
        << "5012 · 793" << Cell{Part::SumCarry, 0, 4}
        << "SumCarry in 3: PartialProduct 0 @ 3 + PartialProduct 1 @ 3 + PartialProduct 2 @ 3"
           " + SumCarry 0 @ 3 = 14 -> 1";
    QTest::newRow("leading sum digit: only the carry")
        << "1111 · 99" << Cell{Part::Sum, 0, 5} << "SumDigit in 5: + SumCarry 0 @ 5 = 1 -> 1";
    QTest::newRow("operand") << "5123 · 47" << Cell{Part::Multiplier, 0, 1} << "Given in 1: = 4 -> 4";
}

void TestWrittenMultiplication::computation()
{
    QFETCH(QString, problem);
    QFETCH(Cell, cell);
    QFETCH(QString, step);
    const WrittenMultiplication w = ::problem(problem);
    QVERIFY(w.contains(cell));
    QCOMPARE(describe(w.computation(cell)), step);
}

// Whether a cell belongs to the multiplication, asked at every step, agrees with the list of
// its cells, around every edge.
void TestWrittenMultiplication::containsWhatItLists()
{
    for (const char *text : {"4728 · 3", "4728 · 30", "4728 · 300", "5123 · 47", "5012 · 793", "1111 · 99"}) {
        const WrittenMultiplication w = ::problem(QString::fromUtf8(text));
        const QList<Cell> cells = w.cells();
        for (Part part : {Part::Multiplicand, Part::Multiplier, Part::Carry, Part::PartialProduct, Part::SumCarry,
                          Part::Sum, Part::Zero}) {
            for (int row = -1; row <= w.rowCount(); ++row) {
                for (int place = -1; place <= w.width() + 1; ++place) {
                    const Cell cell{part, row, place};
                    QVERIFY2(w.contains(cell) == cells.contains(cell),
                             qPrintable(QString::fromUtf8(text) + QStringLiteral(": ") + cellText(cell)));
                }
            }
        }
    }
}

void TestWrittenMultiplication::worksheetsAgree_data()
{
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<WrittenDisplay>("display");
    QTest::newRow("one-row") << SheetKind::OneRow << WrittenDisplay::Flush;
    QTest::newRow("two-row flush") << SheetKind::TwoRow << WrittenDisplay::Flush;
    QTest::newRow("two-row staircase") << SheetKind::TwoRow << WrittenDisplay::Staircase;
    QTest::newRow("three-row flush") << SheetKind::ThreeRow << WrittenDisplay::Flush;
    QTest::newRow("three-row staircase") << SheetKind::ThreeRow << WrittenDisplay::Staircase;
}

// Every number under every problem of many sheets: a problem cell "n*m" starts where its
// numbers start, and its rule "-----" is as wide as they are.
void TestWrittenMultiplication::worksheetsAgree()
{
    QFETCH(SheetKind, kind);
    QFETCH(WrittenDisplay, display);
    static const QRegularExpression problemCell(QStringLiteral("(\\d+)\\*(\\d+)"));
    ScriptedRandom random;
    random.seed(5);
    int problems = 0;
    for (int s = 0; s < 20; ++s) {
        const QStringList sheet = buildSheet(kind, random,
                                             display == WrittenDisplay::Flush ? WrittenDisplay::Flush
                                                                       : WrittenDisplay::Staircase);
        for (int i = 0; i < sheet.size(); ++i) {
            auto match = problemCell.globalMatch(sheet.at(i));
            if (!match.hasNext())
                continue;
            // The answer lines of the group: up to the next blank line, rules skipped.
            QStringList answers;
            for (int j = i + 1; j < sheet.size() && !sheet.at(j).trimmed().isEmpty(); ++j) {
                if (!sheet.at(j).contains(QLatin1Char('-')))
                    answers << sheet.at(j);
            }
            const QString rules = sheet.value(i + 1);
            while (match.hasNext()) {
                const QRegularExpressionMatch cell = match.next();
                const int from = int(cell.capturedStart());
                int width = 0;
                while (from + width < rules.size() && rules.at(from + width) == QLatin1Char('-'))
                    ++width;
                const WrittenMultiplication w =
                    problem(cell.captured(1) + QStringLiteral(" · ") + cell.captured(2));
                QStringList written;
                for (const QString &line : answers)
                    written << line.mid(from, width);
                QCOMPARE(written, sheetAnswers(w, width, display));
                ++problems;
            }
        }
    }
    QVERIFY(problems > 100);
}

// The number text of the answer keys and sheets.
void TestWrittenMultiplication::rightAlignedNumbers()
{
    QCOMPARE(rightAligned(0, 5), QStringLiteral("    0"));
    QCOMPARE(rightAligned(89991, 5), QStringLiteral("89991"));
    QCOMPARE(rightAligned(691200), QStringLiteral(" 691200"));
    QCOMPARE(rightAligned(2468100), QStringLiteral("2468100"));
    QCOMPARE(rightAligned(7), QStringLiteral("      7"));
    QCOMPARE(rightAligned(123456789), QStringLiteral("3456789")); // longer keeps the right end
}

QTEST_APPLESS_MAIN(TestWrittenMultiplication)
#include "tst_written_multiplication.moc"
