#pragma once

#include "trainers/common/rows_table.h"

// Form3: a four-digit number times a three-digit number. Rows 0 to 2 are the multiplicand
// times the hundreds, tens and ones digit (with the zeros of their places), row 3 the sum.
const RowsTables &threeRowTables();

