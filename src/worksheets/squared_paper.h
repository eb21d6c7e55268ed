#pragma once

#include "worksheets/sheet_code.h"

class QIODevice;

// The sheet of a code on A4 squared paper, 5 mm squares: the problem sheet, then the
// solution sheet, each with its title, a name and date line, the problems numbered on the
// grid, and "Seite n von m" and the code at the foot of every page.
namespace SquaredPaper {

constexpr double squareMm = 5.0;
constexpr double leftMm = 15.0;    // the grid's left edge
constexpr double gridTopMm = 40.0; // its top edge
constexpr int columns = 36;        // 180 mm
constexpr int rows = 48;           // 240 mm, down to 280 mm

// Writes the PDF to `device`, which must be open for writing; false when the device took
// not all of it.
bool write(QIODevice &device, const SheetCode &code);

// The name a save dialog proposes: "Rechenblatt-zweireihig-6223ZC4.pdf".
QString fileName(const SheetCode &code);

} // namespace SquaredPaper
