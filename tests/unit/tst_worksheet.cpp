#include "platform/print_layout.h"
#include "scripted_random.h"
#include "seams/printer.h"
#include "worksheets/worksheet.h"

#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(SheetKind)
Q_DECLARE_METATYPE(WrittenDisplay)
Q_DECLARE_METATYPE(SheetPass)

using AnswerRules = QMap<int, QString>;

namespace {

// Scripts the draws of one cell: the multiplicand, then the multiplier digits from the
// highest. `fourDigits` is the second block of the two-row sheet.
void pushCell(ScriptedRandom &random, int multiplicand, const QString &digits,
              bool fourDigits = false)
{
    if (fourDigits)
        random.pushInt(multiplicand, 9000, 1000);
    else
        random.pushInt(multiplicand, 900, 100);
    for (const QChar digit : digits)
        random.pushInt(digit.digitValue(), 8, 2);
}

struct Column
{
    int start;
    int width;  // the cell, trailing blanks included
    int dashes; // its rule
};

// The cells of a group, read off its rule line.
QList<Column> columnsOf(const QString &rule)
{
    QList<Column> columns;
    static const QRegularExpression cell(QStringLiteral("(-+)( +)"));
    for (auto it = cell.globalMatch(rule); it.hasNext();) {
        const auto m = it.next();
        columns.append({int(m.capturedStart()), int(m.capturedLength()), int(m.capturedLength(1))});
    }
    return columns;
}

} // namespace

class TestWorksheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void problemSheetReplacesTheAnswerLines_data();
    void problemSheetReplacesTheAnswerLines();
    void everyCellIsWrittenAsOnPaper_data();
    void everyCellIsWrittenAsOnPaper();
    void firstCellOfABlock_data();
    void firstCellOfABlock();
    void clipboardText_data();
    void clipboardText();
    void printDocument_data();
    void printDocument();
    void paginate_data();
    void paginate();
    void fittingPointSize_data();
    void fittingPointSize();
};

void TestWorksheet::problemSheetReplacesTheAnswerLines_data()
{
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<AnswerRules>("rules");

    const QString oneE = QStringLiteral("_____   _____   _____   _____   _____   _____");
    const QString oneZ = QStringLiteral("______  ______  ______  ______  ______  ______");
    const QString oneH = QStringLiteral("_______   _______   _______   _______   _______");
    QMap<int, QString> one;
    for (int line : {2, 7, 12})
        one.insert(line, oneE);
    for (int line : {18, 23})
        one.insert(line, oneZ);
    for (int line : {29, 34})
        one.insert(line, oneH);
    QTest::newRow("one-row") << SheetKind::OneRow << 37 << one;

    QMap<int, QString> two;
    for (int line : {3, 4, 6, 11, 12, 14, 19, 20, 22})
        two.insert(line, QStringLiteral("......  ......  ......  ......  ......  ......"));
    for (int line : {27, 28, 30, 35, 36, 38})
        two.insert(line, QStringLiteral(".......      .......      .......      ......."));
    QTest::newRow("two-row") << SheetKind::TwoRow << 40 << two;

    QMap<int, QString> three;
    for (int line : {3, 4, 5, 7, 12, 13, 14, 16, 21, 22, 23, 25, 30, 31, 32, 34})
        three.insert(line, QStringLiteral(".......     .......     .......     ......."));
    QTest::newRow("three-row") << SheetKind::ThreeRow << 36 << three;
}

void TestWorksheet::problemSheetReplacesTheAnswerLines()
{
    QFETCH(SheetKind, kind);
    QFETCH(int, lineCount);
    QFETCH(AnswerRules, rules);

    ScriptedRandom random;
    const QStringList sheet = buildSheet(kind, random);
    QCOMPARE(sheet.size(), lineCount);
    QCOMPARE(answerRules(kind), rules);

    const QStringList problems = problemSheet(kind, sheet);
    QCOMPARE(problems.size(), sheet.size());
    for (int i = 0; i < sheet.size(); ++i) {
        if (rules.contains(i))
            QCOMPARE(problems.at(i), rules.value(i));
        else
            QCOMPARE(problems.at(i), sheet.at(i));
    }
}

