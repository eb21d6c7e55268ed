#pragma once

// A child practising through the sessions the trainer windows use: the session checks,
// counts, records and hands every step to the practice log. The tests compare what a store
// rebuilds from the log with this live state, and with counts of their own.

#include "store/practice_event.h"
#include "trainers/common/rows_table.h"
#include "trainers/one_row/one_row_table.h"
#include "trainers/three_row/three_row_table.h"
#include "trainers/two_row/two_row_table.h"
#include "training/report.h"
#include "training/session_statistics.h"
#include "training/training_session.h"

#include <QStringList>

#include <array>
#include <memory>
#include <set>

class PractisingChild
{
public:
    explicit PractisingChild(PracticeLog *log) { live.practiceLog = log; }

    Training live;

    // A script of steps, e.g. "one 4321 3; ok 4; bad; all; memory":
    //   one A M | onegap A M P | two A MM [gap] [stair] | three A MMM [gap]  start a problem
    //   ok N     N right digits on the next empty fields     bad   a wrong digit there
    //   key      a drop of anything but a digit key there     all   the rest right
    //   memory | catching   the reward is taken in the trainer last used
    void play(const QString &script)
    {
        for (const QString &step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            playStep(step.simplified().split(QLatin1Char(' ')));
    }

    TrainingSession &session(TrainerKind t)
    {
        auto &s = m_sessions[std::size_t(t)];
        if (!s)
            s = std::make_unique<TrainingSession>(live, t);
        return *s;
    }

    void start(TrainerKind t, const Exercise &exercise)
    {
        m_trainer = t;
        session(t).start(exercise);
    }

    DropOutcome drop(const Cell &cell, std::optional<int> digit) { return session(m_trainer).drop(cell, digit); }

    // The next field the child writes: the first empty one in written order.
    std::optional<Cell> nextBlank()
    {
        const Exercise &e = session(m_trainer).exercise();
        for (const Cell &field : e.fields()) {
            if (e.isBlank(field) && !isCarry(field))
                return field;
        }
        return std::nullopt;
    }

    QStringList report() const { return reportLines(live.statistics); }

private:
    void playStep(const QStringList &w)
    {
        const QString &what = w.value(0);
        const auto number = [&](int i) { return w.value(i).toLongLong(); };
        const auto digits = [&](int i) {
            QList<int> d;
            for (QChar c : w.value(i))
                d << c.digitValue();
            return d;
        };
        const WrittenDisplay display = w.contains(QLatin1String("stair")) ? WrittenDisplay::Staircase
                                                                          : WrittenDisplay::Flush;
        const bool gap = w.contains(QLatin1String("gap"));
        if (what == QLatin1String("one")) {
            start(TrainerKind::OneRow, oneRowSingle(WrittenMultiplication(number(1), digits(2))));
        } else if (what == QLatin1String("onegap")) {
            start(TrainerKind::OneRow, oneRowGap(WrittenMultiplication(number(1), digits(2)), int(number(3))));
        } else if (what == QLatin1String("two")) {
            start(TrainerKind::TwoRow,
                  rowsExercise(twoRowTables(), WrittenMultiplication(number(1), digits(2)), gap, display));
        } else if (what == QLatin1String("three")) {
            start(TrainerKind::ThreeRow,
                  rowsExercise(threeRowTables(), WrittenMultiplication(number(1), digits(2)), gap, display));
        } else if (what == QLatin1String("ok") || what == QLatin1String("all")) {
            const int n = what == QLatin1String("all") ? 1000 : int(number(1));
            for (int i = 0; i < n; ++i) {
                const std::optional<Cell> field = nextBlank();
                if (!field)
                    break;
                drop(*field, session(m_trainer).exercise().expectedDigit(*field));
            }
        } else if (what == QLatin1String("bad") || what == QLatin1String("key")) {
            const std::optional<Cell> field = nextBlank();
            const int right = session(m_trainer).exercise().expectedDigit(*field);
            drop(*field, what == QLatin1String("key") ? std::nullopt : std::optional<int>((right + 1) % 10));
        } else if (what == QLatin1String("memory")) {
            session(m_trainer).takeMemory();
        } else if (what == QLatin1String("catching")) {
            session(m_trainer).takeCatching();
        } else {
            qFatal("unknown step %s", qPrintable(what));
        }
    }

    std::array<std::unique_ptr<TrainingSession>, trainerKindCount> m_sessions;
    TrainerKind m_trainer = TrainerKind::OneRow;
};
