// Naming the pattern behind a wrong digit, and the hints that show the step.
#include "arithmetic/written_multiplication.h"
#include "schoolbook.h"
#include "training/diagnosis.h"
#include "training/exercise.h"
#include "written_fixture.h"

#include <QTest>

#include <random>

Q_DECLARE_METATYPE(Cell)

namespace {

// "5123 · 47", or "5123 · 47 Treppe" for the staircase display.
WrittenMultiplication problem(const QString &text)
{
    return *parseProblem(QString(text).remove(QStringLiteral(" Treppe")));
}

WrittenDisplay displayOf(const QString &text)
{
    return text.endsWith(QLatin1String(" Treppe")) ? WrittenDisplay::Staircase : WrittenDisplay::Flush;
}

// The problem with every digit standing on its field but the `empty` ones: what the pupil
// sees when a wrong digit on the last of them has just been refused.
Exercise standing(const WrittenMultiplication &w, WrittenDisplay display, const QList<Cell> &empty = {})
{
    return Exercise::gap(w, w.cells(), empty, display);
}

Exercise standing(const QString &text, const QList<Cell> &empty = {})
{
    return standing(problem(text), displayOf(text), empty);
}

QString kindText(const std::optional<ErrorKind> &kind)
{
    return kind ? errorKindName(*kind) : QStringLiteral("none");
}

QStringList cellTexts(const QList<Cell> &cells)
{
    QStringList texts;
    for (const Cell &cell : cells)
        texts << cellText(cell);
    return texts;
}

Cell pp(int row, int place) { return {Part::PartialProduct, row, place}; }
Cell carry(int row, int place) { return {Part::Carry, row, place}; }
Cell zero(int row, int place) { return {Part::Zero, row, place}; }
Cell sum(int place) { return {Part::Sum, 0, place}; }

} // namespace

class TestDiagnosis : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void definitions_data();
    void definitions();
    void randomProblems_data();
    void randomProblems();
    void hints_data();
    void hints();
};

