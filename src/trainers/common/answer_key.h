#pragma once

#include <QString>

// A number of the answer key: its decimal digits right-aligned in a text of `width`
// characters, blanks in front, only the rightmost `width` characters kept.
QString answerKeyText(qint64 value, int width = 7);

// Character `position` (1-based) of `text`, or an empty text past its end.
QString characterAt(const QString &text, int position);

// Character `position` counted from the right (1 = last), or an empty text.
QString characterFromRight(const QString &text, int position);
