#include "trainers/common/cell_table.h"

#include "training/diagnosis.h"

#include <algorithm>

namespace {

// "Übertrag der Einerspalte": the carry out of the column at `place`.
QString carryDescription(int place)
{
    const QString column = columnName(place);
    return column.isEmpty() ? column : QStringLiteral("Übertrag der ") + column;
}

} // namespace

std::optional<Cell> cellNamed(const CellTable &table, const QString &name)
{
    for (const NamedCell &named : table) {
        if (named.name == name)
            return named.cell;
    }
    return std::nullopt;
}

QString nameOfCell(const CellTable &table, const Cell &cell)
{
    for (const NamedCell &named : table) {
        if (named.cell == cell)
            return named.name;
    }
    return QString();
}

QString cellDescription(const WrittenMultiplication &w, const Cell &cell)
{
    switch (cell.part) {
    case Part::Multiplicand:
        return QStringLiteral("Erste Zahl, ") + placeName(cell.place);
    case Part::Multiplier:
        if (w.multiplierZeros() == 0 && w.rowCount() > 1)
            return QStringLiteral("Zweite Zahl, ") + placeName(cell.place);
        if (cell.place >= w.multiplierZeros())
            return QStringLiteral("Zweite Zahl");
        return w.multiplierZeros() - cell.place == 1 ? QStringLiteral("Zweite Zahl, erste Null")
                                                     : QStringLiteral("Zweite Zahl, zweite Null");
    case Part::Carry:
        // Named by the column it comes out of: the multiplicand's column, whatever zeros
        // the partial product is shifted by.
        return carryDescription(cell.place - 1 - w.trailingZeros(cell.row));
    case Part::SumCarry:
        return carryDescription(cell.place - 1);
    case Part::PartialProduct:
    case Part::Zero:
        if (w.rowCount() > 1)
            return QStringLiteral("%1. Teilprodukt, ").arg(cell.row + 1) + placeName(cell.place);
        return QStringLiteral("Ergebnis, ") + placeName(cell.place);
    case Part::Sum:
        return QStringLiteral("Ergebnis, ") + placeName(cell.place);
    case Part::RoundedMultiplicand:
        return QStringLiteral("Überschlag, erste Zahl gerundet, ") + placeName(cell.place);
    case Part::RoundedMultiplier:
        return QStringLiteral("Überschlag, zweite Zahl gerundet, ") + placeName(cell.place);
    case Part::Estimate:
        return QStringLiteral("Überschlag, Ergebnis, ") + placeName(cell.place);
    }
    return QString();
}

CellTable estimateTable(const WrittenMultiplication &w)
{
    CellTable table;
    const QList<Cell> line = w.estimateLine();
    for (int i = 0; i < line.size(); ++i)
        table.append({QStringLiteral("Ueberschlag%1").arg(i + 1), line.at(i)});
    // A multiplier the line leaves as written stands in it as given digits.
    QList<Cell> multiplier = w.cells(Part::RoundedMultiplier);
    std::reverse(multiplier.begin(), multiplier.end());
    int given = 0;
    for (const Cell &digit : std::as_const(multiplier)) {
        if (!line.contains(digit))
            table.append({QStringLiteral("estimateMultiplier%1").arg(++given), digit});
    }
    return table;
}