void TestWorksheet::everyCellIsWrittenAsOnPaper_data()
{
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<WrittenDisplay>("display");
    QTest::addColumn<QList<int>>("groupStarts");

    QTest::newRow("one-row") << SheetKind::OneRow << WrittenDisplay::Flush
                             << QList<int>{0, 5, 10, 16, 21, 27, 32};
    QTest::newRow("two-row") << SheetKind::TwoRow << WrittenDisplay::Flush
                             << QList<int>{0, 8, 16, 24, 32};
    QTest::newRow("two-row staircase") << SheetKind::TwoRow << WrittenDisplay::Staircase
                                       << QList<int>{0, 8, 16, 24, 32};
    QTest::newRow("three-row") << SheetKind::ThreeRow << WrittenDisplay::Flush
                               << QList<int>{0, 9, 18, 27};
    QTest::newRow("three-row staircase") << SheetKind::ThreeRow << WrittenDisplay::Staircase
                                         << QList<int>{0, 9, 18, 27};
}

// Many random sheets: every problem and every number under it fits its cell, the cell
// is as wide as its rule cell, the numbers are right and stand right-aligned (partial
// products of the staircase shifted one column per place).
void TestWorksheet::everyCellIsWrittenAsOnPaper()
{
    QFETCH(SheetKind, kind);
    QFETCH(WrittenDisplay, display);
    QFETCH(QList<int>, groupStarts);
    QCOMPARE(::groupStarts(kind), groupStarts);

    static const QRegularExpression problemCell(QStringLiteral("^(\\d+)\\*(\\d+) +$"));
    static const QRegularExpression numberCell(QStringLiteral("^ *(\\d+) *$"));
    const QMap<int, QString> rules = answerRules(kind);
    ScriptedRandom random;
    for (int run = 0; run < 200; ++run) {
        const QStringList sheet = buildSheet(kind, random, display);
        for (int g = 0; g < groupStarts.size(); ++g) {
            const int end = g + 1 < groupStarts.size() ? groupStarts.at(g + 1) : int(sheet.size());
            QList<int> written;
            for (int i = groupStarts.at(g); i < end; ++i) {
                if (!sheet.at(i).isEmpty())
                    written.append(i);
            }
            const QString &problem = sheet.at(written.at(0));
            const QString &rule = sheet.at(written.at(1));
            QList<int> answers;
            for (int line : written) {
                QCOMPARE(sheet.at(line).size(), rule.size());
                if (rules.contains(line))
                    answers.append(line);
            }
            const QList<Column> columns = columnsOf(rule);
            QVERIFY(!columns.isEmpty());
            for (const Column &c : columns) {
                const auto p = problemCell.match(problem.mid(c.start, c.width));
                QVERIFY2(p.hasMatch(), qPrintable(problem));
                QVERIFY2(problem.mid(c.start, c.width).trimmed().size() <= c.dashes,
                         qPrintable(problem));
                const qint64 n = p.captured(1).toLongLong();
                const QString m = p.captured(2);
                const qint64 multiplier = m.toLongLong();
                QVERIFY(n >= 100 && n <= 9999);

                // The product is the last answer line; above it one partial product per
                // digit of a two- or three-digit multiplier, highest digit first.
                const QString digits = kind == SheetKind::OneRow ? QString() : m;
                QCOMPARE(answers.size(), int(digits.size()) + 1);
                qint64 sum = 0;
                for (int a = 0; a < answers.size(); ++a) {
                    const QString cell = sheet.at(answers.at(a)).mid(c.start, c.width);
                    const auto number = numberCell.match(cell);
                    QVERIFY2(number.hasMatch(), qPrintable(cell));
                    const qint64 value = number.captured(1).toLongLong();
                    const int endColumn = int(number.capturedEnd(1));
                    if (a + 1 == answers.size()) {
                        QCOMPARE(value, n * multiplier);
                        QCOMPARE(endColumn, c.dashes);
                        if (!digits.isEmpty())
                            QCOMPARE(sum, value);
                        continue;
                    }
                    const int place = int(digits.size()) - 1 - a;
                    qint64 scale = 1;
                    for (int s = 0; s < place; ++s)
                        scale *= 10;
                    const qint64 partial = n * digits.at(a).digitValue();
                    if (display == WrittenDisplay::Staircase) {
                        QCOMPARE(value, partial);
                        QCOMPARE(endColumn, c.dashes - place);
                    } else {
                        QCOMPARE(value, partial * scale);
                        QCOMPARE(endColumn, c.dashes);
                    }
                    sum += partial * scale;
                }
            }
        }
    }
}

