#pragma once

#include "trainers/one_row/one_row_problem.h"

// The one-row problem `multiplicand` × `m`, digit by digit.
inline OneRowNumbers oneRowNumbers(int multiplicand, int m)
{
    OneRowNumbers n;
    n.a = multiplicand / 1000;
    n.b = multiplicand / 100 % 10;
    n.c = multiplicand / 10 % 10;
    n.d = multiplicand % 10;
    n.m = m;
    return n;
}
