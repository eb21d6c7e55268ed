#pragma once

#include "arithmetic/written_multiplication.h"
#include "training/session_statistics.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class Exercise;
class QLabel;
class QWidget;

// What follows a dropped digit besides the points and the "Fehler" box: the statistics of
// the run, and (while hints are on) the hint line `Tipp` under the problem with the digits
// its step uses highlighted. A first wrong digit on a cell names the column and the step
// (a gap problem's step worked backwards) and asks about the kind of error it fits; a
// second one on the same cell shows the step worked out. Both see the problem as the window
// shows it (its display, the digits on its fields): where the step needs a blank, they
// name that blank to find first and highlight it. The hint goes at the next right digit, a
// new problem or a mode switch. While the pupil works a problem whose Überschlag stands, the
// line says what the result must be close to, between the hints. One for every trainer
// window.
class HintLine
{
public:
    // `widgetOf` finds the control of the window that shows a cell.
    HintLine(QWidget *window, Training &training, TrainerKind trainer,
             std::function<QWidget *(const Cell &)> widgetOf);

    QLabel *label() const { return m_label; }

    // The window shows a problem, new or in another display.
    void problemShown(const Exercise &exercise);
    // After the drop procedure of `field` (and its "Fehler" box) is done; `digit` is
    // nothing for a drop of anything but a digit key.
    void dropped(const Exercise &exercise, const Cell &field, std::optional<int> digit, bool right);
    void solved(const Exercise &exercise);
    // A new child: no hint, and the next problem shown counts for it, whichever it is.
    void startNewChild();

private:
    // What the line shows without a hint: the estimate once the Überschlag stands, else
    // nothing.
    void settle(const Exercise &exercise);
    void show(const QString &text, const QList<Cell> &cells);
    void clear();

    Training &m_training;
    TrainerKind m_trainer;
    std::function<QWidget *(const Cell &)> m_widgetOf;
    QLabel *m_label = nullptr;
    QList<QPointer<QWidget>> m_highlighted;
    // The field of the last wrong digit since the last right one.
    std::optional<Cell> m_wrongField;
    const Exercise *m_shownExercise = nullptr;
    QString m_shownProblem;
};
