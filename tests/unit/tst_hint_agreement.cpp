// Every hint agrees with the check. Problems are dealt through the trainers' own tables in
// every mode and display; a pupil fills some fields and, in a gap problem, knocks given
// digits out. On every field on screen every digit is dropped: the check takes exactly the
// digit a schoolbook multiplication worked out here on integers expects; for every wrong
// one the kind named, the first hint and the worked step agree with those digits, and no
// hint names or highlights a digit that is a blank on screen, except as the blank it says
// to find first.
#include "schoolbook.h"
#include "scripted_random.h"
#include "trainers/one_row/one_row_table.h"
#include "trainers/three_row/three_row_table.h"
#include "trainers/two_row/two_row_table.h"
#include "training/diagnosis.h"
#include "training/exercise.h"
#include "written_fixture.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <random>

namespace {

const QStringList placeWords = {"Einer",         "Zehner",           "Hunderter", "Tausender",
                                "Zehntausender", "Hunderttausender", "Millionen"};

Exercise deal(const QString &trainer, QString mode, WrittenDisplay display, RandomSource &random)
{
    // "E Überschlag", "Normal Überschlag": the single problem starts with the Überschlag.
    if (mode.endsWith(QStringLiteral(" Überschlag")))
        return deal(trainer, mode.chopped(11), display, random).withEstimate();
    if (trainer == QLatin1String("Form1")) {
        for (OneRowMode m : {OneRowMode::E, OneRowMode::Z, OneRowMode::H, OneRowMode::LE, OneRowMode::LZ,
                             OneRowMode::LH}) {
            if (modeTag(m) == mode)
                return dealOneRow(random, m);
        }
        qFatal("no mode %s", qPrintable(mode));
    }
    const RowsTables &tables = trainer == QLatin1String("Form3") ? threeRowTables() : twoRowTables();
    return dealRows(random, tables, mode == QStringLiteral("Lücke"), display);
}

// What the hints on a field work with, from the schoolbook.
struct Step
{
    enum Kind { Product, Addition, Zero, MultiplicandBack, MultiplierBack, MultiplierZero, Rounding, Estimate };
    Kind kind = Product;
    int column = 0;         // the place of the column worked
    int x = 0, m = 0, c = 0; // a multiplication x·m + c
    QList<Cell> addends;    // an addition: the digits written over the column
    int value = 0;          // x·m + c, or the addends and c added up
    bool whole = false;     // the last column of a partial product: its whole value is written
    bool carryBox = false;  // the field is a carry
    bool leading = false;   // the field is the leading digit of a partial product
    int row = 0;
    QList<Cell> inputs;     // the digits the step works with (for the multiplier: of the ones column)
};

// The hints of one field, on the exercise as a wrong drop has just left it.
struct Probe
{
    const Schoolbook &book;
    WrittenDisplay display;
    Cell field;
    QList<Cell> blanks; // fields on screen without a digit, the probed field aside
    bool given;         // the problem showed the field's digit when it was dealt
    Step step;

    int digitOf(const Cell &cell) const { return *book.digit(cell); }
    Cell multiplierCell(int row) const { return {Part::Multiplier, 0, book.multiplierPlace(row)}; }

    // The multiplier's inputs in the column of multiplicand place k.
    QList<Cell> backwardsInputs(int k) const
    {
        return {{Part::Multiplicand, 0, k}, {Part::PartialProduct, step.row, k + book.zerosOf(step.row)}};
    }
    bool anyBlank(const QList<Cell> &cells) const
    {
        return std::any_of(cells.cbegin(), cells.cend(), [this](const Cell &c) { return blanks.contains(c); });
    }

    void product(int row, int i)
    {
        step.kind = Step::Product;
        step.row = row;
        step.column = i + book.zerosOf(row);
        step.x = book.multiplicandDigit(i);
        step.m = book.multiplierDigit(row);
        step.c = book.carryInto(row, i);
        step.value = step.x * step.m + step.c;
        step.whole = i == book.length() - 1;
        step.inputs = {{Part::Multiplicand, 0, i}, multiplierCell(row)};
    }