void TestWorksheet::firstCellOfABlock_data()
{
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<WrittenDisplay>("display");
    QTest::addColumn<int>("cellsBefore");
    QTest::addColumn<int>("multiplicand");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("firstLine");
    QTest::addColumn<QStringList>("column");

    QTest::newRow("one-row 999*9") << SheetKind::OneRow << WrittenDisplay::Flush << 0 << 999
                                   << QStringLiteral("9") << 0
                                   << QStringList{"999*9   ", "-----   ", " 8991   ", "", ""};
    QTest::newRow("one-row 100*20") << SheetKind::OneRow << WrittenDisplay::Flush << 18 << 100
                                    << QStringLiteral("2") << 16
                                    << QStringList{"100*20  ", "------  ", "  2000  ", "", ""};
    QTest::newRow("one-row 999*900") << SheetKind::OneRow << WrittenDisplay::Flush << 30 << 999
                                     << QStringLiteral("9") << 27
                                     << QStringList{"999*900   ", "-------   ", " 899100   ", "", ""};
    QTest::newRow("two-row 999*99") << SheetKind::TwoRow << WrittenDisplay::Flush << 0 << 999
                                    << QStringLiteral("99") << 0
                                    << QStringList{"", "999*99  ", "------  ", " 89910  ",
                                                   "  8991  ", "------  ", " 98901  ", ""};
    QTest::newRow("two-row 999*99 staircase")
        << SheetKind::TwoRow << WrittenDisplay::Staircase << 0 << 999 << QStringLiteral("99") << 0
        << QStringList{"", "999*99  ", "------  ", " 8991   ", "  8991  ", "------  ",
                       " 98901  ", ""};
    QTest::newRow("two-row 9999*99") << SheetKind::TwoRow << WrittenDisplay::Flush << 18 << 9999
                                     << QStringLiteral("99") << 24
                                     << QStringList{"", "9999*99      ", "-------      ",
                                                    " 899910      ", "  89991      ",
                                                    "-------      ", " 989901      ", ""};
    QTest::newRow("three-row 999*999")
        << SheetKind::ThreeRow << WrittenDisplay::Flush << 0 << 999 << QStringLiteral("999") << 0
        << QStringList{"", "999*999     ", "-------     ", " 899100     ", "  89910     ",
                       "   8991     ", "-------     ", " 998001     ", ""};
    QTest::newRow("three-row 999*999 staircase")
        << SheetKind::ThreeRow << WrittenDisplay::Staircase << 0 << 999 << QStringLiteral("999") << 0
        << QStringList{"", "999*999     ", "-------     ", " 8991       ", "  8991      ",
                       "   8991     ", "-------     ", " 998001     ", ""};
    QTest::newRow("three-row 100*222") << SheetKind::ThreeRow << WrittenDisplay::Flush << 4 << 100
                                       << QStringLiteral("222") << 9
                                       << QStringList{"", "100*222     ", "-------     ",
                                                      "  20000     ", "   2000     ",
                                                      "    200     ", "-------     ",
                                                      "  22200     ", ""};
}

