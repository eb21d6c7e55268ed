#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

// How the keyboard moves over a trainer's answer fields, and the orange frame on the field
// where the next digit goes. It knows the fields only as widgets in written order (the
// ones the pupil fills and can reach); what a field holds it asks through `isEmpty`.
class FocusOrder
{
public:
    using Fields = QList<QWidget *>;

    // Tab (forward) and Shift+Tab: the neighbour of `from` in written order, round and
    // round; nothing if `from` is not one of `fields`.
    static QWidget *cycle(const Fields &fields, const QWidget *from, bool forward);
    // An arrow key, (dx, dy) one of the four directions: the nearest field that way,
    // preferring one in line; nothing at the edge.
    static QWidget *step(const Fields &fields, const QWidget *from, int dx, int dy);
    // After a right digit in `from`: the next empty field in written order, round and
    // round, so a pupil who skipped a field finds the frame back on it once the rest are
    // filled; the field after `from` if none is empty.
    static QWidget *nextEmpty(const Fields &fields, const QWidget *from,
                              const std::function<bool(const QWidget *)> &isEmpty);

    // Moves the frame to `field` (nothing takes it away).
    void mark(QWidget *field);
    // The frame and the keyboard focus on `field`.
    void focus(QWidget *field);
    QWidget *marked() const { return m_marked; }

private:
    QPointer<QWidget> m_marked;
};
