// Writes, and checks, the table of control names in docs/architecture.md: which control of
// which trainer window shows which cell of the written multiplication. The rows come from
// the trainers' own cell tables, so the documentation cannot say what the program does not.
//
//   malrechnen_control_names                 prints the generated part
//   malrechnen_control_names --write FILE    puts it between the markers in FILE
//   malrechnen_control_names --check FILE    exits 1 if FILE differs from it, or if a
//                                            control of a trainer window is missing from
//                                            the section, or the section names one that
//                                            no trainer window has
//
// --check and --write build the program's windows (offscreen), to see every objectName.

#include "test_program.h"
#include "trainers/common/cell_table.h"
#include "trainers/one_row/one_row_table.h"
#include "trainers/three_row/three_row_table.h"
#include "trainers/two_row/two_row_table.h"

#include <QApplication>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const QString beginMarker = QStringLiteral("<!-- BEGIN control table: written by malrechnen_control_names, do not edit -->");
const QString endMarker = QStringLiteral("<!-- END control table -->");
// The section of the file the controls are checked against, up to the next heading of its
// level.
const QString sectionHeading = QStringLiteral("## Control names");

QString partName(Part part)
{
    switch (part) {
    case Part::Multiplicand: return QStringLiteral("Multiplicand");
    case Part::Multiplier: return QStringLiteral("Multiplier");
    case Part::Carry: return QStringLiteral("Carry");
    case Part::PartialProduct: return QStringLiteral("PartialProduct");
    case Part::SumCarry: return QStringLiteral("SumCarry");
    case Part::Sum: return QStringLiteral("Sum");
    case Part::Zero: return QStringLiteral("Zero");
    case Part::RoundedMultiplicand: return QStringLiteral("RoundedMultiplicand");
    case Part::RoundedMultiplier: return QStringLiteral("RoundedMultiplier");
    case Part::Estimate: return QStringLiteral("Estimate");
    }
    return QString();
}

// Lines of the multiplication as a reader meets them: operands, then each partial product
// with its carries and zeros, then the addition.
int partOrder(Part part)
{
    const Part order[] = {Part::Multiplicand, Part::Multiplier, Part::Carry, Part::PartialProduct,
                          Part::Zero, Part::SumCarry, Part::Sum,
                          Part::RoundedMultiplicand, Part::RoundedMultiplier, Part::Estimate};
    return int(std::find(std::begin(order), std::end(order), part) - std::begin(order));
}

QString code(const QString &name)
{
    return QLatin1Char('`') + name + QLatin1Char('`');
}

// The role of a control that a gap problem always leaves empty.
const QString blankRole = QStringLiteral("blank");

// A control and where it stands; `place` already written out ("3", "t+1").
struct Entry
{
    QString name;
    Part part;
    int row;
    int sortPlace;
    QString place;
    QString role;
};

// One table row per line of the multiplication (part and row), its controls from the
// highest place down.
void appendRows(QStringList &out, const QString &window, const QString &layout, QList<Entry> entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.part != b.part)
            return partOrder(a.part) < partOrder(b.part);
        if (a.row != b.row)
            return a.row < b.row;
        return a.sortPlace > b.sortPlace;
    });
    for (int i = 0; i < entries.size();) {
        int j = i;
        QStringList names, places, roles, blanks;
        while (j < entries.size() && entries[j].part == entries[i].part && entries[j].row == entries[i].row) {
            names << code(entries[j].name);
            places << entries[j].place;
            if (entries[j].role == blankRole)
                blanks << code(entries[j].name);
            else if (!roles.contains(entries[j].role))
                roles << entries[j].role;
            ++j;
        }
        if (!blanks.isEmpty())
            roles << QStringLiteral("blank: ") + blanks.join(QStringLiteral(", "));
        const Part part = entries[i].part;
        const bool rowed = part == Part::Carry || part == Part::PartialProduct || part == Part::Zero;
        out << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |")
                   .arg(window, layout,
                        partName(part) + (rowed ? QStringLiteral(" row %1").arg(entries[i].row) : QString()),
                        names.join(QStringLiteral(", ")), places.join(QStringLiteral(", ")),
                        roles.join(QStringLiteral("; ")));
        i = j;
    }
}

