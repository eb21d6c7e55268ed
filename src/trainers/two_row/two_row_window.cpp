#include "trainers/two_row/two_row_window.h"

#include "trainers/two_row/two_row_table.h"

namespace {

const RowsLayout twoRowLayout{
    // The notices stand low, under the sum and the line of its carries; the Überschlag has at
    // most 10 000 · 100 = 1 000 000; the counters go beside the buttons.
    {TrainerKind::TwoRow, "Form2", "Bezeichnung7", "Bezeichnung29", true, QSize(628, 444), 4230, true,
     {15, 0}},
    "Zweireihige Multiplikation",
    840, // gap panel
    60,  // problem line
    40,  // box height
    46,  // row pitch
};

} // namespace

TwoRowWindow::TwoRowWindow(Services &services, QWidget *parent)
    : RowsWindow(services, twoRowTables(), twoRowLayout, parent)
{
}
