#include "trainers/common/cell_table.h"

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
