#include "trainers/three_row/three_row_window.h"

#include "trainers/three_row/three_row_table.h"

namespace {

// One more row than the two-row trainer in the same height: the lines stand closer.
const RowsLayout threeRowLayout{
    {WindowId::ThreeRow, "Form3", "Bezeichnung7", "Bezeichnung29", true, QSize(628, 444)},
    "Dreireihige Multiplikation",
    720, // gap panel
    50,  // problem line
    36,  // box height
    40,  // row pitch
};

} // namespace

ThreeRowWindow::ThreeRowWindow(Services &services, QWidget *parent)
    : RowsWindow(services, threeRowTables(), threeRowLayout, parent)
{
}
