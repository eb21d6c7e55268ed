#include "trainers/common/hint_line.h"

#include "training/diagnosis.h"
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
    clear();
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
    if (right) {
        m_training.statistics.rightDigit(m_trainer);
        m_wrongField.reset();
        clear();
        return;
    }
    const WrittenMultiplication &written = exercise.written();
    const bool known = written.contains(field);
    std::optional<ErrorKind> kind;
    if (known && !exercise.isGap() && digit)
        kind = diagnose(written, field, *digit);
    m_training.statistics.wrongDigit(m_trainer, kind);

    const bool again = m_wrongField == field;
    m_wrongField = field;
    if (!m_training.hintsShown || !known)
        return;
    const Hint hint = again                ? workedHint(written, field)
                      : exercise.isGap() ? gapHint(written, field)
                                           : stepHint(written, field, kind);
    show(hint.text, hint.cells);
}

void HintLine::solved(const Exercise &exercise)
{
    m_training.statistics.solved(m_trainer, exercise.isGap());
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