    void addition(int column)
    {
        step.kind = Step::Addition;
        step.column = column;
        step.addends = book.addendsOf(column, display);
        step.c = book.sumCarryInto(column);
        step.value = step.c;
        for (const Cell &addend : std::as_const(step.addends))
            step.value += digitOf(addend);
        step.whole = column == book.sumLength() - 1;
        const Cell carryBox{Part::SumCarry, 0, column};
        step.inputs = book.additionInputs(column, display, book.digit(carryBox) && !blanks.contains(carryBox));
    }

    Probe(const Schoolbook &b, WrittenDisplay d, const Cell &f, const QList<Cell> &empty, bool dealtGiven)
        : book(b), display(d), field(f), blanks(empty), given(dealtGiven)
    {
        const int n = book.length();
        switch (field.part) {
        case Part::PartialProduct: {
            const int i = field.place - book.zerosOf(field.row);
            step.leading = i == n;
            product(field.row, std::min(i, n - 1));
            break;
        }
        case Part::Carry:
            product(field.row, field.place - 1 - book.zerosOf(field.row));
            step.carryBox = true;
            break;
        case Part::Zero:
            step.kind = Step::Zero;
            step.row = field.row;
            step.column = field.place;
            step.inputs = {multiplierCell(field.row)};
            for (int p = 0; p < book.multiplierZeros(); ++p)
                step.inputs << Cell{Part::Multiplier, 0, p};
            break;
        case Part::Sum:
            addition(field.place);
            break;
        case Part::SumCarry:
            addition(field.place - 1);
            step.carryBox = true;
            break;
        case Part::Multiplicand: {
            const int row = book.rows() - 1;
            product(row, field.place);
            step.kind = Step::MultiplicandBack;
            step.whole = step.whole && step.value >= 10;
            const Cell written{Part::PartialProduct, row, field.place + book.zerosOf(row)};
            step.inputs = {multiplierCell(row), written};
            if (step.whole)
                step.inputs << Cell{Part::PartialProduct, row, written.place + 1};
            break;
        }
        case Part::RoundedMultiplicand:
        case Part::RoundedMultiplier:
            step.kind = Step::Rounding;
            break;
        case Part::Estimate:
            // The product is worked from the rounded operands, the multiplicand first, each
            // from the left.
            step.kind = Step::Estimate;
            for (Part part : {Part::RoundedMultiplicand, Part::RoundedMultiplier}) {
                for (int place = 8; place >= 0; --place) {
                    if (book.digit({part, 0, place}))
                        step.inputs << Cell{part, 0, place};
                }
            }
            break;
        case Part::Multiplier:
            if (field.place < book.multiplierZeros()) {
                step.kind = Step::MultiplierZero;
                break;
            }
            step.kind = Step::MultiplierBack;
            step.row = book.rows() - 1 - (field.place - book.multiplierZeros());
            step.column = book.zerosOf(step.row);
            step.inputs = backwardsInputs(0);
            break;
        }
    }

    // Whether the step needs a blank: then the hint must send the pupil there first.
    bool needsBlank() const
    {
        if (step.kind != Step::MultiplierBack)
            return anyBlank(step.inputs);
        for (int k = 0; k < book.length(); ++k) {
            if (!anyBlank(backwardsInputs(k)))
                return false;
        }
        return true;
    }

    QString columnWord(int place) const { return placeWords.value(place) + QStringLiteral("spalte"); }
    // How a hint names the column of its step: a carry box, over the column after it, says
    // where its carry comes from.
    QString columnLabel() const
    {
        return (step.carryBox ? QStringLiteral("Übertrag aus der ") : QString()) + columnWord(step.column);
    }

