#include "trainers/common/answer_area.h"

#include "trainers/common/drop_field.h"

void AnswerArea::adopt(DropField *box)
{
    const auto forward = [this, box](auto signal) {
        return [this, box, signal](auto... args) {
            if (const std::optional<Cell> cell = cellOf(box))
                Q_EMIT(this->*signal)(*cell, args...);
        };
    };
    connect(box, &DropField::dropped, this, forward(&AnswerArea::dropped));
    connect(box, &DropField::clicked, this, forward(&AnswerArea::clicked));
    connect(box, &DropField::typed, this, forward(&AnswerArea::typed));
    connect(box, &DropField::stepped, this, forward(&AnswerArea::stepped));
    connect(box, &DropField::focused, this, forward(&AnswerArea::focused));
}

void AnswerArea::showCells(const CellTable &table, const QHash<QString, QWidget *> &controls)
{
    m_widgets.clear();
    m_cells.clear();
    for (const NamedCell &named : table) {
        if (QWidget *widget = controls.value(named.name)) {
            m_widgets.insert(named.cell, widget);
            m_cells.insert(widget, named.cell);
        }
    }
}

std::optional<Cell> AnswerArea::cellOf(const QWidget *widget) const
{
    const auto found = m_cells.constFind(widget);
    return found == m_cells.constEnd() ? std::nullopt : std::optional<Cell>(*found);
}
