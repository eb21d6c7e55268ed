#include "shell/report_pictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace {

// The layout of both pictures, in the units of their design size.
constexpr qreal headingHeight = 24;

constexpr qreal tableTop = 28;
constexpr qreal columnHeaderHeight = 22;
constexpr qreal rowHeaderWidth = 40;
constexpr qreal factRowHeight = 24;
constexpr qreal legendTop = tableTop + columnHeaderHeight + 8 * factRowHeight + 10;

constexpr qreal barsHeaderTop = 28;
constexpr qreal barsHeaderHeight = 18;
constexpr qreal kindColumnWidth = 222;
constexpr qreal barRowHeight = 20;
constexpr qreal barsTop = barsHeaderTop + barsHeaderHeight + 2;
constexpr qreal barHeight = 12;
constexpr qreal barNumberWidth = 26; // room for the count after the longest bar
// The longest bar stands for at least this many wrong digits, so a single one is no
// full-length bar.
constexpr int smallestBarScale = 4;

// A teacher reads nothing smaller: the pictures stand at about their design size in the
// smallest report window (on a 1024 x 768 screen).
constexpr int smallestText = 12;

const QColor headingColour(0, 0, 96);
const QColor headerColour(60, 60, 60);
const QColor unusedColour(160, 160, 160);

QFont pictureFont(int pixels, bool bold = false)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A picture drawn into `area` is scaled as a whole by this factor and stands at its top left.
qreal scaleInto(const QRectF &area, const QSizeF &design)
{
    return std::min(area.width() / design.width(), area.height() / design.height());
}

