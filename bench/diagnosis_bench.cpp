// The cost of naming a wrong digit's error kind and writing its hints, per wrong digit:
// what a drop adds when the hints are on. Prints the median, the 99th percentile and the
// slowest of many drops on random problems of all three trainers.
//
//   malrechnen_diagnosis_bench [drops]
#include "arithmetic/written_multiplication.h"
#include "training/diagnosis.h"
#include "training/exercise.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

int main(int argc, char **argv)
{
    const int drops = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200000;
    std::mt19937 generator(14);
    std::uniform_int_distribution<int> multiplicands(1000, 9999), digits(2, 9), rows(1, 3),
        zeros(0, 2), wrong(1, 9);
    std::vector<qint64> nanoseconds;
    nanoseconds.reserve(std::size_t(drops));
    int named = 0;
    std::size_t text = 0; // keeps the hints from being optimised away

    QElapsedTimer timer;
    for (int i = 0; i < drops; ++i) {
        const int r = rows(generator);
        QList<int> multiplier;
        for (int d = 0; d < r; ++d)
            multiplier << digits(generator);
        const WrittenMultiplication w(multiplicands(generator), multiplier, r == 1 ? zeros(generator) : 0);
        QList<Cell> answers;
        for (const Cell &cell : w.cells()) {
            if (cell.part != Part::Multiplicand && cell.part != Part::Multiplier && cell.part != Part::SumCarry)
                answers << cell;
        }
        const Cell cell = answers.at(int(generator() % answers.size()));
        const int digit = (w.digit(cell) + wrong(generator)) % 10;
        // Every other digit written, the wrong one just refused.
        const Exercise exercise = Exercise::gap(w, answers, {cell});

        timer.start();
        const std::optional<ErrorKind> kind = diagnose(exercise, cell, digit);
        const Hint first = stepHint(exercise, cell, kind);
        const Hint second = workedHint(exercise, cell);
        nanoseconds.push_back(timer.nsecsElapsed());

        named += kind ? 1 : 0;
        text += std::size_t(first.text.size() + second.text.size());
    }

    std::sort(nanoseconds.begin(), nanoseconds.end());
    auto at = [&](double q) { return nanoseconds[std::size_t(q * double(nanoseconds.size() - 1))] / 1000.0; };
    std::printf("diagnosis and hints per wrong digit (%d drops, %d with a kind, %zu characters)\n",
                drops, named, text);
    std::printf("  median %8.2f us\n  p99    %8.2f us\n  max    %8.2f us\n", at(0.5), at(0.99),
                nanoseconds.back() / 1000.0);
    return 0;
}
