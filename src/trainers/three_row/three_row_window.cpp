#include "trainers/three_row/three_row_window.h"

#include "trainers/three_row/three_row_table.h"

namespace {

// One more row than the two-row trainer in the same height: the lines stand closer, the
// boxes a little lower around digits of the same size.
const RowsLayout threeRowLayout{
    // As in the two-row trainer; the Überschlag has up to 10 000 · 1 000 = 10 000 000.
    {TrainerKind::ThreeRow, "Form3", "Bezeichnung7", "Bezeichnung29", true, QSize(628, 444), 4230, true,
     {17, 0}},
    "Dreireihige Multiplikation",
    720, // gap panel
    50,  // problem line
    34,  // box height
    38,  // row pitch
};

} // namespace

ThreeRowWindow::ThreeRowWindow(Services &services, QWidget *parent)
    : RowsWindow(services, threeRowTables(), threeRowLayout, parent)
{
}
