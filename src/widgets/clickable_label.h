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

// A picture button: a short text on a coloured square tile, drawn at the label's size (the
// menu and the info window scale with their windows) in the label's font. A window gives
// its tiles the font of a text it shows anyway: each further font costs its first showing
// a few milliseconds to load.
class TileLabel : public ClickableLabel
{
    Q_OBJECT
public:
    TileLabel(const QString &text, const QColor &colour, QWidget *parent = nullptr);

    // Draws the tile at the label's size, unless it already has that size. The windows call
    // it once they have their size, so a tile is not drawn at a size it is never seen at.
    void fitToSize();

private:
    QString m_text;
    QColor m_colour;
};
