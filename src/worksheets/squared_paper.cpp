#include "worksheets/squared_paper.h"

#include "widgets/reading_font.h"
#include "worksheets/grid_layout.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace SquaredPaper {

namespace {

const QColor gridColour(200, 200, 200);
const QColor givenColour(Qt::black);
const QColor answerColour(0, 0, 140); // the solution sheet's digits: clear of the print

QFont sheetFont(double pointSize, bool bold = false)
{
    QFont font = readingFont(bold);
    font.setPointSizeF(pointSize);
    return font;
}

class PagePainter
{
public:
    PagePainter(QPainter &painter, double unitsPerMm) : m_painter(painter), m_unit(unitsPerMm) {}

    QPointF at(double xMm, double yMm) const { return {xMm * m_unit, yMm * m_unit}; }
    QRectF square(int row, int column, int span = 1) const
    {
        return QRectF(at(leftMm + column * squareMm, gridTopMm + row * squareMm),
                      QSizeF(span * squareMm * m_unit, squareMm * m_unit));
    }

    // `text` on the baseline `yMm`, from `xMm` on, or ending there when `rightAligned`.
    void text(double xMm, double yMm, const QString &text, const QFont &font,
              bool rightAligned = false)
    {
        m_painter.setFont(font);
        m_painter.setPen(givenColour);
        const double width = rightAligned ? m_painter.fontMetrics().horizontalAdvance(text) : 0;
        m_painter.drawText(at(xMm, yMm) - QPointF(width, 0), text);
    }

    void grid()
    {
        m_painter.setPen(QPen(gridColour, 0.15 * m_unit));
        for (int c = 0; c <= columns; ++c)
            m_painter.drawLine(square(0, c).topLeft(), square(rows, c).topLeft());
        for (int r = 0; r <= rows; ++r)
            m_painter.drawLine(square(r, 0).topLeft(), square(r, columns).topLeft());
    }

    void problem(const PlacedProblem &placed, bool answers)
    {
        m_painter.setFont(sheetFont(8));
        m_painter.setPen(QColor(90, 90, 90));
        m_painter.drawText(square(placed.row, placed.column - numberColumns, numberColumns)
                               .adjusted(0, 0, -0.8 * m_unit, 0),
                           Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("%1)").arg(placed.number));
        const QFont digit = sheetFont(12);
        const QFont carry = sheetFont(7);
        for (const GridMark &mark : placed.grid.marks) {
            const int row = placed.row + mark.row;
            const int column = placed.column + mark.column;
            if (mark.kind == GridMark::Kind::Rule) {
                m_painter.setPen(QPen(givenColour, 0.35 * m_unit, Qt::SolidLine, Qt::FlatCap));
                const QRectF under = square(row, column, mark.span);
                m_painter.drawLine(under.topLeft(), under.topRight());
                continue;
            }
            if (mark.answer && !answers)
                continue;
            m_painter.setPen(mark.answer ? answerColour : givenColour);
            QRectF box = square(row, column);
            if (mark.kind == GridMark::Kind::Carry) {
                // Small, low in its square, just above the rule it is added under.
                m_painter.setFont(carry);
                box.setTop(box.center().y());
            } else {
                m_painter.setFont(digit);
            }
            m_painter.drawText(box, Qt::AlignCenter, QString(mark.text));
        }
    }

private:
    QPainter &m_painter;
    double m_unit;
};

QString kindWord(SheetKind kind)
{
    switch (kind) {
    case SheetKind::TwoRow: return QStringLiteral("zweireihig");
    case SheetKind::ThreeRow: return QStringLiteral("dreireihig");
    case SheetKind::OneRow: break;
    }
    return QStringLiteral("einreihig");
}

} // namespace

QString fileName(const SheetCode &code)
{
    return QStringLiteral("Rechenblatt-%1-%2.pdf").arg(kindWord(code.kind), code.text());
}

bool write(QIODevice &device, const SheetCode &code)
{
    QPdfWriter writer(&device);
    writer.setTitle(pageTitle(code.kind, SheetPass::Problems));
    writer.setCreator(QStringLiteral("Malrechnen"));
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    const double unitsPerMm = writer.resolution() / 25.4;

    const QList<GridPage> pages =
        layOutPages(code.kind, sheetProblems(code), code.display, columns, rows);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    PagePainter page(painter, unitsPerMm);
    const QFont title = sheetFont(15, true);
    const QFont line = sheetFont(11);
    const QFont foot = sheetFont(9);
    bool first = true;
    for (const SheetPass pass : {SheetPass::Problems, SheetPass::Solutions}) {
        for (int p = 0; p < pages.size(); ++p) {
            if (!first && !writer.newPage())
                return false;
            first = false;
            page.text(leftMm, 18, pageTitle(code.kind, pass), title);
            page.text(leftMm, 30, nameAndDateLine(), line);
            page.grid();
            for (const PlacedProblem &placed : pages.at(p))
                page.problem(placed, pass == SheetPass::Solutions);
            page.text(leftMm, 290, QStringLiteral("Seite %1 von %2").arg(p + 1).arg(pages.size()),
                      foot);
            page.text(leftMm + columns * squareMm, 290,
                      QStringLiteral("Blatt-Code: %1").arg(code.text()), foot, true);
        }
    }
    return painter.end();
}

} // namespace SquaredPaper