// The draws of each cell, multiplicand first, and the cell as written under each other.
void TestWorksheet::firstCellOfABlock()
{
    QFETCH(SheetKind, kind);
    QFETCH(WrittenDisplay, display);
    QFETCH(int, cellsBefore);
    QFETCH(int, multiplicand);
    QFETCH(QString, digits);
    QFETCH(int, firstLine);
    QFETCH(QStringList, column);

    ScriptedRandom random;
    for (int i = 0; i < cellsBefore; ++i)
        pushCell(random, kind == SheetKind::OneRow ? 123 : 456, QString(digits.size(), u'2'));
    pushCell(random, multiplicand, digits, kind == SheetKind::TwoRow && cellsBefore >= 18);
    const QStringList sheet = buildSheet(kind, random, display);
    for (int i = 0; i < column.size(); ++i)
        QCOMPARE(sheet.at(firstLine + i).left(column.at(i).size()), column.at(i));
}

void TestWorksheet::clipboardText_data()
{
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<QStringList>("sheet");
    QTest::addColumn<QString>("text");

    QTest::newRow("before any sheet") << SheetKind::OneRow << QStringList() << QStringLiteral("\r\n\r\n");
    QTest::newRow("one-row group")
        << SheetKind::OneRow << QStringList{"999*9   ", "-----   ", " 8991   ", "", ""}
        << QStringLiteral("999*9   \r\n-----   \r\n"
                          "_____   _____   _____   _____   _____   _____\r\n\r\n\r\n"
                          "\r\n\r\n"
                          "999*9   \r\n-----   \r\n 8991   \r\n\r\n\r\n");
    QTest::newRow("two-row group")
        << SheetKind::TwoRow
        << QStringList{"", "999*99  ", "------  ", " 89910  ", "  8991  ", "------  ", " 98901  ", ""}
        << QStringLiteral("\r\n999*99  \r\n------  \r\n"
                          "......  ......  ......  ......  ......  ......\r\n"
                          "......  ......  ......  ......  ......  ......\r\n"
                          "------  \r\n"
                          "......  ......  ......  ......  ......  ......\r\n\r\n"
                          "\r\n\r\n"
                          "\r\n999*99  \r\n------  \r\n 89910  \r\n  8991  \r\n------  \r\n"
                          " 98901  \r\n\r\n");
}

void TestWorksheet::clipboardText()
{
    QFETCH(SheetKind, kind);
    QFETCH(QStringList, sheet);
    QFETCH(QString, text);
    QCOMPARE(::clipboardText(kind, sheet), text);
}

void TestWorksheet::printDocument_data()
{
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<SheetPass>("pass");
    QTest::addColumn<QString>("title");

    QTest::newRow("one-row problems") << SheetKind::OneRow << SheetPass::Problems
                                      << QStringLiteral("Einreihige Multiplikation (Rechenblatt)");
    QTest::newRow("one-row solutions") << SheetKind::OneRow << SheetPass::Solutions
                                       << QStringLiteral("Einreihige Multiplikation (Lösungsblatt)");
    QTest::newRow("two-row problems") << SheetKind::TwoRow << SheetPass::Problems
                                      << QStringLiteral("Zweireihige Multiplikation (Rechenblatt)");
    QTest::newRow("three-row solutions") << SheetKind::ThreeRow << SheetPass::Solutions
                                         << QStringLiteral("Dreireihige Multiplikation (Lösungsblatt)");
}

