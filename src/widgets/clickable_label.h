#pragma once

#include <QLabel>

// A label (or picture) that reacts to a left click, as the menu pictures, the reward
// notices and the game fields do.
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A square picture with a short text on a coloured tile, used for picture buttons.
QPixmap tilePixmap(const QString &text, const QColor &colour, int size);