void TestDiagnosis::definitions_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<int>("digit");
    QTest::addColumn<QString>("kind");

    // 4728 · 3 = 14184. Tens column: x = 2, m = 3, c = 2, s = 8.
    QTest::newRow("x·m without the carry") << "4728 · 3" << pp(0, 1) << 6 << "Übertrag vergessen";
    QTest::newRow("carry added before multiplying: (2 + 2)·3")
        << "4728 · 3" << pp(0, 1) << 2 << "Übertrag zu früh addiert";
    QTest::newRow("times table: 3·3 + 2") << "4728 · 3" << pp(0, 1) << 1 << "Einmaleins";
    QTest::newRow("times table: 1·3 + 2") << "4728 · 3" << pp(0, 1) << 5 << "Einmaleins";
    QTest::newRow("the ones digit of the row") << "4728 · 3" << pp(0, 1) << 4 << "Stelle verrutscht";
    QTest::newRow("fits nothing") << "4728 · 3" << pp(0, 1) << 7 << "none";
    QTest::newRow("the right digit") << "4728 · 3" << pp(0, 1) << 8 << "none";
    // Ones column: s = 24 and no carry comes in.
    QTest::newRow("tens of 8·3 written") << "4728 · 3" << pp(0, 0) << 2 << "Zehner statt Einer";
    // 8 · 2 = 16: no carry came in, so nothing was forgotten; a neighbouring fact fits.
    QTest::newRow("no carry came in: not forgotten") << "4728 · 3" << pp(0, 0) << 6 << "Einmaleins";
    QTest::newRow("no carry came in: nothing fits") << "4728 · 3" << pp(0, 0) << 5 << "none";
    QTest::newRow("ones of 8·3 as the carry") << "4728 · 3" << carry(0, 1) << 4 << "Einer als Übertrag";
    // Thousands column: x = 4, c = 2, s = 14; the leading digit is its carry.
    QTest::newRow("4·3 without the carry 2") << "4728 · 3" << pp(0, 3) << 2 << "Übertrag vergessen";
    QTest::newRow("(4 + 2)·3") << "4728 · 3" << pp(0, 3) << 8 << "Übertrag zu früh addiert";
    QTest::newRow("tens first, before a shifted place")
        << "4728 · 3" << pp(0, 3) << 1 << "Zehner statt Einer";
    QTest::newRow("leading digit: ones of 14") << "4728 · 3" << pp(0, 4) << 4 << "Einer als Übertrag";
    QTest::newRow("leading digit: fits nothing") << "4728 · 3" << pp(0, 4) << 2 << "none";
    // 2596 · 7 = 18172: the hundreds column gives 5·7 + 6 = 41.
    QTest::newRow("carry of 5·7 without the 6") << "2596 · 7" << carry(0, 3) << 3 << "Übertrag vergessen";
    QTest::newRow("carry: ones of 41") << "2596 · 7" << carry(0, 3) << 1 << "Einer als Übertrag";
    QTest::newRow("carry of (5 + 6)·7") << "2596 · 7" << carry(0, 3) << 7 << "Übertrag zu früh addiert";
    QTest::newRow("carry: fits nothing") << "2596 · 7" << carry(0, 3) << 2 << "none";
    // Tens and hundreds numbers: the zeros.
    QTest::newRow("zero box: the digit belonging left of it")
        << "4728 · 30" << zero(0, 0) << 4 << "Null vergessen";
    QTest::newRow("zero box: another digit") << "4728 · 30" << zero(0, 0) << 8 << "none";
    QTest::newRow("first zero of a hundreds number") << "4728 · 300" << zero(0, 1) << 4 << "Null vergessen";
    // 4728 · 3 = 14184: who leaves out both zeros writes its 4 in the last zero's place.
    QTest::newRow("last zero: both zeros left out")
        << "4728 · 300" << zero(0, 0) << 4 << "Null vergessen";
    QTest::newRow("last zero: another digit") << "4728 · 300" << zero(0, 0) << 8 << "none";
    QTest::newRow("shifted column of a hundreds number")
        << "4728 · 300" << pp(0, 2) << 2 << "Zehner statt Einer";

    // 5123 · 47: 204920 + 35861 = 240781. Row 1, tens column: 2·7 + 2 = 16.
    QTest::newRow("two rows: 2·7 without the carry") << "5123 · 47" << pp(1, 1) << 4 << "Übertrag vergessen";
    QTest::newRow("two rows: too early beats shifted")
        << "5123 · 47" << pp(1, 1) << 8 << "Übertrag zu früh addiert";
    QTest::newRow("two rows: tens beats shifted") << "5123 · 47" << pp(1, 1) << 1 << "Zehner statt Einer";
    QTest::newRow("two rows: 1·7 + 2") << "5123 · 47" << pp(1, 1) << 9 << "Einmaleins";
    // Row 0 is shifted: hundreds column 2·4 + 1 = 9.
    QTest::newRow("two rows, shifted row: 2·4") << "5123 · 47" << pp(0, 2) << 8 << "Übertrag vergessen";
    QTest::newRow("two rows, shifted row: (2 + 1)·4")
        << "5123 · 47" << pp(0, 2) << 2 << "Übertrag zu früh addiert";
    QTest::newRow("two rows, shifted row: neighbour") << "5123 · 47" << pp(0, 2) << 4 << "Stelle verrutscht";
    QTest::newRow("trailing zero of the first row") << "5123 · 47" << zero(0, 0) << 2 << "Null vergessen";
    QTest::newRow("sum: 4 + 5 without the carry 1")
        << "5123 · 47" << sum(3) << 9 << "Übertrag beim Addieren vergessen";
    QTest::newRow("sum: neighbour") << "5123 · 47" << sum(3) << 7 << "Stelle verrutscht";
    QTest::newRow("sum: no carry came in") << "5123 · 47" << sum(2) << 1 << "none";
    QTest::newRow("sum: 0 + 3 without the carry 1")
        << "5123 · 47" << sum(4) << 3 << "Übertrag beim Addieren vergessen";
    QTest::newRow("carry of an addition: no pattern") << "5123 · 47" << Cell{Part::SumCarry, 0, 3} << 0
                                                      << "none";
    // 5984 · 224: 1196800 + 119680 + 23936 = 1340416. Hundreds 23 + 1 = 24, thousands
    // 18 + 2 = 20.
    QTest::newRow("carry of an addition: ones of 24")
        << "5984 · 224" << Cell{Part::SumCarry, 0, 3} << 4 << "Einer als Übertrag";
    QTest::newRow("carry of an addition: tens of 18 without the 2")
        << "5984 · 224" << Cell{Part::SumCarry, 0, 4} << 1 << "Übertrag beim Addieren vergessen";

    // 5012 · 793: 3508400 + 451080 + 15036 = 3974516. Row 1 (· 9): hundreds 1·9 + 1 = 10,
    // thousands 0·9 + 1 = 1.
    QTest::newRow("three rows: 1·9") << "5012 · 793" << pp(1, 2) << 9 << "Übertrag vergessen";
    QTest::newRow("three rows: (1 + 1)·9") << "5012 · 793" << pp(1, 2) << 8 << "Übertrag zu früh addiert";
    QTest::newRow("three rows: tens of 10") << "5012 · 793" << pp(1, 2) << 1 << "Zehner statt Einer";
    QTest::newRow("three rows: 0·9 without the carry") << "5012 · 793" << pp(1, 3) << 0
                                                       << "Übertrag vergessen";
    QTest::newRow("three rows: (0 + 1)·9") << "5012 · 793" << pp(1, 3) << 9 << "Übertrag zu früh addiert";
    QTest::newRow("three rows: no times-table row below 0·9")
        << "5012 · 793" << pp(1, 3) << 2 << "none";
    QTest::newRow("three rows: zero beside the digits") << "5012 · 793" << zero(0, 1) << 4 << "Null vergessen";
    QTest::newRow("three rows: ones of 2·3 as a carry")
        << "5012 · 793" << carry(2, 1) << 6 << "Einer als Übertrag";
    QTest::newRow("three rows: leading digit, ones of 35")
        << "5012 · 793" << pp(0, 6) << 5 << "Einer als Übertrag";
    QTest::newRow("three rows: sum 0 + 5 + 1 without the carry 1")
        << "5012 · 793" << sum(4) << 6 << "Übertrag beim Addieren vergessen";
    QTest::newRow("three rows: a shifted place comes first")
        << "5012 · 793" << sum(2) << 4 << "Stelle verrutscht";

    // 7943 · 67: row 0 is 476580, its last digit 8 = 3·6 + 0 → 18.
    QTest::newRow("flush: the zero beside the digit") << "7943 · 67" << pp(0, 1) << 0 << "Stelle verrutscht";
    QTest::newRow("staircase: no zero is written beside it")
        << "7943 · 67 Treppe" << pp(0, 1) << 0 << "none";
    // 5 is also 3 · 5, the neighbouring fact, which is tried first.
    QTest::newRow("staircase: the digit on its other side") << "7943 · 67 Treppe" << pp(0, 1) << 5
                                                            << "Einmaleins";
    QTest::newRow("staircase: no zero to forget") << "5123 · 47 Treppe" << zero(0, 0) << 2 << "none";
    // 5012 · 793: row 0 is 3508400, its last digit 4 = 2·7 → 14.
    QTest::newRow("three rows, staircase: the last digit of row 0")
        << "5012 · 793 Treppe" << pp(0, 2) << 0 << "none";
    QTest::newRow("three rows, flush: the last digit of row 0")
        << "5012 · 793" << pp(0, 2) << 0 << "Stelle verrutscht";
}

