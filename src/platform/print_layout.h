#pragma once

#include <QList>
#include <QStringList>
#include <functional>

// Puts blocks of lines on pages of `linesPerPage` lines. A page breaks only between
// blocks; only a block longer than a whole page is split. Blank lines that end a block
// are dropped where they would run over the end of a page.
QList<QStringList> paginate(const QList<QStringList> &blocks, int linesPerPage);

// The largest size, at most `nominal` and in steps of half a point below it, at which
// `widthAt(size)` fits `available`. Fixed-pitch text grows in proportion to its size,
// so the first guess is nearly always the answer.
double fittingPointSize(double nominal, double available,
                        const std::function<double(double)> &widthAt);