    // Empty when the hint agrees, else what is wrong with it.
    QString check(const Hint &hint, bool worked, std::optional<ErrorKind> kind) const;
    QString checkBlankFirst(const Hint &hint, const QRegularExpressionMatch &match) const;
    QString checkProduct(const QString &text, bool worked, std::optional<ErrorKind> kind) const;
    QString checkAddition(const QString &text, bool worked, std::optional<ErrorKind> kind) const;
    QString checkWritten(int write, const QString &keep) const;
    QString checkEstimate(const Hint &hint, bool worked) const;
    QString checkEnding(const QString &rest, std::optional<ErrorKind> kind) const;
};

QString Probe::check(const Hint &hint, bool worked, std::optional<ErrorKind> kind) const
{
    if (step.kind == Step::Rounding || step.kind == Step::Estimate)
        return kind ? QStringLiteral("a digit of the Überschlag is given a kind") : checkEstimate(hint, worked);
    static const QRegularExpression blankFirst(QStringLiteral(
        "^(\\w+|Übertrag aus der \\w+): Finde zuerst die Ziffer (der ersten Zahl|der zweiten Zahl|des (\\d)\\. Teilprodukts|"
        "des Ergebnisses) in der (\\w+)stelle\\.( (.+))?$"));
    const QRegularExpressionMatch first = blankFirst.match(hint.text);
    if (first.hasMatch()) {
        if (worked && given)
            return QStringLiteral("a knocked-out digit is not given back");
        // Sent to a blank first, the pupil is still asked about the digit dropped.
        if (first.captured(6) != (kind ? errorKindQuestion(*kind) : QString()))
            return QStringLiteral("the kind is not asked, or asked wrongly");
        return checkBlankFirst(hint, first);
    }
    // The worked step of a missing multiplier digit, or of a given digit the pupil knocked
    // out whose step needs a blank: the digit itself, nothing else.
    if (worked && hint.text == QStringLiteral("Die Ziffer ist %1.").arg(digitOf(field))
        && (step.kind == Step::MultiplierBack || step.kind == Step::MultiplierZero || (given && needsBlank())))
        return hint.cells == QList<Cell>{field} ? QString() : QStringLiteral("highlights more than the digit");
    if (needsBlank())
        return QStringLiteral("the step needs a blank, the hint does not name it");
    for (const Cell &cell : hint.cells) {
        if (blanks.contains(cell))
            return QStringLiteral("highlights the blank ") + cellText(cell);
    }
    if (!worked && (hint.text.contains(QLatin1String("schreibe")) || hint.text.contains(QLatin1String("merke"))))
        return QStringLiteral("the first hint gives the digit away");

    const QString text = hint.text;
    static const QRegularExpression zeroWorked(QStringLiteral("^Du rechnest mal (\\d+): schreibe 0\\.$"));
    static const QRegularExpression zeroFirst(QStringLiteral("^(\\w+): Du rechnest mal (\\d+), nicht mal (\\d)\\."));
    static const QRegularExpression backWorked(QStringLiteral(
        "^(\\d) · (\\d) = (\\d+)(, (\\d+) \\+ (\\d) = (\\d+))?: die Ziffer ist (\\d)\\.$"));
    static const QRegularExpression backFirst(QStringLiteral(
        "^(\\w+): Welche Ziffer mal (\\d)( plus (\\d))? (endet auf (\\d)|ergibt (\\d+))\\?$"));
    switch (step.kind) {
    case Step::Rounding:
    case Step::Estimate:
        break; // checked above
    case Step::Product:
        return checkProduct(text, worked, kind);
    case Step::Addition:
        return checkAddition(text, worked, kind);
    case Step::Zero: {
        qint64 rowMultiplier = book.multiplierDigit(step.row);
        for (int i = 0; i < book.zerosOf(step.row); ++i)
            rowMultiplier *= 10;
        const QRegularExpressionMatch z = (worked ? zeroWorked : zeroFirst).match(text);
        if (!z.hasMatch())
            return QStringLiteral("not a step of a zero");
        if (worked)
            return z.captured(1).toLongLong() == rowMultiplier ? QString() : QStringLiteral("wrong multiplier");
        if (z.captured(1) != columnWord(step.column) || z.captured(2).toLongLong() != rowMultiplier
            || z.captured(3).toInt() != book.multiplierDigit(step.row))
            return QStringLiteral("wrong multiplier or column");
        return QString();
    }
    case Step::MultiplicandBack: {
        if (worked) {
            const QRegularExpressionMatch w = backWorked.match(text);
            if (!w.hasMatch())
                return QStringLiteral("not a worked backwards step");
            const int c = w.captured(4).isEmpty() ? 0 : w.captured(6).toInt();
            const int value = w.captured(4).isEmpty() ? w.captured(3).toInt() : w.captured(7).toInt();
            if (w.captured(1).toInt() != step.x || w.captured(2).toInt() != step.m
                || w.captured(3).toInt() != step.x * step.m || c != step.c || value != step.value
                || (!w.captured(4).isEmpty() && w.captured(5) != w.captured(3))
                || w.captured(8).toInt() != digitOf(field))
                return QStringLiteral("wrong worked backwards step");
            return QString();
        }
        const QRegularExpressionMatch b = backFirst.match(text);
        if (!b.hasMatch())
            return QStringLiteral("not a backwards step");
        const int c = b.captured(3).isEmpty() ? 0 : b.captured(4).toInt();
        const bool ends = !b.captured(6).isEmpty();
        const Cell written{Part::PartialProduct, book.rows() - 1, field.place + book.zerosOf(book.rows() - 1)};
        if (b.captured(1) != columnWord(step.column) || b.captured(2).toInt() != step.m || c != step.c
            || ends == step.whole || (ends && b.captured(6).toInt() != digitOf(written))
            || (!ends && b.captured(7).toInt() != step.value))
            return QStringLiteral("wrong backwards step");
        return QString();
    }
    case Step::MultiplierBack: {
        if (worked)
            return QStringLiteral("wrong digit");
        const QRegularExpressionMatch b = backFirst.match(text);
        if (!b.hasMatch() || b.captured(6).isEmpty())
            return QStringLiteral("not a backwards step of the multiplier");
        const int t = book.zerosOf(step.row);
        for (int k = 0; k < book.length(); ++k) {
            const QList<Cell> inputs = backwardsInputs(k);
            const int c = b.captured(3).isEmpty() ? 0 : b.captured(4).toInt();
            if (b.captured(1) == columnWord(k + t) && !anyBlank(inputs) && b.captured(2).toInt() == digitOf(inputs.at(0))
                && c == book.carryInto(step.row, k) && b.captured(6).toInt() == digitOf(inputs.at(1)))
                return QString();
        }
        return QStringLiteral("no column on screen asks this");
    }
    case Step::MultiplierZero:
        return !worked && text == QStringLiteral("Die Zahl endet auf Null.")
                   ? QString()
                   : QStringLiteral("wrong hint on a zero of the multiplier");
    }
    return QStringLiteral("unknown step");
}

QString Probe::checkBlankFirst(const Hint &hint, const QRegularExpressionMatch &match) const
{
    if (hint.cells.size() != 1)
        return QStringLiteral("highlights more than the blank to find");
    const Cell blank = hint.cells.first();
    if (!blanks.contains(blank))
        return QStringLiteral("sends the pupil to a digit on screen");
    bool needed = step.inputs.contains(blank);
    if (step.kind == Step::MultiplierBack) {
        needed = needsBlank();
        bool inSomeColumn = false;
        for (int k = 0; k < book.length(); ++k)
            inSomeColumn |= backwardsInputs(k).contains(blank);
        needed &= inSomeColumn;
    }
    if (!needed)
        return QStringLiteral("the step does not need that blank");
    QString line;
    switch (blank.part) {
    case Part::Multiplicand: line = QStringLiteral("der ersten Zahl"); break;
    case Part::Multiplier: line = QStringLiteral("der zweiten Zahl"); break;
    case Part::PartialProduct:
    case Part::Zero:
        line = book.rows() > 1 ? QStringLiteral("des %1. Teilprodukts").arg(blank.row + 1)
                               : QStringLiteral("des Ergebnisses");
        break;
    case Part::Sum: line = QStringLiteral("des Ergebnisses"); break;
    default: return QStringLiteral("sends the pupil to a carry");
    }
    if (match.captured(2) != line || match.captured(4) != placeWords.value(blank.place))
        return QStringLiteral("names another place than it highlights");
    if (step.kind != Step::MultiplierBack && match.captured(1) != columnLabel())
        return QStringLiteral("wrong column");
    return QString();
}

// "schreibe W" and ", merke K" against the field's digit.
QString Probe::checkWritten(int write, const QString &keep) const
{
    const int right = digitOf(field);
    const bool keeps = !keep.isEmpty();
    if (step.carryBox)
        return keeps && keep.toInt() == right && write == step.value % 10 ? QString()
                                                                         : QStringLiteral("a carry box must be told its carry");
    if (step.whole) {
        if (write != step.value || keeps)
            return QStringLiteral("the last column writes its whole value");
        return (step.leading ? write / 10 : write % 10) == right ? QString()
                                                                 : QStringLiteral("writes another digit than is right");
    }
    if (write != right || write != step.value % 10)
        return QStringLiteral("writes another digit than is right");
    if (keeps != (step.value >= 10) || (keeps && keep.toInt() != step.value / 10))
        return QStringLiteral("keeps a wrong carry");
    return QString();
}

// What follows the step in a first hint: on a carry box that below 10 the carry is 0, and
// the kind as a question.
QString Probe::checkEnding(const QString &rest, std::optional<ErrorKind> kind) const
{
    if (step.carryBox && !rest.contains(QStringLiteral("unter 10 ist er 0")))
        return QStringLiteral("a carry box is not told that below 10 it is 0");
    if (kind && !rest.endsWith(errorKindQuestion(*kind)))
        return QStringLiteral("the kind is not asked");
    return QString();
}

QString Probe::checkProduct(const QString &text, bool worked, std::optional<ErrorKind> kind) const
{
    if (worked) {
        static const QRegularExpression pattern(
            QStringLiteral("^(\\d) · (\\d) = (\\d+)(, (\\d+) \\+ (\\d) = (\\d+))?: schreibe (\\d+)(, merke (\\d))?\\.$"));
        const QRegularExpressionMatch w = pattern.match(text);
        if (!w.hasMatch())
            return QStringLiteral("not a worked multiplication step");
        const bool carried = !w.captured(4).isEmpty();
        const int value = carried ? w.captured(7).toInt() : w.captured(3).toInt();
        if (w.captured(1).toInt() != step.x || w.captured(2).toInt() != step.m
            || w.captured(3).toInt() != step.x * step.m || carried != (step.c > 0)
            || (carried && (w.captured(5) != w.captured(3) || w.captured(6).toInt() != step.c))
            || value != step.value)
            return QStringLiteral("wrong arithmetic");
        return checkWritten(w.captured(8).toInt(), w.captured(10));
    }
    static const QRegularExpression pattern(
        QStringLiteral("^(\\w+|Übertrag aus der \\w+): Rechne (\\d) · (\\d)( und zähle den Übertrag (\\d) dazu)?\\.(.*)$"));
    const QRegularExpressionMatch f = pattern.match(text);
    if (!f.hasMatch())
        return QStringLiteral("not a multiplication step");
    const int c = f.captured(4).isEmpty() ? 0 : f.captured(5).toInt();
    if (f.captured(1) != columnLabel() || f.captured(2).toInt() != step.x
        || f.captured(3).toInt() != step.m || c != step.c)
        return QStringLiteral("wrong column, digits or carry");
    return checkEnding(f.captured(6), kind);
}

QString Probe::checkAddition(const QString &text, bool worked, std::optional<ErrorKind> kind) const
{
    QList<int> addends;
    for (const Cell &cell : step.addends)
        addends << digitOf(cell);
    const auto numbers = [](const QString &terms) {
        QList<int> list;
        for (const QString &term : terms.split(QStringLiteral(" + ")))
            list << term.toInt();
        return list;
    };
    if (worked) {
        static const QRegularExpression pattern(QStringLiteral("^(.*): schreibe (\\d+)(, merke (\\d))?\\.$"));
        const QRegularExpressionMatch w = pattern.match(text);
        if (!w.hasMatch())
            return QStringLiteral("not a worked addition");
        // "Nur der Übertrag c", "Nur die a", or the column and its digits with the carry added
        // up in one go: "Hunderterspalte: a + b + c = v".
        QList<int> said;
        int carry = 0;
        int value = 0;
        static const QRegularExpression onlyCarry(QStringLiteral("^Nur der Übertrag (\\d)$"));
        static const QRegularExpression onlyDigit(QStringLiteral("^Nur die (\\d)$"));
        static const QRegularExpression sum(QStringLiteral("^(\\w+|Übertrag aus der \\w+): (\\d+(?: \\+ \\d+)+) = (\\d+)$"));
        QRegularExpressionMatch m;
        if ((m = onlyCarry.match(w.captured(1))).hasMatch()) {
            carry = value = m.captured(1).toInt();
        } else if ((m = onlyDigit.match(w.captured(1))).hasMatch()) {
            said = {m.captured(1).toInt()};
            value = said.first();
        } else if ((m = sum.match(w.captured(1))).hasMatch()) {
            if (m.captured(1) != columnLabel())
                return QStringLiteral("wrong column");
            said = numbers(m.captured(2));
            value = m.captured(3).toInt();
            int total = 0;
            for (int n : std::as_const(said))
                total += n;
            if (total != value)
                return QStringLiteral("wrong sum");
            if (step.c > 0)
                carry = said.takeLast();
        } else {
            return QStringLiteral("not a worked addition");
        }
        if (said != addends || carry != step.c || value != step.value)
            return QStringLiteral("adds other digits than are written");
        return checkWritten(w.captured(2).toInt(), w.captured(4));
    }
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\w+|Übertrag aus der \\w+): (Addiere (\\d(?: \\+ \\d)+)|Nimm die (\\d)|Hier steht nur eine Ziffer darüber|"
        "Hier kommt nur der Übertrag an)( und zähle den Übertrag (\\d)( über dem Strich)? dazu)?\\.(.*)$"));
    const QRegularExpressionMatch f = pattern.match(text);
    if (!f.hasMatch())
        return QStringLiteral("not an addition step");
    if (f.captured(1) != columnLabel())
        return QStringLiteral("wrong column");
    const int c = f.captured(5).isEmpty() ? 0 : f.captured(6).toInt();
    // The carry "über dem Strich" stands on screen, in its box; else the pupil keeps it in mind.
    const Cell carryBox{Part::SumCarry, 0, step.column};
    if (!f.captured(7).isEmpty() != (c > 0 && book.digit(carryBox) && !blanks.contains(carryBox)))
        return QStringLiteral("says the carry stands over the rule, or not, wrongly");
    const QString how = f.captured(2);
    if (how.startsWith(QLatin1String("Hier steht"))) {
        if (addends.size() != 1 || step.c != 0 || c != 0)
            return QStringLiteral("more than one digit stands over the column");
    } else if (how.startsWith(QLatin1String("Hier kommt"))) {
        if (!addends.isEmpty() || step.c == 0)
            return QStringLiteral("not only the carry comes in");
    } else {
        const QList<int> said = f.captured(3).isEmpty() ? QList<int>{f.captured(4).toInt()} : numbers(f.captured(3));
        if (said != addends || c != step.c)
            return QStringLiteral("adds other digits than are written");
    }
    return checkEnding(f.captured(8), kind);
}