// A blank line, the title, two blank lines, then the sheet from print column 5, one
// block per problem group so that pages break between groups only.
void TestWorksheet::printDocument()
{
    QFETCH(SheetKind, kind);
    QFETCH(SheetPass, pass);
    QFETCH(QString, title);

    ScriptedRandom random;
    const QStringList sheet = buildSheet(kind, random);
    const PrintDocument document = ::printDocument(kind, sheet, pass);
    QCOMPARE(document.name, title);
    QCOMPARE(document.fontFamily, QStringLiteral("Courier New"));
    QCOMPARE(document.pointSize, 18.0);
    QCOMPARE(document.blocks.first(), (QStringList{"", "    " + title, "", ""}));

    const QStringList expected = pass == SheetPass::Problems ? problemSheet(kind, sheet) : sheet;
    const QList<int> starts = groupStarts(kind);
    QCOMPARE(document.blocks.size(), starts.size() + 1);
    for (int b = 1; b < document.blocks.size(); ++b) {
        const int from = starts.at(b - 1);
        const int to = b < starts.size() ? starts.at(b) : int(expected.size());
        QStringList lines;
        for (int i = from; i < to; ++i)
            lines.append(expected.at(i).isEmpty() ? QString() : "    " + expected.at(i));
        QCOMPARE(document.blocks.at(b), lines);
    }

    const PrintDocument empty = ::printDocument(kind, QStringList(), pass);
    QCOMPARE(empty.lines(), (QStringList{"", "    " + title, "", ""}));
}

void TestWorksheet::paginate_data()
{
    QTest::addColumn<QList<QStringList>>("blocks");
    QTest::addColumn<int>("linesPerPage");
    QTest::addColumn<QList<QStringList>>("pages");

    const QStringList a{"a1", "a2", ""};
    const QStringList b{"b1", "b2", "b3", "", ""};
    const QStringList c{"c1"};
    QTest::newRow("all on one page") << QList<QStringList>{a, b, c} << 20
                                     << QList<QStringList>{a + b + c};
    QTest::newRow("a block that does not fit starts a page")
        << QList<QStringList>{a, b, c} << 5
        << QList<QStringList>{a, {"b1", "b2", "b3", "", ""}, c};
    QTest::newRow("trailing blanks run out at the page end")
        << QList<QStringList>{a, b, c} << 6
        << QList<QStringList>{a + QStringList{"b1", "b2", "b3"}, c};
    QTest::newRow("a block longer than a page is split")
        << QList<QStringList>{c, b} << 2
        << QList<QStringList>{{"c1"}, {"b1", "b2"}, {"b3", ""}};
}

void TestWorksheet::paginate()
{
    QFETCH(QList<QStringList>, blocks);
    QFETCH(int, linesPerPage);
    QFETCH(QList<QStringList>, pages);
    QCOMPARE(::paginate(blocks, linesPerPage), pages);
}

void TestWorksheet::fittingPointSize_data()
{
    QTest::addColumn<double>("charactersWide");
    QTest::addColumn<double>("available");
    QTest::addColumn<double>("size");

    // Courier is 0.6 em wide: at 18 pt a character takes 10.8 pt.
    QTest::newRow("fits at 18 pt") << 48.0 << 523.0 << 18.0;
    QTest::newRow("just fits") << 50.0 << 540.0 << 18.0;
    QTest::newRow("two-row line on A4") << 56.0 << 523.0 << 15.5;
    QTest::newRow("two-row line on Letter") << 56.0 << 540.0 << 16.0;
}

void TestWorksheet::fittingPointSize()
{
    QFETCH(double, charactersWide);
    QFETCH(double, available);
    QFETCH(double, size);
    const auto widthAt = [&](double points) { return charactersWide * 0.6 * points; };
    const double fitted = ::fittingPointSize(18, available, widthAt);
    QCOMPARE(fitted, size);
    QVERIFY(widthAt(fitted) <= available);
    QVERIFY(fitted == 18 || widthAt(fitted + 0.5) > available);

    // A font that does not grow in proportion still ends at a size that fits.
    const auto uneven = [&](double points) { return widthAt(points) + 30; };
    const double safe = ::fittingPointSize(18, available, uneven);
    QVERIFY(uneven(safe) <= available);
}

QTEST_GUILESS_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
