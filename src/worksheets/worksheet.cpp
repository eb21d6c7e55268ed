#include "worksheets/worksheet.h"

#include "arithmetic/written_views.h"
#include "seams/printer.h"
#include "seams/random_source.h"

const char *const sheetFontFamily = "Courier New";

namespace {

// One block of a sheet: `groups` rows of `cells` problems. Every number of a cell, the
// problem "n*m" included, fits in `numberWidth` characters, the width of the cell's rule;
// the rest of the cell is blanks.
struct Block
{
    int groups;
    int cells;
    int numberWidth;
    int cellWidth;
    int multiplicandFrom;
    int multiplicandSpan; // n = Int(Rnd * span) + from
    int multiplierDigits; // each 2..9, drawn highest first
    int multiplierZeros;  // zeros after a one-digit multiplier
};

struct Design
{
    char answerFill;      // what the answer rules on the problem sheet are drawn with
    bool partialProducts; // a line for each multiplier digit, a rule, then the product
    bool blankAfterBlock; // one more blank line after each block but the last
    QList<Block> blocks;
};

const Design &design(SheetKind kind)
{
    // One-row: a three-digit number times a one-digit, tens or hundreds number; a group is
    // the problem, its rule, the product and two blank lines.
    static const Design oneRow{'_', false, true,
                               {{3, 6, 5, 8, 100, 900, 1, 0},
                                {2, 6, 6, 8, 100, 900, 1, 1},
                                {2, 5, 7, 10, 100, 900, 1, 2}}};
    // Two-row: three- then four-digit numbers times a two-digit number; a group is a blank
    // line, the problem, its rule, two partial products, a rule, the product and a blank
    // line (eight lines). 999 * 99 = 98901 and 9999 * 99 = 989901 fit their rules.
    static const Design twoRow{'.', true, false,
                               {{3, 6, 6, 8, 100, 900, 2, 0},
                                {2, 4, 7, 13, 1000, 9000, 2, 0}}};
    // Three-row: a three-digit number times a three-digit number (nine lines a group);
    // "999*999" and 998001 fit the seven-character rule.
    static const Design threeRow{'.', true, false,
                                 {{4, 4, 7, 12, 100, 900, 3, 0}}};
    switch (kind) {
    case SheetKind::TwoRow: return twoRow;
    case SheetKind::ThreeRow: return threeRow;
    case SheetKind::OneRow: break;
    }
    return oneRow;
}

enum class Role { Blank, Problem, Rule, Answer };

struct Line
{
    Role role = Role::Blank;
    int block = 0;
    int answer = 0; // which number of the cell: partial products first, the product last
    bool groupStart = false;
};

QList<Line> groupLines(const Design &d, int block)
{
    if (!d.partialProducts)
        return {{Role::Problem, block}, {Role::Rule, block}, {Role::Answer, block, 0},
                {Role::Blank, block}, {Role::Blank, block}};
    const int digits = d.blocks.at(block).multiplierDigits;
    QList<Line> lines{{Role::Blank, block}, {Role::Problem, block}, {Role::Rule, block}};
    for (int i = 0; i < digits; ++i)
        lines.append({Role::Answer, block, i});
    lines.append({Role::Rule, block});
    lines.append({Role::Answer, block, digits});
    lines.append({Role::Blank, block});
    return lines;
}

// The roles of every line of a sheet, in order.
QList<Line> layout(const Design &d)
{
    QList<Line> lines;
    for (int b = 0; b < d.blocks.size(); ++b) {
        for (int g = 0; g < d.blocks.at(b).groups; ++g) {
            QList<Line> group = groupLines(d, b);
            group.first().groupStart = true;
            lines += group;
        }
        if (d.blankAfterBlock && b + 1 < d.blocks.size())
            lines.append({Role::Blank, b});
    }
    return lines;
}

QString chopBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QString answerRule(const Design &d, const Block &block)
{
    const QString cell = QString(block.numberWidth, QLatin1Char(d.answerFill))
                             .leftJustified(block.cellWidth, QLatin1Char(' '));
    return chopBlanks(cell.repeated(block.cells));
}

// One problem of a cell, with the numbers written under it.
struct Entry
{
    qint64 multiplicand = 0;
    qint64 multiplier = 0;
    QStringList answers; // partial products as written, then the product
};

SheetProblem drawProblem(const Block &block, int blockIndex, RandomSource &random)
{
    SheetProblem problem;
    problem.block = blockIndex;
    problem.multiplicand = drawInt(random, block.multiplicandSpan, block.multiplicandFrom);
    for (int i = 0; i < block.multiplierDigits; ++i)
        problem.multiplier = problem.multiplier * 10 + drawInt(random, 8, 2);
    problem.multiplier *= powerOfTen(block.multiplierZeros);
    return problem;
}

Entry writeCell(const Design &d, const Block &block, const SheetProblem &problem,
               WrittenDisplay display)
{
    Entry cell;
    cell.multiplicand = problem.multiplicand;
    cell.multiplier = problem.multiplier;
    cell.answers = sheetAnswers(writtenOf(problem, d.partialProducts), block.numberWidth,
                                d.partialProducts ? display : WrittenDisplay::Flush);
    return cell;
}

QString cellText(const Line &line, const Block &block, const Entry &cell)
{
    QString text;
    switch (line.role) {
    case Role::Problem:
        text = QStringLiteral("%1*%2").arg(cell.multiplicand).arg(cell.multiplier);
        break;
    case Role::Rule:
        text = QString(block.numberWidth, QLatin1Char('-'));
        break;
    case Role::Answer:
        text = cell.answers.at(line.answer);
        break;
    case Role::Blank:
        return QString();
    }
    return text.leftJustified(block.cellWidth, QLatin1Char(' '));
}

} // namespace

