#pragma once

#include "arithmetic/written_multiplication.h"

#include <QString>
#include <QStringList>

// Views of a written multiplication as the trainers' answer keys and the worksheets write
// it: numbers as text, right-aligned in a fixed number of characters.

// The decimal digits of `value` right-aligned in `width` characters, blanks in front, only
// the rightmost `width` characters kept.
QString rightAligned(qint64 value, int width = 7);

// The partial products, each with its zeros, followed by the product, as decimal texts:
// the answer rows of the two- and three-row trainers.
QStringList answerRows(const WrittenMultiplication &w);

// A multiplication by one digit m (followed by zeros or not), P = multiplicand · m:
// the multiplicand, m and 100·P, each in seven characters. Character k of the third text is
// the result digit shown in result box k of the one-row trainer.
QStringList oneRowAnswerKey(const WrittenMultiplication &w);
// P, 10·P and 100·P in seven characters: the product for each of the modes.
QStringList oneRowScaledProducts(const WrittenMultiplication &w);

// The line of `part` and `row` as a display writes it: one character per place from
// place `width` - 1 down to 0, a blank where the display writes nothing.
QString displayLine(const WrittenMultiplication &w, Part part, int row, int width,
                    WrittenDisplay display);

// The numbers under one problem of a worksheet, each right-aligned in `width` characters:
// the partial products in `display` (none for a one-digit multiplier), then the product.
QStringList sheetAnswers(const WrittenMultiplication &w, int width, WrittenDisplay display);
