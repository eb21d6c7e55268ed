#include "trainers/common/hint_line.h"

#include "training/diagnosis.h"
#include "training/estimate_hints.h"
#include "training/exercise.h"

#include <QAccessible>
#include <QLabel>

namespace {

// The control draws itself highlighted (CellLook::isHighlighted).
void setHighlighted(QWidget *widget, bool on)
{
    widget->setProperty("hint", on);
    widget->update();
}

void announce(QLabel *label)
{
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace

HintLine::HintLine(QWidget *window, Training &training, TrainerKind trainer,
                   std::function<QWidget *(const Cell &)> widgetOf)
    : m_training(training)
    , m_trainer(trainer)
    , m_widgetOf(std::move(widgetOf))
{
    m_label = new QLabel(window);
    m_label->setObjectName(QStringLiteral("Tipp"));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_label->setContentsMargins(8, 0, 8, 0);
    QFont font;
    font.setFamilies({QStringLiteral("Andika"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(16);
    font.setBold(true);
    m_label->setFont(font);
    m_label->setStyleSheet(QStringLiteral("background-color: rgb(255, 246, 200); color: rgb(0, 0, 96);"
                                          " border: 2px solid rgb(230, 170, 40); border-radius: 6px;"));
    m_label->hide();
}


void HintLine::problemShown(const Exercise &exercise)
{
    settle(exercise);
    m_wrongField.reset();
    const QString problem = exercise.problemText();
    if (&exercise != m_shownExercise || problem != m_shownProblem) {
        m_shownExercise = &exercise;
        m_shownProblem = problem;
        m_training.statistics.startProblem(m_trainer, problem);
    }
}

void HintLine::dropped(const Exercise &exercise, const Cell &field, std::optional<int> digit, bool right)
{
    const KindSet kinds = m_training.statistics.recordDrop(m_trainer, exercise, field, digit, right);
    if (right) {
        m_wrongField.reset();
        settle(exercise);
        return;
    }
    const bool again = m_wrongField == field;
    m_wrongField = field;
    if (!m_training.hintsShown || !exercise.written().contains(field))
        return;
    // The hints see the problem as it stands on screen: its display and the digits written.
    // The question asks about the kind the child's errors so far point to.
    const Hint hint = again ? workedHint(exercise, field)
                            : stepHint(exercise, field, m_training.statistics.favouredKind(m_trainer, kinds));
    show(hint.text, hint.cells);
}

void HintLine::solved(const Exercise &exercise)
{
    m_training.statistics.solved(m_trainer, exercise.isGap());
}

void HintLine::settle(const Exercise &exercise)
{
    if (exercise.hasEstimate() && exercise.isEstimateWritten() && !exercise.isSolved())
        show(estimateNotice(exercise.written()), {});
    else
        clear();
}

void HintLine::startNewChild()
{
    clear();
    m_wrongField.reset();
    m_shownExercise = nullptr;
    m_shownProblem.clear();
}

void HintLine::show(const QString &text, const QList<Cell> &cells)
{
    clear();
    for (const Cell &cell : cells) {
        QWidget *widget = m_widgetOf(cell);
        if (widget) {
            setHighlighted(widget, true);
            m_highlighted.append(widget);
        }
    }
    m_label->setText(text);
    m_label->setAccessibleName(QStringLiteral("Tipp: ") + text);
    m_label->show();
    m_label->raise();
    announce(m_label);
}

void HintLine::clear()
{
    if (m_label->isHidden() && m_highlighted.isEmpty())
        return;
    for (const QPointer<QWidget> &widget : std::as_const(m_highlighted)) {
        if (widget)
            setHighlighted(widget, false);
    }
    m_highlighted.clear();
    m_label->hide();
    m_label->clear();
}
