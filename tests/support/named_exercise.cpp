#include "named_exercise.h"

bool NamedExercise::isShown(const QString &name) const
{
    const std::optional<Cell> cell = cellOf(name);
    return cell && exercise.isShown(*cell);
}

QString NamedExercise::shown(const QString &name) const
{
    const std::optional<Cell> cell = cellOf(name);
    const std::optional<int> digit = cell ? exercise.shownDigit(*cell) : std::nullopt;
    return digit ? QString::number(*digit) : QString();
}

QString NamedExercise::expected(const QString &name) const
{
    const std::optional<Cell> cell = cellOf(name);
    return cell ? QString::number(exercise.expectedDigit(*cell)) : QString();
}

bool NamedExercise::isField(const QString &name) const
{
    const std::optional<Cell> cell = cellOf(name);
    return cell && exercise.isField(*cell);
}

QStringList NamedExercise::fieldNames() const
{
    QStringList names;
    for (const Cell &field : exercise.fields())
        names << nameOfCell(table, field);
    return names;
}

Exercise::Verdict NamedExercise::drop(const QString &name, int digit)
{
    return exercise.drop(*cellOf(name), digit < 0 ? std::nullopt : std::optional<int>(digit));
}