void fitInto(QPainter &painter, const QRectF &area, const QSizeF &design)
{
    const qreal scale = scaleInto(area, design);
    painter.translate(area.topLeft());
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

// A rectangle of the design size where it stands in `area`.
QRectF mapped(const QRectF &area, const QSizeF &design, const QRectF &rect)
{
    const qreal scale = scaleInto(area, design);
    return QRectF(area.topLeft() + rect.topLeft() * scale, rect.size() * scale);
}

void drawHeading(QPainter &painter, qreal width, const QString &text)
{
    painter.setFont(pictureFont(15, true));
    painter.setPen(headingColour);
    painter.drawText(QRectF(0, 0, width, headingHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
}

// Sicher, wird sicherer, übt noch: a sign for each, so the table reads in black and white.
QString stateSign(SkillState state)
{
    switch (state) {
    case SkillState::Mastered: return QStringLiteral("\u2713");    // ✓
    case SkillState::Improving: return QStringLiteral("\u2197");   // ↗
    case SkillState::Practising: return QStringLiteral("!");
    case SkillState::NotSeen: return QString();
    }
    return QString();
}

QColor signColour(SkillState state)
{
    return state == SkillState::Improving ? QColor(90, 60, 0) : QColor(Qt::white);
}

// A swatch (with the sign of a state in it) and its text at `left`; returns where the next
// entry may start.
qreal drawLegendEntry(QPainter &painter, qreal left, qreal top, const QColor &colour,
                      const QString &sign, const QColor &signPen, const QString &text)
{
    constexpr qreal swatch = 14;
    const QRectF box(left, top + 3, swatch, swatch);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRect(box);
    if (!sign.isEmpty()) {
        painter.setFont(pictureFont(12, true));
        painter.setPen(signPen);
        painter.drawText(box, Qt::AlignCenter, sign);
    }
    const QFont font = pictureFont(smallestText);
    painter.setFont(font);
    painter.setPen(headerColour);
    const qreal textLeft = left + swatch + 5;
    const qreal width = QFontMetricsF(font).horizontalAdvance(text);
    painter.drawText(QRectF(textLeft, top, width + 2, 20), Qt::AlignLeft | Qt::AlignVCenter, text);
    return textLeft + width + 16;
}

QRectF factCellDesign(int x, int m)
{
    const qreal cellWidth = (factsTableSize.width() - rowHeaderWidth) / 10;
    const qreal top = tableTop + columnHeaderHeight + (m - 2) * factRowHeight;
    return QRectF(rowHeaderWidth + x * cellWidth, top, cellWidth, factRowHeight);
}

qreal trainerColumnWidth()
{
    return (errorBarsSize.width() - kindColumnWidth) / trainerKindCount;
}

QRectF errorBarCellDesign(int row, int column)
{
    const qreal left = kindColumnWidth + column * trainerColumnWidth() + 6;
    const qreal top = barsTop + row * barRowHeight + (barRowHeight - barHeight) / 2;
    return QRectF(left, top, trainerColumnWidth() - 6 - barNumberWidth, barHeight);
}

// "Einreihig", "Zweireihig", "Dreireihig": the trainers, short enough for a column.
QString columnName(TrainerKind trainer)
{
    switch (trainer) {
    case TrainerKind::OneRow: return QStringLiteral("Einreihig");
    case TrainerKind::TwoRow: return QStringLiteral("Zweireihig");
    case TrainerKind::ThreeRow: return QStringLiteral("Dreireihig");
    }
    return QString();
}

} // namespace

ReportPictures reportPictures(const SessionStatistics &statistics)
{
    ReportPictures pictures;
    for (int i = 0; i < Skill::factCount; ++i)
        pictures.facts[std::size_t(i)] = statistics.skills().state(Skill::fromIndex(i));
    for (TrainerKind trainer : trainerKinds()) {
        const SessionStatistics::Trainer &t = statistics.trainer(trainer);
        ReportPictures::Trainer &shown = pictures.trainers[std::size_t(trainer)];
        shown.used = t.used();
        shown.bars = errorBars(t);
        for (const ErrorEvidence::Pattern &pattern : namedPatterns(t))
            shown.pattern += pattern.kinds;
        // A fact the text names under "Einmaleins" is coloured as practised, as the text says.
        if (shown.pattern.contains(ErrorKind::TimesTable)) {
            for (int fact : t.evidence.namedFacts())
                pictures.facts[std::size_t(fact)] = SkillState::Practising;
        }
    }
    return pictures;
}

QColor skillStateColour(SkillState state)
{
    switch (state) {
    case SkillState::Mastered: return QColor(56, 142, 60);
    case SkillState::Improving: return QColor(255, 202, 40);
    case SkillState::Practising: return QColor(211, 47, 47);
    case SkillState::NotSeen: return QColor(222, 222, 222);
    }
    return QColor();
}

QColor errorBarColour(bool named)
{
    return named ? QColor(211, 47, 47) : QColor(70, 110, 170);
}

QRectF factCell(const QRectF &area, int x, int m)
{
    return mapped(area, factsTableSize, factCellDesign(x, m));
}

QRectF errorBarCell(const QRectF &area, int row, int column)
{
    return mapped(area, errorBarsSize, errorBarCellDesign(row, column));
}

void drawFactsTable(QPainter &painter, const QRectF &area, const ReportPictures &pictures)
{
    painter.save();
    fitInto(painter, area, factsTableSize);
    drawHeading(painter, factsTableSize.width(), QStringLiteral("Einmaleins"));

    const qreal cellWidth = (factsTableSize.width() - rowHeaderWidth) / 10;
    painter.setFont(pictureFont(12, true));
    painter.setPen(headerColour);
    painter.drawText(QRectF(0, tableTop, rowHeaderWidth, columnHeaderHeight), Qt::AlignCenter,
                     QStringLiteral("\u00b7"));
    for (int x = 0; x <= 9; ++x)
        painter.drawText(QRectF(rowHeaderWidth + x * cellWidth, tableTop, cellWidth, columnHeaderHeight),
                         Qt::AlignCenter, QString::number(x));
    for (int m = 2; m <= 9; ++m)
        painter.drawText(QRectF(0, factCellDesign(0, m).top(), rowHeaderWidth, factRowHeight),
                         Qt::AlignCenter, QStringLiteral("\u00b7 %1").arg(m));

    const QFont signFont = pictureFont(13, true);
    for (int m = 2; m <= 9; ++m) {
        for (int x = 0; x <= 9; ++x) {
            const SkillState state = pictures.facts[std::size_t(Skill::fact(x, m).index())];
            const QRectF cell = factCellDesign(x, m).adjusted(1, 1, -1, -1);
            painter.setPen(Qt::NoPen);
            painter.setBrush(skillStateColour(state));
            painter.drawRect(cell);
            if (const QString sign = stateSign(state); !sign.isEmpty()) {
                painter.setFont(signFont);
                painter.setPen(signColour(state));
                painter.drawText(cell, Qt::AlignCenter, sign);
            }
        }
    }

    qreal left = 0;
    for (SkillState state : {SkillState::Mastered, SkillState::Improving, SkillState::Practising,
                             SkillState::NotSeen})
        left = drawLegendEntry(painter, left, legendTop, skillStateColour(state), stateSign(state),
                               signColour(state), skillStateName(state));
    painter.restore();
}

void drawErrorBars(QPainter &painter, const QRectF &area, const ReportPictures &pictures)
{
    painter.save();
    fitInto(painter, area, errorBarsSize);
    drawHeading(painter, errorBarsSize.width(), QStringLiteral("Fehler nach Art"));

    int longest = smallestBarScale;
    for (const ReportPictures::Trainer &trainer : pictures.trainers) {
        for (const ErrorBar &bar : trainer.bars)
            longest = std::max(longest, bar.errors);
    }

    const qsizetype rows = pictures.trainers.front().bars.size();
    // The names of the kinds in 13 pixels, smaller where the longest would not fit, never
    // below the smallest text.
    QFont labelFont = pictureFont(13);
    for (const ErrorBar &bar : pictures.trainers.front().bars) {
        while (labelFont.pixelSize() > smallestText
               && QFontMetricsF(labelFont).horizontalAdvance(bar.name) > kindColumnWidth - 8)
            labelFont.setPixelSize(labelFont.pixelSize() - 1);
    }
    const QFontMetricsF labelMetrics(labelFont);
    for (qsizetype row = 0; row < rows; ++row) {
        const QRectF line(0, barsTop + row * barRowHeight, errorBarsSize.width(), barRowHeight);
        if (row % 2 == 0) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(242, 244, 248));
            painter.drawRect(line);
        }
        painter.setFont(labelFont);
        painter.setPen(headerColour);
        const QString name = pictures.trainers.front().bars.at(row).name;
        painter.drawText(QRectF(4, line.top(), kindColumnWidth - 8, barRowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         labelMetrics.elidedText(name, Qt::ElideRight, kindColumnWidth - 8));
    }

    const QFont numberFont = pictureFont(smallestText);
    for (int column = 0; column < trainerKindCount; ++column) {
        const ReportPictures::Trainer &trainer = pictures.trainers[std::size_t(column)];
        const QRectF header(kindColumnWidth + column * trainerColumnWidth(), barsHeaderTop,
                            trainerColumnWidth(), barsHeaderHeight);
        painter.setFont(pictureFont(smallestText, true));
        painter.setPen(trainer.used ? headerColour : unusedColour);
        painter.drawText(header, Qt::AlignCenter, columnName(trainerKinds().at(column)));
        if (!trainer.used)
            continue;
        // The line the bars start from.
        const qreal axis = errorBarCellDesign(0, column).left();
        painter.setPen(QPen(QColor(150, 150, 150), 1));
        painter.drawLine(QPointF(axis, barsTop), QPointF(axis, barsTop + rows * barRowHeight));
        for (qsizetype row = 0; row < trainer.bars.size(); ++row) {
            const ErrorBar &bar = trainer.bars.at(row);
            if (bar.errors == 0)
                continue;
            const QRectF cell = errorBarCellDesign(int(row), column);
            const bool named = bar.kind && trainer.pattern.contains(*bar.kind);
            const QRectF drawn(cell.topLeft(), QSizeF(cell.width() * bar.errors / longest, cell.height()));
            painter.setPen(Qt::NoPen);
            painter.setBrush(errorBarColour(named));
            painter.drawRect(drawn);
            painter.setFont(numberFont);
            painter.setPen(named ? errorBarColour(true) : headerColour);
            painter.drawText(QRectF(drawn.right() + 3, cell.top() - 4, barNumberWidth, cell.height() + 8),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::number(bar.errors));
        }
    }

    const qreal legend = barsTop + rows * barRowHeight + 2;
    const qreal left = drawLegendEntry(painter, 0, legend, errorBarColour(true), QString(), QColor(),
                                       QStringLiteral("auffällig"));
    painter.setFont(pictureFont(smallestText));
    painter.setPen(unusedColour.darker(130));
    painter.drawText(QRectF(left, legend, errorBarsSize.width() - left, 20),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Eine falsche Ziffer kann zu mehreren Arten passen."));
    painter.restore();
}
