#pragma once

#include "training/report.h"
#include "training/session_statistics.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>

class QPainter;

// What the report's pictures show, taken from the run when the report is written: how far
// the child has come with each times-table fact, and per trainer its wrong digits by kind
// with the kinds its "Auffällig:" line names. A copy, so a printout drawn later shows the
// report as it was when printed.
struct ReportPictures
{
    struct Trainer
    {
        bool used = false;
        QList<ErrorBar> bars;      // in the order of errorBars()
        QList<ErrorKind> pattern;  // named in the "Auffällig:" line
    };
    std::array<SkillState, Skill::factCount> facts{};
    std::array<Trainer, trainerKindCount> trainers;
};
ReportPictures reportPictures(const SessionStatistics &statistics);

// The pictures are drawn for these sizes; drawn into another rectangle, each scales as a
// whole, keeps its proportions and stands at the rectangle's top left.
inline constexpr QSizeF factsTableSize(440, 280);
inline constexpr QSizeF errorBarsSize(440, 250);

// "Einmaleins": the facts x · m as a table, a row for each multiplier digit m (2 to 9) and
// a column for each multiplicand digit x (0 to 9), each cell in the colour of its state (and
// with a sign of it, for a printer without colour), under it the legend.
void drawFactsTable(QPainter &painter, const QRectF &area, const ReportPictures &pictures);
// "Fehler nach Art": a row for each kind (then the digits that fit none), a column for each
// trainer, a bar as long as the wrong digits the kind fits; the kinds a trainer's
// "Auffällig:" line names in a colour of their own.
void drawErrorBars(QPainter &painter, const QRectF &area, const ReportPictures &pictures);

QColor skillStateColour(SkillState state);
QColor errorBarColour(bool named);
// Where the cell of the fact x · m stands in the facts table drawn into `area`.
QRectF factCell(const QRectF &area, int x, int m);
// Where the bar of `row` (the place of its ErrorBar) and trainer `column` may reach in the
// picture of the errors drawn into `area`: it starts at the left and is as high as this.
QRectF errorBarCell(const QRectF &area, int row, int column);
