#include "pupil_actions.h"

#include "trainers/common/digit_key.h"
#include "trainers/common/trainer_window.h"
#include "training/score.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>

#include <cmath>

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