// "6 722" as a number.
qint64 numberOf(const QString &grouped)
{
    return QString(grouped).remove(QLatin1Char(' ')).toLongLong();
}

QString Probe::checkEstimate(const Hint &hint, bool worked) const
{
    for (const Cell &cell : hint.cells) {
        if (blanks.contains(cell) && !hint.text.endsWith(QLatin1String(" zuerst.")))
            return QStringLiteral("highlights the blank ") + cellText(cell);
    }
    static const QRegularExpression roundFirst(
        QStringLiteral("^Überschlag: Runde ([\\d ]+) auf volle (\\w+)\\. Schau auf die (\\w+): ab 5 rundest du auf\\.$"));
    static const QRegularExpression roundWorked(
        QStringLiteral("^An der (\\w+)stelle von ([\\d ]+) steht (\\d), also rundest du (auf|ab): ([\\d ]+)\\.$"));
    static const QRegularExpression blankFirst(QStringLiteral("^Überschlag: Runde ([\\d ]+) auf volle (\\w+) zuerst\\.$"));
    static const QRegularExpression productFirst(
        QStringLiteral("^Überschlag: Rechne (\\d+) · (\\d+) und hänge die Nullen beider Zahlen an\\.$"));
    static const QRegularExpression productWorked(QStringLiteral("^(\\d+) · (\\d+) = (\\d+), dann die Nullen: ([\\d ]+)\\.$"));
    const auto highest = [](qint64 value) { return int(QString::number(value).size()) - 1; };

    if (step.kind == Step::Rounding) {
        const bool multiplicand = field.part == Part::RoundedMultiplicand;
        const qint64 operand = multiplicand ? book.multiplicand() : book.multiplier();
        const qint64 rounded = Schoolbook::rounded(operand);
        if (Schoolbook::digitOf(rounded, field.place) != book.digit(field))
            return QStringLiteral("the schoolbook disagrees with itself");
        const int top = highest(operand);
        if (worked) {
            const QRegularExpressionMatch w = roundWorked.match(hint.text);
            if (!w.hasMatch())
                return QStringLiteral("not a worked rounding");
            const int deciding = *Schoolbook::digitOf(operand, top - 1);
            if (w.captured(1) != placeWords.value(top - 1) || numberOf(w.captured(2)) != operand
                || w.captured(3).toInt() != deciding || (w.captured(4) == QLatin1String("auf")) != (deciding >= 5)
                || numberOf(w.captured(5)) != rounded)
                return QStringLiteral("rounds wrongly");
            return QString();
        }
        const QRegularExpressionMatch f = roundFirst.match(hint.text);
        if (!f.hasMatch() || numberOf(f.captured(1)) != operand || f.captured(2) != placeWords.value(top)
            || f.captured(3) != placeWords.value(top - 1))
            return QStringLiteral("not how to round the operand");
        return QString();
    }
    // The product needs its rounded operands on screen.
    const auto blank = std::find_if(step.inputs.cbegin(), step.inputs.cend(),
                                    [this](const Cell &cell) { return blanks.contains(cell); });
    if (blank != step.inputs.cend()) {
        const QRegularExpressionMatch b = blankFirst.match(hint.text);
        const qint64 operand = blank->part == Part::RoundedMultiplicand ? book.multiplicand()
                                                                         : book.multiplier();
        if (!b.hasMatch() || numberOf(b.captured(1)) != operand || hint.cells != QList<Cell>{*blank})
            return QStringLiteral("the product needs a blank, the hint does not send the pupil there");
        return QString();
    }
    const QRegularExpressionMatch m = (worked ? productWorked : productFirst).match(hint.text);
    if (!m.hasMatch())
        return QStringLiteral("not how to multiply the rounded operands");
    // a · b with their zeros gives the rounded operands.
    const auto withZeros = [](qint64 leading, qint64 rounded) {
        while (leading < rounded)
            leading *= 10;
        return leading;
    };
    const qint64 a = m.captured(1).toLongLong(), b = m.captured(2).toLongLong();
    const qint64 roundedMultiplicand = Schoolbook::rounded(book.multiplicand());
    const qint64 roundedMultiplier = Schoolbook::rounded(book.multiplier());
    if (withZeros(a, roundedMultiplicand) != roundedMultiplicand || withZeros(b, roundedMultiplier) != roundedMultiplier
        || a % 10 == 0 || b % 10 == 0)
        return QStringLiteral("multiplies other numbers than the rounded operands");
    if (worked && (m.captured(3).toLongLong() != a * b || numberOf(m.captured(4)) != book.estimate()))
        return QStringLiteral("wrong estimate");
    return QString();
}

