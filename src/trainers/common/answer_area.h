#pragma once

#include "arithmetic/written_multiplication.h"
#include "trainers/common/cell_table.h"
#include "training/exercise.h"

#include <QHash>
#include <QObject>

#include <optional>

class DropField;
class QWidget;

// The digit boxes of a trainer keyed by the cells of the problem on screen. Every box of the
// window is handed over once; each new problem says which cell each box shows. What a pupil
// does to a box comes out as the cell it shows; a box that shows no cell of the problem on
// screen takes nothing.
class AnswerArea : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    void adopt(DropField *box);
    // The problem on screen: the controls named in `table`, found by name among `controls`,
    // show its cells.
    void showCells(const CellTable &table, const QHash<QString, QWidget *> &controls);

    QWidget *widgetOf(const Cell &cell) const { return m_widgets.value(cell); }
    std::optional<Cell> cellOf(const QWidget *widget) const;

Q_SIGNALS:
    // `digit` is nothing for a drop of anything but a digit key.
    void dropped(const Cell &cell, std::optional<int> digit);
    void clicked(const Cell &cell);
    void typed(const Cell &cell, int digit);
    // An arrow key: dx, dy of -1, 0 or 1.
    void stepped(const Cell &cell, int dx, int dy);
    void focused(const Cell &cell);

private:
    QHash<Cell, QWidget *> m_widgets;
    QHash<const QWidget *, Cell> m_cells;
};
