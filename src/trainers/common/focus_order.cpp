#include "trainers/common/focus_order.h"

#include "trainers/common/drop_field.h"

#include <cstdlib>

QWidget *FocusOrder::cycle(const Fields &fields, const QWidget *from, bool forward)
{
    const int at = int(fields.indexOf(from));
    if (at < 0)
        return nullptr;
    const int count = int(fields.size());
    return fields.at((at + (forward ? 1 : count - 1)) % count);
}

QWidget *FocusOrder::step(const Fields &fields, const QWidget *from, int dx, int dy)
{
    // Centres compared on the screen: the fields may lie on different panels.
    const QPoint start = from->mapToGlobal(from->rect().center());
    QWidget *best = nullptr;
    int bestScore = 0;
    for (QWidget *candidate : fields) {
        const QPoint d = candidate->mapToGlobal(candidate->rect().center()) - start;
        const int along = d.x() * dx + d.y() * dy;
        if (along <= 0)
            continue;
        const int across = dx != 0 ? std::abs(d.y()) : std::abs(d.x());
        const int score = along + 3 * across;
        if (!best || score < bestScore) {
            best = candidate;
            bestScore = score;
        }
    }
    return best;
}

QWidget *FocusOrder::nextEmpty(const Fields &fields, const QWidget *from,
                               const std::function<bool(const QWidget *)> &isEmpty)
{
    const int at = int(fields.indexOf(from));
    const int count = int(fields.size());
    for (int step = 1; step <= count; ++step) {
        QWidget *next = fields.at((at + step + count) % count);
        if (isEmpty(next))
            return next;
    }
    return fields.value(at + 1, fields.value(0));
}

void FocusOrder::mark(QWidget *field)
{
    if (field == m_marked)
        return;
    if (auto *old = qobject_cast<DropField *>(m_marked.data()))
        old->setMarked(false);
    m_marked = field;
    if (auto *now = qobject_cast<DropField *>(field))
        now->setMarked(true);
}

void FocusOrder::focus(QWidget *field)
{
    mark(field);
    if (field)
        field->setFocus(Qt::OtherFocusReason);
}
