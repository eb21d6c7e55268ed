#pragma once

#include <QLabel>
#include <optional>

// An answer field: a box that takes a dropped digit key. Any drop is accepted, so data
// from elsewhere is checked as the field stands; the check itself runs after the drag
// has ended, never inside the drop event.
class DropField : public QLabel
{
    Q_OBJECT
public:
    explicit DropField(QWidget *parent = nullptr);

Q_SIGNALS:
    // `digit` is empty when the drop carried anything but a digit key.
    void dropped(const QString &field, const QString &digit);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void setHighlighted(bool on);
};
