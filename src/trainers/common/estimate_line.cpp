#include "trainers/common/estimate_line.h"

#include "widgets/design_scaler.h"

#include <QLabel>

namespace {

// As large as a carry box, a little taller; the line is read at arm's length.
constexpr int boxWidth = 26;
constexpr int boxHeight = 30;
constexpr int boxGap = 3;     // between the digits of a group
constexpr int groupGap = 8;   // between groups of three digits, as in "10 000 000"
constexpr int markWidth = 26; // "Ü:"
constexpr int signWidth = 20; // "·" and "=", with room on both sides
// Right of the star's track, which reaches up to the band; the longest line then ends 14 px
// from the window's right edge.
constexpr int bandLeft = 44;
constexpr int bandTop = 10;
constexpr int edgeMargin = 8;

} // namespace

QRect EstimateLine::band()
{
    return QRect(bandLeft, bandTop, 628 - edgeMargin - bandLeft, boxHeight);
}

EstimateLine::EstimateLine(QWidget *window, DesignScaler &scaler,
                           const std::function<QLabel *(const QString &, const QString &)> &makeSign)
    : m_window(window)
    , m_scaler(scaler)
    , m_mark(makeSign(QStringLiteral("estimateMark"), QStringLiteral("Ü:")))
    , m_times(makeSign(QStringLiteral("estimateTimes"), QStringLiteral("·")))
    , m_equals(makeSign(QStringLiteral("estimateEquals"), QStringLiteral("=")))
{
    m_mark->setToolTip(QStringLiteral("Überschlag"));
    m_mark->setAccessibleName(QStringLiteral("Überschlag"));
    for (QLabel *sign : {m_mark, m_times, m_equals}) {
        sign->setAlignment(Qt::AlignCenter);
        sign->hide();
    }
}

void EstimateLine::place(QWidget *widget, int x, int width)
{
    m_scaler.setDesignGeometry(widget, QRect(x, band().y(), width, band().height()));
    widget->show();
    // Over any panel of the trainer that may reach under the band.
    widget->raise();
    m_shown << widget;
}

void EstimateLine::hide()
{
    for (QWidget *widget : {static_cast<QWidget *>(m_mark), static_cast<QWidget *>(m_times),
                            static_cast<QWidget *>(m_equals)})
        widget->hide();
    for (QWidget *widget : std::as_const(m_shown))
        widget->hide();
    m_shown.clear();
}

void EstimateLine::show(const QList<QList<QWidget *>> &numbers)
{
    hide();
    int x = band().x();
    // The signs keep a pixel from the boxes, so that no rounding of a scaled window makes
    // them touch.
    place(m_mark, x, markWidth - 1);
    x += markWidth;
    for (int n = 0; n < numbers.size(); ++n) {
        if (n > 0) {
            place(n == numbers.size() - 1 ? m_equals : m_times, x + 1, signWidth - 2);
            x += signWidth;
        }
        const QList<QWidget *> &digits = numbers.at(n);
        for (int i = 0; i < digits.size(); ++i) {
            if (i > 0)
                x += (digits.size() - i) % 3 == 0 ? groupGap : boxGap;
            place(digits.at(i), x, boxWidth);
            x += boxWidth;
        }
    }
}