void TestDiagnosis::definitions()
{
    QFETCH(QString, problem);
    QFETCH(Cell, cell);
    QFETCH(int, digit);
    QFETCH(QString, kind);
    const Exercise ex = standing(problem);
    QVERIFY(ex.written().contains(cell));
    QCOMPARE(kindText(diagnose(ex, cell, digit)), kind);
}

void TestDiagnosis::randomProblems_data()
{
    QTest::addColumn<int>("digits");
    QTest::addColumn<int>("zeros");
    QTest::addColumn<bool>("staircase");
    QTest::newRow("one digit") << 1 << 0 << false;
    QTest::newRow("tens number") << 1 << 1 << false;
    QTest::newRow("hundreds number") << 1 << 2 << false;
    QTest::newRow("two digits") << 2 << 0 << false;
    QTest::newRow("two digits, staircase") << 2 << 0 << true;
    QTest::newRow("three digits") << 3 << 0 << false;
    QTest::newRow("three digits, staircase") << 3 << 0 << true;
}

// Every wrong digit on every answer cell of many problems: a kind is named exactly when a
// definition fits, and it is the first that fits.
void TestDiagnosis::randomProblems()
{
    QFETCH(int, digits);
    QFETCH(int, zeros);
    QFETCH(bool, staircase);
    const WrittenDisplay display = staircase ? WrittenDisplay::Staircase : WrittenDisplay::Flush;
    std::mt19937 generator(1400 + 10 * digits + zeros);
    std::uniform_int_distribution<int> multiplicands(1000, 9999), multiplierDigit(2, 9);
    int named = 0, unnamed = 0;
    for (int i = 0; i < 300; ++i) {
        const qint64 multiplicand = multiplicands(generator);
        QList<int> multiplier;
        for (int d = 0; d < digits; ++d)
            multiplier << multiplierDigit(generator);
        const WrittenMultiplication w(multiplicand, multiplier, zeros);
        const Exercise ex = standing(w, display);
        const Schoolbook book(multiplicand, multiplier, zeros);
        for (const Cell &cell : w.cells()) {
            if (cell.part == Part::Multiplicand || cell.part == Part::Multiplier)
                continue;
            for (int digit = 0; digit <= 9; ++digit) {
                if (digit == w.digit(cell)) {
                    QCOMPARE(kindText(diagnose(ex, cell, digit)), QStringLiteral("none"));
                    continue;
                }
                const Cell box{Part::Carry, cell.row, book.zerosOf(cell.row) + 1};
                const bool boxes = ex.isField(box) && ex.isShown(box);
                const QStringList fitting = fittingKinds(book, display, cell, digit, boxes);
                const QString expected = fitting.isEmpty() ? QStringLiteral("none") : fitting.first();
                if (kindText(diagnose(ex, cell, digit)) != expected)
                    QFAIL(qPrintable(QStringLiteral("%1 · %2, %3, digit %4: %5, expected %6")
                                         .arg(multiplicand).arg(w.multiplier()).arg(cellText(cell))
                                         .arg(digit).arg(kindText(diagnose(ex, cell, digit)), expected)));
                for (ErrorKind kind : errorKinds())
                    QCOMPARE(fitsErrorKind(kind, ex, cell, digit), fitting.contains(errorKindName(kind)));
                ++(fitting.isEmpty() ? unnamed : named);
            }
        }
    }
    // Both outcomes occur often.
    QVERIFY(named > 1000);
    QVERIFY(unnamed > 1000);
}

