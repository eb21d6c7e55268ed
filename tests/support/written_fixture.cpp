#include "written_fixture.h"

#include "arithmetic/written_views.h"
#include "training/exercise.h"

#include <QRegularExpression>

namespace {

const int tagWidth = 9;

QString line(const QString &tag, const QString &places)
{
    return tag.leftJustified(tagWidth, QLatin1Char(' ')) + places;
}

QString places(const WrittenMultiplication &w, Part part, int row, WrittenDisplay display)
{
    return displayLine(w, part, row, w.width(), display).replace(QLatin1Char(' '), QLatin1Char('_'));
}

} // namespace

std::optional<WrittenMultiplication> parseProblem(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d+)\\s*·\\s*(\\d+)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString multiplier = match.captured(2);
    QList<int> digits;
    int zeros = 0;
    if (multiplier.size() > 1 && multiplier.mid(1).count(QLatin1Char('0')) == multiplier.size() - 1) {
        digits << multiplier.left(1).toInt();
        zeros = int(multiplier.size()) - 1;
    } else {
        for (QChar ch : multiplier)
            digits << ch.digitValue();
    }
    return WrittenMultiplication(match.captured(1).toLongLong(), digits, zeros);
}

QStringList renderFixture(const WrittenMultiplication &w, WrittenDisplay display)
{
    QString multiplier = QString::number(w.multiplier());
    QStringList lines{QStringLiteral("%1 · %2").arg(w.multiplicand()).arg(multiplier)};
    for (int r = 0; r < w.rowCount(); ++r)
        lines << line(QStringLiteral("carry"), places(w, Part::Carry, r, display));
    for (int r = 0; r < w.rowCount(); ++r)
        lines << line(QStringLiteral("row"), places(w, Part::PartialProduct, r, display));
    if (w.hasSum()) {
        lines << line(QStringLiteral("sumcarry"), places(w, Part::SumCarry, 0, display));
        lines << line(QStringLiteral("sum"), places(w, Part::Sum, 0, display));
    }
    return lines;
}

std::optional<WrittenFixture> parseFixture(const QStringList &lines)
{
    const std::optional<WrittenMultiplication> written = parseProblem(lines.value(0));
    if (!written)
        return std::nullopt;
    // The staircase leaves the zeros of the first partial product unwritten.
    WrittenDisplay display = WrittenDisplay::Flush;
    for (const QString &text : lines) {
        if (text.startsWith(QLatin1String("row")) && written->trailingZeros(0) > 0) {
            display = text.endsWith(QLatin1Char('_')) ? WrittenDisplay::Staircase : WrittenDisplay::Flush;
            break;
        }
    }
    return WrittenFixture{*written, display};
}

QString cellText(const Cell &cell)
{
    static const char *const names[] = {"Multiplicand", "Multiplier",          "Carry",
                                        "PartialProduct", "SumCarry",          "Sum",
                                        "Zero",         "RoundedMultiplicand", "RoundedMultiplier",
                                        "Estimate"};
    return QStringLiteral("%1 %2 @ %3").arg(QLatin1String(names[int(cell.part)])).arg(cell.row).arg(cell.place);
}

namespace {

QString shownPlaces(const Exercise &ex, Part part, int row)
{
    const WrittenMultiplication &w = ex.written();
    QString text;
    for (int place = w.width() - 1; place >= 0; --place) {
        Cell cell{part, row, place};
        if (part == Part::PartialProduct && place < w.trailingZeros(row))
            cell.part = Part::Zero;
        const std::optional<int> digit = ex.isShown(cell) ? ex.shownDigit(cell) : std::nullopt;
        text += digit ? QChar(u'0' + *digit) : QLatin1Char('_');
    }
    return text;
}

QString shownOperand(const Exercise &ex, Part part, int length)
{
    QString text;
    for (int place = length - 1; place >= 0; --place) {
        const std::optional<int> digit = ex.shownDigit({part, 0, place});
        text += digit ? QChar(u'0' + *digit) : QLatin1Char('_');
    }
    return text;
}

} // namespace

QStringList renderShown(const Exercise &ex)
{
    const WrittenMultiplication &w = ex.written();
    QStringList lines{QStringLiteral("%1 · %2")
                          .arg(shownOperand(ex, Part::Multiplicand, w.multiplicandLength()),
                               shownOperand(ex, Part::Multiplier, w.rowCount() + w.multiplierZeros()))};
    for (int r = 0; r < w.rowCount(); ++r)
        lines << line(QStringLiteral("carry"), shownPlaces(ex, Part::Carry, r));
    for (int r = 0; r < w.rowCount(); ++r)
        lines << line(QStringLiteral("row"), shownPlaces(ex, Part::PartialProduct, r));
    if (w.hasSum()) {
        lines << line(QStringLiteral("sumcarry"), shownPlaces(ex, Part::SumCarry, 0));
        lines << line(QStringLiteral("sum"), shownPlaces(ex, Part::Sum, 0));
    }
    if (ex.hasEstimate()) {
        const auto number = [&](Part part) { return shownOperand(ex, part, int(w.cells(part).size())); };
        lines << line(QStringLiteral("estimate"), QStringLiteral("%1 · %2 = %3")
                                                      .arg(number(Part::RoundedMultiplicand),
                                                           number(Part::RoundedMultiplier), number(Part::Estimate)));
    }
    return lines;
}

std::optional<Cell> parseCell(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\w+) (\\d+) @ (\\d+)$"));
    static const QStringList names = {"Multiplicand", "Multiplier",          "Carry",
                                      "PartialProduct", "SumCarry",          "Sum",
                                      "Zero",         "RoundedMultiplicand", "RoundedMultiplier",
                                      "Estimate"};
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    const int part = int(names.indexOf(match.captured(1)));
    if (!match.hasMatch() || part < 0)
        return std::nullopt;
    return Cell{Part(part), match.captured(2).toInt(), match.captured(3).toInt()};
}
