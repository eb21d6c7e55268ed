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

// A picture button: a short text on a coloured square tile, painted at the label's size (the
// menu and the info window scale with their windows) in the label's font, straight onto the
// window: no picture is kept. A window gives its tiles the font of a text it shows anyway:
// each further font costs its first showing a few milliseconds to load.
class TileLabel : public ClickableLabel
{
    Q_OBJECT
public:
    TileLabel(const QString &text, const QColor &colour, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_colour;
};
