#pragma once

#include "trainers/common/rows_table.h"

// Form2: a four-digit number times a two-digit number. Row 0 is the multiplicand times the
// tens digit (ending in its zero), row 1 times the ones digit, row 2 the sum.
const RowsTables &twoRowTables();

