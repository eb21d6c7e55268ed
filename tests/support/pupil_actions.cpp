#include "pupil_actions.h"

#include "scripted_random.h"

#include "trainers/common/digit_key.h"
#include "trainers/common/trainer_window.h"
#include "training/score.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>

#include <cmath>
#include <tuple>

void scriptProblem(ScriptedRandom &random, WindowId trainer, const QString &problem)
{
    const QStringList numbers = problem.split(QStringLiteral(" · "));
    const auto digit = [&](int number, int i) { return numbers.at(number).at(i).digitValue(); };
    if (trainer == WindowId::OneRow) {
        for (auto [value, n, k] : {std::tuple{digit(0, 0), 9, 1}, {digit(0, 1), 10, 0}, {digit(0, 2), 10, 0},
                                   {digit(0, 3), 9, 1}, {digit(1, 0), 8, 2}})
            random.pushInt(value, n, k);
        return;
    }
    for (auto [value, n, k] : {std::tuple{digit(0, 0), 5, 5}, {digit(0, 1), 10, 0}, {digit(0, 2), 10, 0},
                               {digit(0, 3), 4, 1}})
        random.pushInt(value, n, k);
    for (int i = 0; i < numbers.at(1).size(); ++i)
        random.pushInt(digit(1, i), 8, 2);
}

void deliverDrop(QWidget *field, const QMimeData *data)
{
    const QPointF centre = QRectF(field->rect()).center();
    QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &enter);
    QDropEvent drop(centre, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &drop);
    QCoreApplication::processEvents();
}

void dropKey(QWidget *field, QChar digit)
{
    const auto data = digitMimeData(digit);
    deliverDrop(field, data.get());
}

QString expectedDigit(const TrainerWindow *window, const QString &name)
{
    const std::optional<Cell> cell = window->cellOf(name);
    return cell ? QString::number(window->exercise().expectedDigit(*cell)) : QString();
}

QString shownDigit(const TrainerWindow *window, const QString &name)
{
    const std::optional<Cell> cell = window->cellOf(name);
    const std::optional<int> digit = cell ? window->exercise().shownDigit(*cell) : std::nullopt;
    return digit ? QString::number(*digit) : QString();
}

int solveProblem(TrainerWindow *window)
{
    int drops = 0;
    for (const QString &field : window->fieldNames()) {
        const std::optional<Cell> cell = window->cellOf(field);
        if (!window->exercise().isShown(*cell) || window->exercise().shownDigit(*cell))
            continue;
        ++drops;
        if (window->dropOnField(field, expectedDigit(window, field).at(0)) == TrainerWindow::DropResult::Solved)
            break;
    }
    return drops;
}

int markerSteps(const QWidget *window)
{
    const QWidget *marker = window->findChild<QWidget *>(QStringLiteral("Bild1"));
    const QWidget *track = window->findChild<QWidget *>(QStringLiteral("progressTrack"));
    const double climbed = track->geometry().bottom() - marker->geometry().bottom();
    const double span = track->height() - marker->height();
    return int(std::lround(climbed / span * Score::problemsPerMemory));
}