WrittenMultiplication writtenOf(const SheetProblem &problem, bool partialProducts)
{
    const QString digits = QString::number(problem.multiplier);
    if (!partialProducts)
        return WrittenMultiplication(problem.multiplicand, {digits.at(0).digitValue()},
                                     int(digits.size()) - 1);
    QList<int> multiplierDigits;
    for (const QChar digit : digits)
        multiplierDigits << digit.digitValue();
    return WrittenMultiplication(problem.multiplicand, multiplierDigits);
}

bool writesPartialProducts(SheetKind kind)
{
    return design(kind).partialProducts;
}

QString sheetTitle(SheetKind kind)
{
    return trainerKindName(kind);
}

QString pageTitle(SheetKind kind, SheetPass pass)
{
    return sheetTitle(kind)
        + (pass == SheetPass::Problems ? QStringLiteral(" (Rechenblatt)")
                                       : QStringLiteral(" (Lösungsblatt)"));
}

QString nameAndDateLine()
{
    return QStringLiteral("Name: ______________________________  Datum: ______________");
}

QList<SheetProblem> drawSheetProblems(SheetKind kind, RandomSource &random)
{
    const Design &d = design(kind);
    QList<SheetProblem> problems;
    for (int b = 0; b < d.blocks.size(); ++b) {
        const Block &block = d.blocks.at(b);
        for (int i = 0; i < block.groups * block.cells; ++i)
            problems.append(drawProblem(block, b, random));
    }
    return problems;
}

QStringList sheetText(SheetKind kind, const QList<SheetProblem> &problems, WrittenDisplay display)
{
    const Design &d = design(kind);
    QStringList sheet;
    QList<Entry> row;
    int next = 0;
    for (const Line &line : layout(d)) {
        const Block &block = d.blocks.at(line.block);
        if (line.groupStart) {
            row.clear();
            for (int c = 0; c < block.cells && next < problems.size(); ++c)
                row.append(writeCell(d, block, problems.at(next++), display));
        }
        QString text;
        if (line.role != Role::Blank) {
            for (const Entry &cell : std::as_const(row))
                text += cellText(line, block, cell);
        }
        sheet.append(text);
    }
    return sheet;
}

QStringList buildSheet(SheetKind kind, RandomSource &random, WrittenDisplay display)
{
    return sheetText(kind, drawSheetProblems(kind, random), display);
}

QMap<int, QString> answerRules(SheetKind kind)
{
    const Design &d = design(kind);
    const QList<Line> lines = layout(d);
    QMap<int, QString> rules;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.at(i).role == Role::Answer)
            rules.insert(i, answerRule(d, d.blocks.at(lines.at(i).block)));
    }
    return rules;
}

QStringList problemSheet(SheetKind kind, const QStringList &sheet)
{
    QStringList lines = sheet;
    const QMap<int, QString> rules = answerRules(kind);
    for (auto it = rules.cbegin(); it != rules.cend(); ++it) {
        if (it.key() < lines.size())
            lines[it.key()] = it.value();
    }
    return lines;
}

QList<int> groupStarts(SheetKind kind)
{
    const QList<Line> lines = layout(design(kind));
    QList<int> starts;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.at(i).groupStart)
            starts.append(i);
    }
    return starts;
}

PrintDocument printDocument(SheetKind kind, const QStringList &sheet, SheetPass pass)
{
    // Print column 5: four blanks before every text.
    const auto indented = [](const QString &text) {
        return text.isEmpty() ? text : QStringLiteral("    ") + text;
    };
    PrintDocument document;
    document.name = pageTitle(kind, pass);
    document.fontFamily = QString::fromUtf8(sheetFontFamily);
    document.pointSize = sheetPointSize;
    document.blocks.append({QString(), indented(pageTitle(kind, pass)), QString(), QString()});

    const QStringList lines = pass == SheetPass::Problems ? problemSheet(kind, sheet) : sheet;
    const QList<int> starts = groupStarts(kind);
    for (int i = 0; i < lines.size(); ++i) {
        if (starts.contains(i))
            document.blocks.append(QStringList());
        document.blocks.last().append(indented(lines.at(i)));
    }
    return document;
}

QString clipboardText(SheetKind kind, const QStringList &sheet)
{
    const QString lineBreak = QStringLiteral("\r\n");
    QString text;
    for (const QString &line : problemSheet(kind, sheet))
        text += line + lineBreak;
    text += lineBreak + lineBreak;
    for (const QString &line : sheet)
        text += line + lineBreak;
    return text;
}
