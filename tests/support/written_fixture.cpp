#include "written_fixture.h"

#include "arithmetic/written_views.h"

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
    static const char *const names[] = {"Multiplicand", "Multiplier", "Carry", "PartialProduct",
                                        "SumCarry",     "Sum",        "Zero"};
    return QStringLiteral("%1 %2 @ %3").arg(QLatin1String(names[int(cell.part)])).arg(cell.row).arg(cell.place);
}