bool onScreen(const Schoolbook &book, WrittenDisplay display, const Cell &cell)
{
    return book.digit(cell) && !(display == WrittenDisplay::Staircase && cell.part == Part::Zero);
}

} // namespace

class TestHintAgreement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hintsAgreeWithTheCheck_data();
    void hintsAgreeWithTheCheck();
};

void TestHintAgreement::hintsAgreeWithTheCheck_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("staircase");
    for (const char *mode : {"E", "Z", "H", "LE", "LZ", "LH"})
        QTest::addRow("Form1 %s", mode) << "Form1" << mode << false;
    for (const char *trainer : {"Form2", "Form3"}) {
        for (const char *mode : {"Normal", "Lücke"}) {
            QTest::addRow("%s %s Bündig", trainer, mode) << trainer << QString::fromUtf8(mode) << false;
            QTest::addRow("%s %s Treppe", trainer, mode) << trainer << QString::fromUtf8(mode) << true;
        }
    }
    // Single problems that start with the Überschlag.
    for (const char *mode : {"E", "H"})
        QTest::addRow("Form1 %s Überschlag", mode) << "Form1" << QStringLiteral("%1 Überschlag").arg(mode) << false;
    QTest::newRow("Form2 Normal Bündig Überschlag") << "Form2" << "Normal Überschlag" << false;
    QTest::newRow("Form3 Normal Treppe Überschlag") << "Form3" << "Normal Überschlag" << true;
}

