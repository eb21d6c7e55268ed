#pragma once

#include <QList>
#include <QRect>

#include <functional>

class DesignScaler;
class QLabel;
class QWidget;

// The Überschlag line: "Ü:", the rounded multiplicand, "·", the rounded multiplier, "=" and
// the estimate, each number in groups of three digits as numbers are written. It has a band
// of its own along the top of every trainer window, above the problem and the button
// column, wide enough for the longest line (10 000 · 1 000 = 10 000 000) in boxes no
// smaller than a carry box.
class EstimateLine
{
public:
    // Design rectangle of the band the line stands in.
    static QRect band();
    // `makeSign` makes a label for "Ü:", "·" or "=" with the given name; the boxes and the
    // given digits are made by the window, which reaches them by name.
    EstimateLine(QWidget *window, DesignScaler &scaler,
                 const std::function<QLabel *(const QString &name, const QString &text)> &makeSign);

    // Shows `numbers` (multiplicand, multiplier, estimate; each its widgets from the highest
    // place down) in the band; every other widget of the line stays hidden.
    void show(const QList<QList<QWidget *>> &numbers);
    // Hides the line and every widget it showed.
    void hide();

private:
    void place(QWidget *widget, int x, int width);

    QWidget *m_window;
    DesignScaler &m_scaler;
    QLabel *m_mark;
    QLabel *m_times;
    QLabel *m_equals;
    QList<QWidget *> m_shown;
};
