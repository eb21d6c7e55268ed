#include "trainers/three_row/three_row_table.h"

const RowsTables &threeRowTables()
{
    static const RowsTables tables{
        3,
        {"Bezeichnung1", "Bezeichnung2", "Bezeichnung3", "Bezeichnung4"},
        {"Bezeichnung5", "Bezeichnung6", "Bezeichnung10"},
        {
            {"Bezeichnung17", 0, 7}, {"Bezeichnung18", 0, 6}, {"Bezeichnung19", 0, 5},
            {"Bezeichnung20", 0, 4}, {"Bezeichnung21", 0, 3}, {"Bezeichnung9", 0, 2},
            {"Bezeichnung27", 0, 1},
            {"Bezeichnung11", 1, 6}, {"Bezeichnung12", 1, 5}, {"Bezeichnung13", 1, 4},
            {"Bezeichnung14", 1, 3}, {"Bezeichnung26", 1, 2}, {"Bezeichnung35", 1, 1},
            {"Bezeichnung41", 2, 5}, {"Bezeichnung40", 2, 4}, {"Bezeichnung39", 2, 3},
            {"Bezeichnung38", 2, 2}, {"Bezeichnung37", 2, 1},
            {"Bezeichnung28", 3, 7}, {"Bezeichnung30", 3, 6}, {"Bezeichnung31", 3, 5},
            {"Bezeichnung32", 3, 4}, {"Bezeichnung33", 3, 3}, {"Bezeichnung34", 3, 2},
            {"Bezeichnung36", 3, 1},
        },
        {"Uebertrag2", "Uebertrag3", "Uebertrag4", "Uebertrag5", "Uebertrag6", "Uebertrag7"},
        {"luecke1", "luecke2", "luecke3", "luecke4"},
        {"luecke5", "luecke6", "luecke24"},
        {
            {"luecke25", "luecke7", "luecke8", "luecke9", "luecke10", "luecke11", "luecke12"},
            {"luecke26", "luecke13", "luecke14", "luecke15", "luecke16", "luecke17"},
            {"luecke28", "luecke29", "luecke30", "luecke31", "luecke32"},
            {"luecke27", "luecke18", "luecke19", "luecke20", "luecke21", "luecke22", "luecke23"},
        },
        {"luecke33", "luecke34", "luecke35", "luecke36", "luecke37", "luecke38"},
        {"luecke9", "luecke11", "luecke14", "luecke16", "luecke28", "luecke29", "luecke18",
         "luecke20", "luecke22"},
    };
    return tables;
}
