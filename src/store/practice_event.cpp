#include "store/practice_event.h"

#include <QDataStream>
#include <QIODevice>

int cellCode(const Cell &cell)
{
    return (int(cell.part) & 0xf) << 12 | (cell.row & 0xf) << 8 | (cell.place & 0xff);
}

Cell cellOfCode(int code)
{
    return Cell{Part((code >> 12) & 0xf), (code >> 8) & 0xf, code & 0xff};
}

QByteArray cellsCode(const QList<Cell> &cells)
{
    QByteArray code;
    code.reserve(cells.size() * 2);
    for (const Cell &cell : cells) {
        const int c = cellCode(cell);
        code.append(char(c >> 8)).append(char(c & 0xff));
    }
    return code;
}

QList<Cell> cellsOfCode(const QByteArray &code)
{
    QList<Cell> cells;
    cells.reserve(code.size() / 2);
    for (qsizetype i = 0; i + 1 < code.size(); i += 2)
        cells << cellOfCode(quint8(code[i]) << 8 | quint8(code[i + 1]));
    return cells;
}

ProblemRecord problemRecordOf(TrainerKind trainer, const Exercise &exercise)
{
    ProblemRecord record;
    record.trainer = trainer;
    record.multiplicand = exercise.written().multiplicand();
    record.multiplierDigits = exercise.written().multiplierDigits();
    record.multiplierZeros = exercise.written().multiplierZeros();
    record.gap = exercise.isGap();
    record.blanks = exercise.blanks();
    record.fields = exercise.fields();
    record.estimate = exercise.hasEstimate();
    record.display = exercise.display();
    return record;
}

std::optional<Exercise> exerciseOf(const ProblemRecord &problem)
{
    if (problem.multiplicand <= 0 || problem.multiplierDigits.isEmpty() || problem.multiplierDigits.size() > 3
        || problem.multiplierZeros < 0 || problem.multiplierZeros > 2 || problem.fields.isEmpty())
        return std::nullopt;
    for (int digit : problem.multiplierDigits) {
        if (digit < 0 || digit > 9)
            return std::nullopt;
    }
    const WrittenMultiplication written(problem.multiplicand, problem.multiplierDigits, problem.multiplierZeros);
    return problem.gap ? Exercise::gap(written, problem.fields, problem.blanks, problem.display)
                       : Exercise::single(written, problem.fields, problem.display);
}

namespace {
// The layout of a problem code; a new layout takes the next number.
constexpr quint8 problemCodeVersion = 1;
}

QByteArray problemCode(const ProblemRecord &problem)
{
    QByteArray code;
    QDataStream out(&code, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    QByteArray multiplier;
    for (int digit : problem.multiplierDigits)
        multiplier.append(char(digit));
    out << problemCodeVersion << quint8(problem.trainer) << problem.multiplicand << multiplier
        << quint8(problem.multiplierZeros) << problem.gap << problem.estimate << quint8(problem.display)
        << cellsCode(problem.fields) << cellsCode(problem.blanks);
    return code;
}

std::optional<ProblemRecord> problemOfCode(const QByteArray &code)
{
    QDataStream in(code);
    in.setVersion(QDataStream::Qt_6_0);
    quint8 version = 0, trainer = 0, zeros = 0, display = 0;
    QByteArray multiplier, fields, blanks;
    ProblemRecord problem;
    in >> version;
    if (version != problemCodeVersion)
        return std::nullopt;
    in >> trainer >> problem.multiplicand >> multiplier >> zeros >> problem.gap >> problem.estimate >> display
        >> fields >> blanks;
    if (in.status() != QDataStream::Ok || trainer >= trainerKindCount || display > 1)
        return std::nullopt;
    problem.trainer = TrainerKind(trainer);
    for (char digit : std::as_const(multiplier))
        problem.multiplierDigits << int(digit);
    problem.multiplierZeros = zeros;
    problem.display = WrittenDisplay(display);
    problem.fields = cellsOfCode(fields);
    problem.blanks = cellsOfCode(blanks);
    return problem;
}
