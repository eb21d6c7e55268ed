#pragma once

#include "trainers/common/cell_table.h"
#include "training/exercise.h"

#include <QStringList>

// An exercise seen through a trainer's table of controls, the way its window shows it: a
// test names the controls ("Bezeichnung17", "luecke13") as the pupil meets them.
struct NamedExercise
{
    Exercise exercise;
    CellTable table;

    std::optional<Cell> cellOf(const QString &name) const { return cellNamed(table, name); }
    // The control is shown: it has a cell in this problem and the display writes it.
    bool isShown(const QString &name) const;
    // What the control shows, "" for nothing.
    QString shown(const QString &name) const;
    // The digit the field expects as the fields stand now, "" for a control without a cell.
    QString expected(const QString &name) const;
    bool isField(const QString &name) const;
    // The fields in written order.
    QStringList fieldNames() const;
    // A digit (or, for -1, anything but a digit key) dropped on the field `name`.
    Exercise::Verdict drop(const QString &name, int digit);
    // The right digit on the field `name`.
    Exercise::Verdict dropRight(const QString &name) { return drop(name, expected(name).toInt()); }
};
