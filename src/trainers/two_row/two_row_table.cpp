#include "trainers/two_row/two_row_table.h"

const RowsTables &twoRowTables()
{
    static const RowsTables tables{
        2,
        {"Bezeichnung1", "Bezeichnung2", "Bezeichnung3", "Bezeichnung4"},
        {"Bezeichnung5", "Bezeichnung6"},
        {
            {"Bezeichnung17", 0, 6}, {"Bezeichnung18", 0, 5}, {"Bezeichnung19", 0, 4},
            {"Bezeichnung20", 0, 3}, {"Bezeichnung21", 0, 2}, {"Bezeichnung9", 0, 1},
            {"Bezeichnung11", 1, 5}, {"Bezeichnung12", 1, 4}, {"Bezeichnung13", 1, 3},
            {"Bezeichnung14", 1, 2}, {"Bezeichnung26", 1, 1},
            {"Bezeichnung28", 2, 6}, {"Bezeichnung30", 2, 5}, {"Bezeichnung31", 2, 4},
            {"Bezeichnung32", 2, 3}, {"Bezeichnung33", 2, 2}, {"Bezeichnung34", 2, 1},
        },
        {"Uebertrag2", "Uebertrag3", "Uebertrag4", "Uebertrag5", "Uebertrag6"},
        {"luecke1", "luecke2", "luecke3", "luecke4"},
        {"luecke5", "luecke6"},
        {
            {"luecke7", "luecke8", "luecke9", "luecke10", "luecke11", "luecke12"},
            {"luecke13", "luecke14", "luecke15", "luecke16", "luecke17"},
            {"luecke18", "luecke19", "luecke20", "luecke21", "luecke22", "luecke23"},
        },
        {"luecke24", "luecke25", "luecke26", "luecke27", "luecke28"},
        {"luecke9", "luecke11", "luecke14", "luecke16", "luecke18", "luecke20", "luecke22"},
    };
    return tables;
}
