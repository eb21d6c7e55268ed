#pragma once

#include <QLabel>
#include <optional>

// An answer field: a box that takes a dropped digit key. Any drop is accepted, so data
// from elsewhere is checked as the field stands; the check itself runs after the drag
// has ended, never inside the drop event. A field also takes a click (to place a chosen
// key) and, while it has the focus, a typed digit.
class DropField : public QLabel
{
    Q_OBJECT
public:
    explicit DropField(QWidget *parent = nullptr);

    // The orange frame: the field where the next digit goes. It is drawn whether or not
    // the window is active, and its width grows with the box.
    void setMarked(bool marked);
    bool isMarked() const { return m_marked; }
    int markWidth() const;

Q_SIGNALS:
    // `digit` is nothing when the drop carried anything but a digit key.
    void dropped(std::optional<int> digit);
    void clicked();
    void typed(int digit);
    // An arrow key: dx, dy of -1, 0 or 1.
    void stepped(int dx, int dy);
    void focused();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int boxFrameWidth = 2;

    void setHighlighted(bool on);

    bool m_marked = false;
    bool m_target = false; // a key is dragged over the field
};