QString withSign(int offset)
{
    if (offset == 0)
        return QStringLiteral("t");
    return offset > 0 ? QStringLiteral("t+%1").arg(offset) : QStringLiteral("t−%1").arg(-offset);
}

// Form1 in the modes E, Z and H: a place counted from the multiplier's digit is written
// with t, the number of its zeros.
QList<Entry> oneRowEntries(bool gap)
{
    const OneRowMode modes[] = {OneRowMode::E, OneRowMode::Z, OneRowMode::H};
    const QString modeNames[] = {QStringLiteral("E"), QStringLiteral("Z"), QStringLiteral("H")};
    QSet<QString> blanks;
    QSet<QString> fields;
    QList<Entry> entries;
    for (const QString &name : oneRowControls(gap)) {
        QList<int> zerosSeen;
        QList<Cell> cells;
        for (OneRowMode mode : modes) {
            const OneRowMode shown = gap ? gapCounterpart(mode) : mode;
            const CellTable table = oneRowCells(shown);
            const std::optional<Cell> cell = cellNamed(table, name);
            if (!cell)
                continue;
            zerosSeen << multiplierZeros(mode);
            cells << *cell;
            // 9 876 · 9: every control of the result has a digit.
            const WrittenMultiplication problem = oneRowProblem(9876, 9, mode);
            if (gap) {
                const Exercise exercise = oneRowGap(problem, 1);
                if (exercise.isField(*cell))
                    fields << name;
                for (int pattern = 1; pattern <= 4; ++pattern) {
                    if (oneRowGapBlanks(problem, pattern).contains(*cell))
                        blanks << name;
                }
            } else if (oneRowSingle(problem).isField(*cell)) {
                fields << name;
            }
        }
        const Cell first = cells.first();
        bool constant = true, shifted = true;
        for (int i = 0; i < cells.size(); ++i) {
            if (cells[i].part != first.part || cells[i].row != first.row)
                qFatal("%s shows different lines in different modes", qPrintable(name));
            constant = constant && cells[i].place == first.place;
            shifted = shifted && cells[i].place - zerosSeen[i] == first.place - zerosSeen.first();
        }
        QString place = constant || cells.size() == 1 ? QString::number(first.place)
                        : shifted                     ? withSign(first.place - zerosSeen.first())
                                                      : QString();
        if (place.isEmpty())
            qFatal("%s moves with the modes in no way t describes", qPrintable(name));
        if (cells.size() < 3) {
            QStringList in;
            for (int zeros : std::as_const(zerosSeen))
                in << modeNames[zeros];
            place += QStringLiteral(" (") + in.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        QString role;
        if (gap)
            role = blanks.contains(name) ? QStringLiteral("given or blank")
                   : fields.contains(name) ? QStringLiteral("given")
                                           : QStringLiteral("given, takes no drop");
        else
            role = fields.contains(name) ? QStringLiteral("pupil writes") : QStringLiteral("given");
        entries << Entry{name, first.part, first.row, cells.last().place, place, role};
    }
    return entries;
}

QList<Entry> rowsEntries(const RowsTables &tables, bool gap)
{
    const QList<int> digits = QList<int>(tables.multiplierDigits, 9);
    const WrittenMultiplication problem(9876, digits);
    const Exercise exercise = rowsExercise(tables, problem, gap, WrittenDisplay::Flush);
    QList<Entry> entries;
    for (const NamedCell &named : rowsCells(tables, gap)) {
        const Cell &cell = named.cell;
        QString role;
        if (gap)
            role = exercise.blanks().contains(cell) ? blankRole : QStringLiteral("given");
        else
            role = exercise.isField(cell) ? QStringLiteral("pupil writes") : QStringLiteral("given");
        entries << Entry{named.name, cell.part, cell.row, cell.place, QString::number(cell.place), role};
    }
    return entries;
}

// The Überschlag line of one example problem per trainer: its boxes depend on the numbers.
void appendEstimateExample(QStringList &out, const QString &window, const WrittenMultiplication &problem,
                           const QString &shown)
{
    QList<Entry> entries;
    for (const NamedCell &named : estimateTable(problem)) {
        const bool written = problem.estimateLine().contains(named.cell);
        entries << Entry{named.name, named.cell.part, 0, named.cell.place, QString::number(named.cell.place),
                         written ? QStringLiteral("pupil writes") : QStringLiteral("given")};
    }
    appendRows(out, window, QStringLiteral("Überschlag of ") + shown, entries);
}

QString generated()
{
    QStringList out;
    out << beginMarker;
    out << QStringLiteral("| Window | Layout | Cells | Controls | Places | Role |");
    out << QStringLiteral("|---|---|---|---|---|---|");
    appendRows(out, QStringLiteral("Form1"), QStringLiteral("single"), oneRowEntries(false));
    appendRows(out, QStringLiteral("Form1"), QStringLiteral("gap (`Bild6`)"), oneRowEntries(true));
    appendRows(out, QStringLiteral("Form2"), QStringLiteral("single"), rowsEntries(twoRowTables(), false));
    appendRows(out, QStringLiteral("Form2"), QStringLiteral("gap (`Bild6`)"), rowsEntries(twoRowTables(), true));
    appendRows(out, QStringLiteral("Form3"), QStringLiteral("single"), rowsEntries(threeRowTables(), false));
    appendRows(out, QStringLiteral("Form3"), QStringLiteral("gap (`Bild6`)"), rowsEntries(threeRowTables(), true));
    appendEstimateExample(out, QStringLiteral("Form1"), oneRowProblem(6722, 3, OneRowMode::Z),
                          QStringLiteral("6 722 · 30"));
    appendEstimateExample(out, QStringLiteral("Form2"), WrittenMultiplication(6722, {2, 6}),
                          QStringLiteral("6 722 · 26"));
    appendEstimateExample(out, QStringLiteral("Form3"), WrittenMultiplication(9500, {3, 2, 7}),
                          QStringLiteral("9 500 · 327"));
    out << endMarker;
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}

// The file with its generated part replaced; empty if the markers are missing.
QString withGenerated(const QString &text)
{
    const qsizetype begin = text.indexOf(beginMarker);
    const qsizetype end = text.indexOf(endMarker, begin);
    if (begin < 0 || end < 0)
        return QString();
    qsizetype after = end + endMarker.size();
    if (after < text.size() && text.at(after) == QLatin1Char('\n'))
        ++after;
    return text.left(begin) + generated() + text.mid(after);
}

QString section(const QString &text)
{
    const qsizetype begin = text.indexOf(QLatin1Char('\n') + sectionHeading + QLatin1Char('\n'));
    if (begin < 0)
        return QString();
    const qsizetype end = text.indexOf(QStringLiteral("\n## "), begin + 1);
    return text.mid(begin, end < 0 ? -1 : end - begin);
}

// The names the section mentions: every `Name`, and every name of a range
// `Name2`–`Name11`.
QSet<QString> mentioned(const QString &text)
{
    QSet<QString> names;
    static const QRegularExpression name(QStringLiteral("`([A-Za-z][A-Za-z0-9]*)`"));
    for (auto it = name.globalMatch(text); it.hasNext();)
        names << it.next().captured(1);
    static const QRegularExpression range(QStringLiteral("`([A-Za-z]+)([0-9]+)`[–-]`\\1([0-9]+)`"));
    for (auto it = range.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        for (int i = m.captured(2).toInt(); i <= m.captured(3).toInt(); ++i)
            names << m.captured(1) + QString::number(i);
    }
    return names;
}

// A control name as the windows spell them: `Befehl21`, `luecke7`, `Ueberschlag3`.
bool isNumbered(const QString &name)
{
    static const QRegularExpression numbered(QStringLiteral("^[A-Za-z]+[0-9]+$"));
    return numbered.match(name).hasMatch();
}

// Every objectName the program gives in the trainer windows and their sheet views (Qt
// names some parts of its own widgets "qt_…"), the window's own included.
QMap<QString, QSet<QString>> controlsOfTrainers()
{
    TestProgram program;
    QMap<QString, QSet<QString>> controls;
    for (WindowId id : {WindowId::OneRow, WindowId::TwoRow, WindowId::ThreeRow}) {
        QWidget *window = program.open(id);
        QSet<QString> &names = controls[window->objectName()];
        names << window->objectName();
        for (const QObject *child : window->findChildren<QObject *>()) {
            const QString name = child->objectName();
            if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
                names << name;
        }
    }
    return controls;
}

int check(const QString &path)
{
    const QString text = readFile(path);
    int problems = 0;
    const QString current = withGenerated(text);
    if (current.isEmpty()) {
        std::fprintf(stderr, "%s: the markers of the control table are missing\n", qPrintable(path));
        ++problems;
    } else if (current != text) {
        std::fprintf(stderr,
                     "%s: the control table is not the one the cell tables give; "
                     "run malrechnen_control_names --write %s\n",
                     qPrintable(path), qPrintable(path));
        ++problems;
    }
    const QString controlSection = section(current.isEmpty() ? text : current);
    if (controlSection.isEmpty()) {
        std::fprintf(stderr, "%s: no section \"%s\"\n", qPrintable(path), qPrintable(sectionHeading));
        return 1;
    }
    const QSet<QString> documented = mentioned(controlSection);
    QSet<QString> existing;
    const QMap<QString, QSet<QString>> controls = controlsOfTrainers();
    for (auto it = controls.begin(); it != controls.end(); ++it) {
        existing += it.value();
        QStringList missing;
        for (const QString &name : it.value()) {
            if (!documented.contains(name))
                missing << name;
        }
        std::sort(missing.begin(), missing.end());
        for (const QString &name : std::as_const(missing)) {
            std::fprintf(stderr, "%s: %s has a control %s that \"%s\" does not name\n", qPrintable(path),
                         qPrintable(it.key()), qPrintable(name), qPrintable(sectionHeading));
            ++problems;
        }
    }
    QStringList unknown;
    for (const QString &name : documented) {
        if (isNumbered(name) && !existing.contains(name))
            unknown << name;
    }
    std::sort(unknown.begin(), unknown.end());
    for (const QString &name : std::as_const(unknown)) {
        std::fprintf(stderr, "%s: \"%s\" names %s, which no trainer window has\n", qPrintable(path),
                     qPrintable(sectionHeading), qPrintable(name));
        ++problems;
    }
    if (problems == 0)
        std::printf("%s: control names ok\n", qPrintable(path));
    return problems == 0 ? 0 : 1;
}

int write(const QString &path)
{
    const QString current = withGenerated(readFile(path));
    if (current.isEmpty()) {
        std::fprintf(stderr, "%s: put the two marker lines where the table goes:\n%s\n%s\n", qPrintable(path),
                     qPrintable(beginMarker), qPrintable(endMarker));
        return 1;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        qFatal("cannot write %s", qPrintable(path));
    file.write(current.toUtf8());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 1) {
        std::fputs(generated().toUtf8().constData(), stdout);
        return 0;
    }
    if (argc != 3 || (qstrcmp(argv[1], "--check") != 0 && qstrcmp(argv[1], "--write") != 0)) {
        std::fprintf(stderr, "usage: %s [--check|--write FILE]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[2]);
    return qstrcmp(argv[1], "--check") == 0 ? check(path) : write(path);
}
