#pragma once

#include <QColor>
#include <QLabel>

class QPainter;

// How the cells of a problem and the keys look. The controls draw it themselves: a style
// sheet on the window would style every control of it at each first showing and keep
// rules of its own for each, which made opening a trainer slow and its memory large.
namespace CellLook {

inline const QColor ink(0, 0, 96);                 // the digits of the problem
inline const QColor window(244, 248, 255);         // behind the problem
inline const QColor box(120, 150, 190);            // the frame of an empty field
inline const QColor target(230, 130, 0);           // a field a key is dragged over ...
inline const QColor targetFill(255, 243, 208);     // ... and its inside
inline const QColor hintFill(255, 224, 130);       // a digit a hint's step uses
inline const QColor chosenKeyFill(255, 210, 80);   // a digit key tapped to be placed ...
inline const QColor chosenKeyFrame(200, 110, 0);   // ... and its frame
inline const QColor modeFill(0, 0, 128);           // the button of the mode chosen ...
inline const QColor modeFrame(0, 0, 64);           // ... and its frame

// A rounded box filled with `fill` (none where transparent) inside a frame `frameWidth`
// wide (none where transparent), filling `rect`.
void paintBox(QPainter &painter, const QRectF &rect, const QColor &fill, const QColor &frame,
              qreal frameWidth, qreal radius);

// True while a hint highlights the control (HintLine sets the property "hint").
bool isHighlighted(const QWidget *control);

} // namespace CellLook

// A digit of the problem that is not a field: the factors, given digits, the sign. A hint
// may highlight it.
class DigitLabel : public QLabel
{
    Q_OBJECT
public:
    DigitLabel(const QString &text, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};