void TestDiagnosis::hints_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QString>("empty"); // other fields empty on screen
    QTest::addColumn<QString>("which"); // first (with the kind of `digit`), worked or gap
    QTest::addColumn<int>("digit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("cells");

    // 5643 · 7: the tens column is 4·7 + 2 = 30.
    QTest::newRow("step and the kind as a question")
        << "5643 · 7" << pp(0, 1) << "" << "first" << 8
        << "Zehnerspalte: Rechne 4 · 7 und zähle den Übertrag 2 dazu. Hast du den Übertrag vergessen?"
        << QStringList{"Multiplicand 0 @ 1", "Multiplier 0 @ 0", "Carry 0 @ 1"};
    QTest::newRow("step alone when no kind fits")
        << "5643 · 7" << pp(0, 1) << "" << "first" << 9
        << "Zehnerspalte: Rechne 4 · 7 und zähle den Übertrag 2 dazu."
        << QStringList{"Multiplicand 0 @ 1", "Multiplier 0 @ 0", "Carry 0 @ 1"};
    QTest::newRow("worked step") << "5643 · 7" << pp(0, 1) << "" << "worked" << 0
                                 << "4 · 7 = 28, 28 + 2 = 30: schreibe 0, merke 3."
                                 << QStringList{"Multiplicand 0 @ 1", "Multiplier 0 @ 0", "Carry 0 @ 1"};
    QTest::newRow("worked step of a carry box, first column")
        << "5643 · 7" << carry(0, 1) << "" << "worked" << 0 << "3 · 7 = 21: schreibe 1, merke 2."
        << QStringList{"Multiplicand 0 @ 0", "Multiplier 0 @ 0"};
    QTest::newRow("carry box") << "5643 · 7" << carry(0, 1) << "" << "first" << 1
                               << "Übertrag aus der Einerspalte: Rechne 3 · 7. Der Zehner ist der Übertrag, unter 10 ist er 0."
                                  " Hast du dir den Einer statt des Zehners gemerkt?"
                               << QStringList{"Multiplicand 0 @ 0", "Multiplier 0 @ 0"};
    // 5643 · 7 = 39501: the last column writes the whole 5·7 + 4 = 39.
    QTest::newRow("last column: the whole number is written")
        << "5643 · 7" << pp(0, 4) << "" << "worked" << 0 << "5 · 7 = 35, 35 + 4 = 39: schreibe 39."
        << QStringList{"Multiplicand 0 @ 3", "Multiplier 0 @ 0", "Carry 0 @ 3"};
    QTest::newRow("leading digit") << "5643 · 7" << pp(0, 4) << "" << "first" << 2
                                   << "Tausenderspalte: Rechne 5 · 7 und zähle den Übertrag 4 dazu."
                                      " Der Zehner kommt nach vorn."
                                   << QStringList{"Multiplicand 0 @ 3", "Multiplier 0 @ 0", "Carry 0 @ 3"};
    QTest::newRow("zero of a tens number")
        << "5643 · 70" << zero(0, 0) << "" << "first" << 1
        << "Einerspalte: Du rechnest mal 70, nicht mal 7. Hast du die Null vergessen?"
        << QStringList{"Multiplier 0 @ 1", "Multiplier 0 @ 0"};
    QTest::newRow("zero, worked") << "5123 · 47" << zero(0, 0) << "" << "worked" << 0
                                  << "Du rechnest mal 40: schreibe 0." << QStringList{"Multiplier 0 @ 1"};
    // 5123 · 47: 204920 + 35861 = 240781.
    QTest::newRow("sum column, the carry in its box")
        << "5123 · 47" << sum(3) << "" << "first" << 9
        << "Tausenderspalte: Addiere 4 + 5 und zähle den Übertrag 1 über dem Strich dazu."
           " Hast du beim Addieren den Übertrag vergessen?"
        << QStringList{"PartialProduct 0 @ 3", "PartialProduct 1 @ 3", "SumCarry 0 @ 3"};
    QTest::newRow("sum column, the carry kept in mind")
        << "5123 · 47" << sum(3) << "SumCarry 0 @ 3" << "first" << 9
        << "Tausenderspalte: Addiere 4 + 5 und zähle den Übertrag 1 dazu."
           " Hast du beim Addieren den Übertrag vergessen?"
        << QStringList{"PartialProduct 0 @ 3", "PartialProduct 1 @ 3"};
    QTest::newRow("sum, worked") << "5123 · 47" << sum(2) << "" << "worked" << 0
                                 << "Hunderterspalte: 9 + 8 = 17: schreibe 7, merke 1."
                                 << QStringList{"PartialProduct 0 @ 2", "PartialProduct 1 @ 2"};
    QTest::newRow("sum with a carry, worked") << "5123 · 47" << sum(3) << "" << "worked" << 0
                                              << "Tausenderspalte: 4 + 5 + 1 = 10: schreibe 0, merke 1."
                                              << QStringList{"PartialProduct 0 @ 3", "PartialProduct 1 @ 3",
                                                             "SumCarry 0 @ 3"};
    // 5081 · 89: 406480 + 45729 = 452209; the tens make 10.
    QTest::newRow("carry box of the addition, worked")
        << "5081 · 89" << Cell{Part::SumCarry, 0, 3} << "" << "worked" << 0
        << "Übertrag aus der Hunderterspalte: 4 + 7 + 1 = 12: schreibe 2, merke 1."
        << QStringList{"PartialProduct 0 @ 2", "PartialProduct 1 @ 2", "SumCarry 0 @ 2"};
    QTest::newRow("carry box of the addition") << "5081 · 89" << Cell{Part::SumCarry, 0, 3} << "" << "first" << 2
        << "Übertrag aus der Hunderterspalte: Addiere 4 + 7 und zähle den Übertrag 1 über dem Strich dazu. Der Zehner ist der"
           " Übertrag, unter 10 ist er 0. Hast du dir den Einer statt des Zehners gemerkt?"
        << QStringList{"PartialProduct 0 @ 2", "PartialProduct 1 @ 2", "SumCarry 0 @ 2"};
    // Flush, the zero of the first partial product stands over the ones column too; the
    // staircase writes none there.
    QTest::newRow("sum, flush: the written zero") << "5123 · 47" << sum(0) << "" << "first" << 0
                                                  << "Einerspalte: Addiere 0 + 1."
                                                  << QStringList{"Zero 0 @ 0", "PartialProduct 1 @ 0"};
    QTest::newRow("sum, flush: the written zero, worked") << "5123 · 47" << sum(0) << "" << "worked" << 0
                                                          << "Einerspalte: 0 + 1 = 1: schreibe 1."
                                                          << QStringList{"Zero 0 @ 0", "PartialProduct 1 @ 0"};
    QTest::newRow("sum, staircase: one digit") << "5123 · 47 Treppe" << sum(0) << "" << "first" << 0
                                               << "Einerspalte: Hier steht nur eine Ziffer darüber."
                                               << QStringList{"PartialProduct 1 @ 0"};
    QTest::newRow("sum, staircase: one digit, worked") << "5123 · 47 Treppe" << sum(0) << "" << "worked" << 0
                                                       << "Nur die 1: schreibe 1." << QStringList{"PartialProduct 1 @ 0"};
    // 5012 · 793: 3508400 + 451080 + 15036 = 3974516.
    QTest::newRow("three rows, flush: two zeros over the ones")
        << "5012 · 793" << sum(0) << "" << "first" << 0 << "Einerspalte: Addiere 0 + 0 + 6."
        << QStringList{"Zero 0 @ 0", "Zero 1 @ 0", "PartialProduct 2 @ 0"};
    QTest::newRow("three rows, flush: one zero over the tens")
        << "5012 · 793" << sum(1) << "" << "worked" << 0 << "Zehnerspalte: 0 + 8 + 3 = 11: schreibe 1, merke 1."
        << QStringList{"Zero 0 @ 1", "PartialProduct 1 @ 1", "PartialProduct 2 @ 1"};
    QTest::newRow("three rows, staircase: the tens")
        << "5012 · 793 Treppe" << sum(1) << "" << "worked" << 0 << "Zehnerspalte: 8 + 3 = 11: schreibe 1, merke 1."
        << QStringList{"PartialProduct 1 @ 1", "PartialProduct 2 @ 1"};
    QTest::newRow("last sum column") << "1111 · 99" << sum(5) << "" << "worked" << 0
                                     << "Nur der Übertrag 1: schreibe 1." << QStringList{"SumCarry 0 @ 5"};
    // Gap problems work backwards to the missing multiplicand digit: 5634 · 7 = 39438.
    QTest::newRow("gap: ones digit of the multiplicand")
        << "5634 · 7" << Cell{Part::Multiplicand, 0, 0} << "" << "gap" << 0
        << "Einerspalte: Welche Ziffer mal 7 endet auf 8?"
        << QStringList{"Multiplier 0 @ 0", "PartialProduct 0 @ 0"};
    QTest::newRow("gap: with the carry that comes in")
        << "5634 · 7" << Cell{Part::Multiplicand, 0, 1} << "" << "gap" << 0
        << "Zehnerspalte: Welche Ziffer mal 7 plus 2 endet auf 3?"
        << QStringList{"Multiplier 0 @ 0", "Carry 0 @ 1", "PartialProduct 0 @ 1"};
    QTest::newRow("gap: the last column gives the whole number")
        << "5634 · 70" << Cell{Part::Multiplicand, 0, 3} << "" << "gap" << 0
        << "Zehntausenderspalte: Welche Ziffer mal 7 plus 4 ergibt 39?"
        << QStringList{"Multiplier 0 @ 1", "Carry 0 @ 4", "PartialProduct 0 @ 4", "PartialProduct 0 @ 5"};
    QTest::newRow("gap in a result row: the step, no kind")
        << "5123 · 47" << pp(1, 1) << "" << "gap" << 0
        << "Zehnerspalte: Rechne 2 · 7 und zähle den Übertrag 2 dazu."
        << QStringList{"Multiplicand 0 @ 1", "Multiplier 0 @ 0", "Carry 1 @ 1"};
    QTest::newRow("gap, worked: the missing digit")
        << "5634 · 7" << Cell{Part::Multiplicand, 0, 1} << "" << "worked" << 0
        << "3 · 7 = 21, 21 + 2 = 23: die Ziffer ist 3."
        << QStringList{"Multiplicand 0 @ 1", "Multiplier 0 @ 0", "Carry 0 @ 1"};

    // A carry box whose column makes less than 10: 5635 · 2, tens column 3·2 + 1 = 7.
    QTest::newRow("carry box below ten") << "5635 · 2" << carry(0, 2) << "" << "first" << 7
        << "Übertrag aus der Zehnerspalte: Rechne 3 · 2 und zähle den Übertrag 1 dazu. Der Zehner ist der Übertrag,"
           " unter 10 ist er 0. Hast du dir den Einer statt des Zehners gemerkt?"
        << QStringList{"Multiplicand 0 @ 1", "Multiplier 0 @ 0", "Carry 0 @ 1"};
    QTest::newRow("carry box below ten, worked") << "5635 · 2" << carry(0, 2) << "" << "worked" << 0
        << "3 · 2 = 6, 6 + 1 = 7: schreibe 7, merke 0."
        << QStringList{"Multiplicand 0 @ 1", "Multiplier 0 @ 0", "Carry 0 @ 1"};
    QTest::newRow("the digit below ten keeps no carry") << "5635 · 2" << pp(0, 1) << "" << "worked" << 0
        << "3 · 2 = 6, 6 + 1 = 7: schreibe 7."
        << QStringList{"Multiplicand 0 @ 1", "Multiplier 0 @ 0", "Carry 0 @ 1"};
    // 5123 · 47: the ten-thousands column adds 0 + 3 + 1 = 4.
    QTest::newRow("carry box of the addition below ten, worked")
        << "5123 · 47" << Cell{Part::SumCarry, 0, 5} << "" << "worked" << 0
        << "Übertrag aus der Zehntausenderspalte: 0 + 3 + 1 = 4: schreibe 4, merke 0."
        << QStringList{"PartialProduct 0 @ 4", "PartialProduct 1 @ 4", "SumCarry 0 @ 4"};

    // A step that needs a blank names it instead. 8181 · 52: 409050 + 16362 = 425412, with
    // the blanks of the two-row trainer's gap problems.
    const QString twoRowBlanks = "PartialProduct 0 @ 2,PartialProduct 0 @ 4,PartialProduct 1 @ 1,"
                                 "PartialProduct 1 @ 3,Sum 0 @ 0,Sum 0 @ 4";
    // The carry into the column not on screen follows from the columns to its right ...
    QTest::newRow("gap: the carry's column first")
        << "8181 · 52" << sum(2) << twoRowBlanks + ",SumCarry 0 @ 2" << "gap" << 0
        << "Hunderterspalte: Finde zuerst die Ziffer des 2. Teilprodukts in der Zehnerstelle."
        << QStringList{"PartialProduct 1 @ 1"};
    // ... one that stands over the rule is added as it stands: only the own column counts.
    QTest::newRow("gap: the carry given, the own column first")
        << "8181 · 52" << sum(2) << twoRowBlanks << "gap" << 0
        << "Hunderterspalte: Finde zuerst die Ziffer des 1. Teilprodukts in der Hunderterstelle."
        << QStringList{"PartialProduct 0 @ 2"};
    QTest::newRow("gap: the carry given, the own column first, the kind asked")
        << "8181 · 52" << sum(2) << twoRowBlanks << "first" << 3
        << "Hunderterspalte: Finde zuerst die Ziffer des 1. Teilprodukts in der Hunderterstelle. "
           "Hast du beim Addieren den Übertrag vergessen?"
        << QStringList{"PartialProduct 0 @ 2"};
    QTest::newRow("gap: then the own column")
        << "8181 · 52" << sum(2) << QString(twoRowBlanks).remove("PartialProduct 1 @ 1,") << "gap" << 0
        << "Hunderterspalte: Finde zuerst die Ziffer des 1. Teilprodukts in der Hunderterstelle."
        << QStringList{"PartialProduct 0 @ 2"};
    QTest::newRow("gap, worked: no blank given away")
        << "8181 · 52" << sum(2) << QString(twoRowBlanks).remove("PartialProduct 1 @ 1,") << "worked" << 0
        << "Hunderterspalte: Finde zuerst die Ziffer des 1. Teilprodukts in der Hunderterstelle."
        << QStringList{"PartialProduct 0 @ 2"};
    QTest::newRow("gap: everything it needs on screen")
        << "8181 · 52" << sum(2) << "Sum 0 @ 0,Sum 0 @ 4" << "gap" << 0
        << "Hunderterspalte: Addiere 0 + 3 und zähle den Übertrag 1 über dem Strich dazu."
        << QStringList{"PartialProduct 0 @ 2", "PartialProduct 1 @ 2", "SumCarry 0 @ 2"};
    QTest::newRow("single: the sum before the partial product")
        << "5123 · 47" << sum(1) << "PartialProduct 1 @ 0,PartialProduct 1 @ 1,SumCarry 0 @ 1" << "first" << 0
        << "Zehnerspalte: Finde zuerst die Ziffer des 2. Teilprodukts in der Einerstelle."
        << QStringList{"PartialProduct 1 @ 0"};
    QTest::newRow("single: the carry written, the own column")
        << "5123 · 47" << sum(1) << "PartialProduct 1 @ 0,PartialProduct 1 @ 1" << "first" << 0
        << "Zehnerspalte: Finde zuerst die Ziffer des 2. Teilprodukts in der Zehnerstelle."
        << QStringList{"PartialProduct 1 @ 1"};
    // One-row gaps: 4321 · 7 = 30247; a wrong drop knocks a given digit out.
    QTest::newRow("knocked out: the multiplicand digit of a step")
        << "4321 · 7" << pp(0, 1) << "Multiplicand 0 @ 1" << "worked" << 0
        << "Zehnerspalte: Finde zuerst die Ziffer der ersten Zahl in der Zehnerstelle."
        << QStringList{"Multiplicand 0 @ 1"};
    QTest::newRow("knocked out: the result digit of a backwards step")
        << "4321 · 7" << Cell{Part::Multiplicand, 0, 1} << "PartialProduct 0 @ 1" << "gap" << 0
        << "Zehnerspalte: Finde zuerst die Ziffer des Ergebnisses in der Zehnerstelle."
        << QStringList{"PartialProduct 0 @ 1"};
    // The multiplier from a column on screen, one where only one digit fits (2 · 2 and 2 · 7
    // both end on 4).
    QTest::newRow("multiplier: a column with one answer")
        << "4321 · 7" << Cell{Part::Multiplier, 0, 0} << "PartialProduct 0 @ 0" << "gap" << 0
        << "Hunderterspalte: Welche Ziffer mal 3 plus 1 endet auf 2?"
        << QStringList{"Multiplicand 0 @ 2", "Carry 0 @ 2", "PartialProduct 0 @ 2"};
    QTest::newRow("multiplier: else any column on screen")
        << "4321 · 7" << Cell{Part::Multiplier, 0, 0}
        << "Multiplicand 0 @ 3,PartialProduct 0 @ 0,PartialProduct 0 @ 2" << "gap" << 0
        << "Zehnerspalte: Welche Ziffer mal 2 endet auf 4?"
        << QStringList{"Multiplicand 0 @ 1", "PartialProduct 0 @ 1"};
    QTest::newRow("multiplier: the ones column")
        << "4321 · 7" << Cell{Part::Multiplier, 0, 0} << "" << "gap" << 0
        << "Einerspalte: Welche Ziffer mal 1 endet auf 7?"
        << QStringList{"Multiplicand 0 @ 0", "PartialProduct 0 @ 0"};
    QTest::newRow("zero: the multiplier knocked out")
        << "4321 · 70" << zero(0, 0) << "Multiplier 0 @ 1" << "first" << 0
        << "Einerspalte: Finde zuerst die Ziffer der zweiten Zahl in der Zehnerstelle."
        << QStringList{"Multiplier 0 @ 1"};
}

void TestDiagnosis::hints()
{
    QFETCH(QString, problem);
    QFETCH(Cell, cell);
    QFETCH(QString, empty);
    QFETCH(QString, which);
    QFETCH(int, digit);
    QFETCH(QString, text);
    QFETCH(QStringList, cells);
    QList<Cell> blanks{cell};
    for (const QString &name : empty.split(QLatin1Char(','), Qt::SkipEmptyParts))
        blanks << *parseCell(name);
    const Exercise ex = standing(problem, blanks);
    const Hint hint = which == QLatin1String("first")    ? stepHint(ex, cell, diagnose(ex, cell, digit))
                      : which == QLatin1String("worked") ? workedHint(ex, cell)
                                                         : stepHint(ex, cell);
    QCOMPARE(hint.text, text);
    QCOMPARE(cellTexts(hint.cells), cells);
    // A hint before the worked step never gives the digit away as "schreibe".
    if (which != QLatin1String("worked"))
        QVERIFY(!hint.text.contains(QLatin1String("schreibe")));
}

QTEST_APPLESS_MAIN(TestDiagnosis)
#include "tst_diagnosis.moc"
