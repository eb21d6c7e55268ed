// Scripted pupils through the trainers' single problems, on the same path as a trainer
// window (the problem's cell table, the diagnosis, the run's statistics, the report), without
// the windows. For every error kind a pupil who makes that mistake wherever it applies (the
// first digit that fits the kind) and otherwise writes right digits; and a pupil with random
// slips only (a random wrong digit on one box in five, then the right one). Each solves 20
// problems in each trainer; prints per pupil and trainer the errors, the kind the report's
// "Auffällig:" line names and its share of the errors (where it names none, the share of the
// pupil's own kind), and whether that is what the pupil did ("hält").
//
//   malrechnen_pupil_bench [problems]
#include "seams/random_source.h"
#include "trainers/common/rows_table.h"
#include "trainers/one_row/one_row_table.h"
#include "trainers/three_row/three_row_table.h"
#include "trainers/two_row/two_row_table.h"
#include "training/report.h"
#include "training/session_statistics.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

namespace {

class Generator final : public RandomSource
{
public:
    explicit Generator(unsigned seed) : m_engine(seed) {}
    double uniform() override { return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine); }
    std::mt19937 &engine() { return m_engine; }

private:
    std::mt19937 m_engine;
};

// The pupil's wrong digit for `cell`, or nothing where the mistake does not apply.
using Pupil = std::function<std::optional<int>(const Exercise &, const Cell &, int right)>;

Pupil consistent(ErrorKind kind)
{
    return [kind](const Exercise &exercise, const Cell &cell, int right) -> std::optional<int> {
        if (kind == ErrorKind::PlaceShifted) {
            // Started one box too far left: each box gets the digit of the place to its right.
            const std::optional<int> shifted =
                exercise.written().lineDigit(cell.part, cell.row, cell.place - 1);
            if (cell.part != Part::PartialProduct && cell.part != Part::Sum)
                return std::nullopt;
            return shifted && *shifted != right ? shifted : std::nullopt;
        }
        for (int d = 0; d <= 9; ++d) {
            if (d != right && fitsErrorKind(kind, exercise, cell, d))
                return d;
        }
        return std::nullopt;
    };
}

Pupil slips(Generator &random)
{
    return [&random](const Exercise &, const Cell &, int right) -> std::optional<int> {
        if (drawInt(random, 5) != 0)
            return std::nullopt;
        return (right + 1 + drawInt(random, 9)) % 10;
    };
}

// A fresh single problem of `trainer`; the one-row trainer takes its modes E, Z and H in turn.
Exercise deal(TrainerKind trainer, int p, Generator &random)
{
    switch (trainer) {
    case TrainerKind::OneRow:
        return dealOneRow(random, p % 3 == 0 ? OneRowMode::E : p % 3 == 1 ? OneRowMode::Z : OneRowMode::H);
    case TrainerKind::TwoRow:
        return dealRows(random, twoRowTables(), false, WrittenDisplay::Flush);
    case TrainerKind::ThreeRow:
        break;
    }
    return dealRows(random, threeRowTables(), false, WrittenDisplay::Flush);
}

// `problems` single problems of one trainer: every shown field in written order, a wrong
// digit first where the pupil makes one, then the right one.
void solve(TrainerKind trainer, const Pupil &pupil, int problems, Generator &random,
           SessionStatistics &statistics, int step)
{
    for (int p = 0; p < problems; ++p) {
        Exercise exercise = deal(trainer, p, random);
        statistics.startProblem(trainer, exercise.problemText());
        for (const Cell &cell : exercise.fields()) {
            if (!exercise.isShown(cell))
                continue;
            const int right = exercise.expectedDigit(cell);
            if (const std::optional<int> wrong = pupil(exercise, cell, right)) {
                if (exercise.drop(cell, *wrong) == Exercise::Verdict::Right) {
                    std::fprintf(stderr, "step %d: a wrong digit was taken as right\n", step);
                    std::exit(2);
                }
                statistics.recordDrop(trainer, exercise, cell, *wrong, false);
            }
            exercise.drop(cell, right);
            statistics.recordDrop(trainer, exercise, cell, right, true);
        }
        if (!exercise.isSolved()) {
            std::fprintf(stderr, "a problem was left unsolved\n");
            std::exit(2);
        }
        statistics.solved(trainer, false);
    }
}

} // namespace

int main(int argc, char **argv)
{
    const int problems = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    struct Pupil_
    {
        QString name;
        std::optional<ErrorKind> kind;
    };
    QList<Pupil_> pupils;
    for (ErrorKind kind : errorKinds())
        pupils.append({errorKindName(kind), kind});
    pupils.append({QStringLiteral("zufällige Versehen"), std::nullopt});

    const auto cell = [](const QString &text, int width) {
        return text.leftJustified(width).toUtf8();
    };
    std::printf("%s %s %7s  %s %7s  %s\n", cell(QStringLiteral("Schüler"), 34).constData(),
                cell(QStringLiteral("Trainer"), 26).constData(), "Fehler",
                cell(QStringLiteral("Auffällig"), 34).constData(), "Anteil", "hält");
    bool allHold = true;
    int step = 0;
    for (const Pupil_ &p : pupils) {
        Generator random(1400 + unsigned(step));
        SessionStatistics statistics;
        const Pupil pupil = p.kind ? consistent(*p.kind) : slips(random);
        for (TrainerKind trainer : {TrainerKind::OneRow, TrainerKind::TwoRow, TrainerKind::ThreeRow}) {
            solve(trainer, pupil, problems, random, statistics, ++step);
            const SessionStatistics::Trainer &s = statistics.trainer(trainer);
            if (p.kind && s.errors == 0)
                continue; // the mistake cannot occur in this trainer
            const std::optional<ErrorEvidence::Pattern> pattern = namedPattern(s);
            const std::optional<ErrorKind> named =
                pattern ? std::optional<ErrorKind>(pattern->kinds.first()) : std::nullopt;
            const int claims = int(reportLines(statistics)
                                       .filter(QStringLiteral("Auffällig:"))
                                       .filter(errorKindName(named.value_or(ErrorKind::CarryForgotten)))
                                       .size());
            const bool holds = p.kind ? (named == p.kind && claims >= 1) : !named;
            allHold &= holds;
            // The share of the kind named, or where none is, of the pupil's own kind.
            const std::optional<ErrorKind> counted = named ? named : p.kind;
            const double share =
                counted ? 100.0 * s.evidence.explained(*counted) / s.errors : 0.0;
            std::printf("%s %s %7d  %s %6.0f%%  %s\n", cell(p.name, 34).constData(),
                        cell(trainerKindName(trainer), 26).constData(), s.errors,
                        cell(named ? errorKindName(*named) : QStringLiteral("–"), 34).constData(),
                        share, holds ? "ja" : "NEIN");
        }
    }
    std::printf("Jede Zeile hält: %s\n", allHold ? "ja" : "nein");
    return 0;
}