void TestHintAgreement::hintsAgreeWithTheCheck()
{
    QFETCH(QString, trainer);
    QFETCH(QString, mode);
    QFETCH(bool, staircase);
    const WrittenDisplay display = staircase ? WrittenDisplay::Staircase : WrittenDisplay::Flush;
    const unsigned seed = unsigned(qHash(QString::fromUtf8(QTest::currentDataTag())));
    ScriptedRandom dealer;
    dealer.seed(seed);
    std::mt19937 pupil(seed);
    const auto chance = [&pupil](int percent) { return int(pupil() % 100) < percent; };
    const int problems = 40;
    int probes = 0, blankFirst = 0;

    for (int problem = 0; problem < problems; ++problem) {
        Exercise ex = deal(trainer, mode, display, dealer);
        const WrittenMultiplication &w = ex.written();
        const Schoolbook book(w.multiplicand(), w.multiplierDigits(), w.multiplierZeros());
        QList<Cell> fields, given;
        for (const Cell &field : ex.fields()) {
            if (onScreen(book, display, field))
                fields << field;
            if (ex.shownDigit(field))
                given << field;
        }
        for (int round = 0; round < 3; ++round) {
            for (const Cell &field : std::as_const(fields)) {
                const int right = *book.digit(field);
                Exercise after = ex;
                QCOMPARE(after.drop(field, right), Exercise::Verdict::Right);
                QCOMPARE(diagnose(after, field, right), std::nullopt);
                QList<Cell> blanks;
                for (const Cell &other : std::as_const(fields)) {
                    if (other != field && !ex.shownDigit(other))
                        blanks << other;
                }
                Probe probe(book, display, field, blanks, given.contains(field));
                const auto report = [&](const Hint &hint, int digit, const QString &what) {
                    QStringList cells;
                    for (const Cell &cell : hint.cells)
                        cells << cellText(cell);
                    return QStringLiteral("%1, %2, digit %3: %4\n  \"%5\" [%6]\n  %7")
                        .arg(ex.problemText(), cellText(field)).arg(digit)
                        .arg(what, hint.text, cells.join(QStringLiteral("; ")),
                             renderShown(after).join(QStringLiteral("\n  ")))
                        .toUtf8();
                };
                for (int digit = 0; digit <= 9; ++digit) {
                    if (digit == right)
                        continue;
                    after = ex;
                    QCOMPARE(after.drop(field, digit), Exercise::Verdict::Wrong);
                    QCOMPARE(after.shownDigit(field), std::nullopt);
                    const std::optional<ErrorKind> kind = diagnose(after, field, digit);
                    const Cell box{Part::Carry, field.row, book.zerosOf(field.row) + 1};
                    const bool carryBoxes = ex.isField(box) && ex.isShown(box);
                    const QString expectedKind = fittingKinds(book, display, field, digit, carryBoxes).value(0);
                    QCOMPARE(kind ? errorKindName(*kind) : QString(), expectedKind);
                    const Hint first = stepHint(after, field, kind);
                    const QString wrong = probe.check(first, false, kind);
                    if (!wrong.isEmpty())
                        QFAIL(report(first, digit, wrong).constData());
                    blankFirst += first.text.contains(QLatin1String("Finde zuerst")) ? 1 : 0;
                    ++probes;
                }
                const Hint worked = workedHint(after, field);
                const QString wrong = probe.check(worked, true, std::nullopt);
                if (!wrong.isEmpty())
                    QFAIL(report(worked, -1, wrong).constData());
            }
            // The pupil goes on: writes some of the empty fields and, in a gap problem,
            // knocks a given digit out with a wrong drop.
            for (const Cell &field : std::as_const(fields)) {
                if (!ex.shownDigit(field) && chance(40))
                    QCOMPARE(ex.drop(field, *book.digit(field)), Exercise::Verdict::Right);
            }
            if (ex.isGap() && chance(60)) {
                const Cell out = fields.at(int(pupil() % fields.size()));
                if (ex.shownDigit(out))
                    QCOMPARE(ex.drop(out, (*book.digit(out) + 1) % 10), Exercise::Verdict::Wrong);
            }
        }
    }
    // Hints that send the pupil to a blank first occur wherever a step can need a blank:
    // everywhere but in the one-row trainer's single problems, whose operands are given.
    QVERIFY(probes > 0);
    QCOMPARE(blankFirst > 0, trainer != QLatin1String("Form1") || mode.startsWith(QLatin1Char('L')));
}

QTEST_GUILESS_MAIN(TestHintAgreement)
#include "tst_hint_agreement.moc"
