#include "trainers/common/rows_problem.h"

#include "trainers/common/answer_key.h"
#include "ui/random_source.h"

#include <algorithm>

namespace {

qint64 placeValue(int zeros)
{
    qint64 value = 1;
    for (int i = 0; i < zeros; ++i)
        value *= 10;
    return value;
}

QString digitText(int value)
{
    return QString::number(value);
}

} // namespace

qint64 RowsNumbers::row(int r) const
{
    return qint64(multiplicand()) * multiplier.value(r) * placeValue(multiplierDigits() - 1 - r);
}

qint64 RowsNumbers::sum() const
{
    qint64 total = 0;
    for (int r = 0; r < multiplierDigits(); ++r)
        total += row(r);
    return total;
}

QStringList RowsNumbers::rows() const
{
    QStringList texts;
    for (int r = 0; r < multiplierDigits(); ++r)
        texts << QString::number(row(r));
    texts << QString::number(sum());
    return texts;
}

RowsNumbers RowsNumbers::draw(RandomSource &random, int multiplierDigits)
{
    RowsNumbers n;
    n.thousands = drawInt(random, 5, 5);
    n.hundreds = drawInt(random, 10);
    n.tens = drawInt(random, 10);
    n.ones = drawInt(random, 4, 1);
    n.multiplier.clear();
    for (int i = 0; i < multiplierDigits; ++i)
        n.multiplier << drawInt(random, 8, 2);
    return n;
}

// --- both kinds ----------------------------------------------------------------------

WrittenMultiplication RowsExercise::written() const
{
    return WrittenMultiplication(m_numbers.multiplicand(), m_numbers.multiplier);
}

Cell RowsExercise::answerCell(int row, int place) const
{
    if (row >= m_tables.multiplierDigits)
        return {Part::Sum, 0, place - 1};
    return {place - 1 < trailingZeros(row) ? Part::Zero : Part::PartialProduct, row, place - 1};
}

QList<CaptionExercise::NamedCell> RowsExercise::operandCells(const std::vector<const char *> &multiplicand,
                                                      const std::vector<const char *> &multiplier) const
{
    QList<NamedCell> cells;
    for (std::size_t i = 0; i < multiplicand.size(); ++i)
        cells.append({QLatin1String(multiplicand[i]),
                      {Part::Multiplicand, 0, int(multiplicand.size() - 1 - i)}});
    for (std::size_t i = 0; i < multiplier.size(); ++i)
        cells.append({QLatin1String(multiplier[i]), {Part::Multiplier, 0, int(multiplier.size() - 1 - i)}});
    return cells;
}

QList<CaptionExercise::NamedCell> RowsSingle::namedCells() const
{
    QList<NamedCell> cells = operandCells(m_tables.multiplicandLabels, m_tables.multiplierLabels);
    for (const RowField &field : m_tables.fields)
        cells.append({QLatin1String(field.field), answerCell(field.row, field.place)});
    return cells;
}

QList<CaptionExercise::NamedCell> RowsGap::namedCells() const
{
    QList<NamedCell> cells = operandCells(m_tables.gapMultiplicand, m_tables.gapMultiplier);
    for (std::size_t row = 0; row < m_tables.gapRows.size(); ++row) {
        for (std::size_t k = 0; k < m_tables.gapRows[row].size(); ++k)
            cells.append({QLatin1String(m_tables.gapRows[row][k]), answerCell(int(row), int(k) + 1)});
    }
    return cells;
}

void RowsExercise::deal(RandomSource &random)
{
    show(RowsNumbers::draw(random, m_tables.multiplierDigits));
}

void RowsExercise::setStaircase(bool staircase)
{
    m_staircase = staircase;
    applyStaircase();
}

void RowsExercise::applyStaircase()
{
    for (const QString &field : zeroFields())
        setShown(field, !m_staircase);
}

QString RowsExercise::operandDescription(const QString &label,
                                         const std::vector<const char *> &multiplicand,
                                         const std::vector<const char *> &multiplier) const
{
    for (std::size_t i = 0; i < multiplicand.size(); ++i) {
        if (label == QLatin1String(multiplicand[i]))
            return QStringLiteral("Erste Zahl, ") + placeName(int(multiplicand.size() - 1 - i));
    }
    for (std::size_t i = 0; i < multiplier.size(); ++i) {
        if (label == QLatin1String(multiplier[i]))
            return QStringLiteral("Zweite Zahl, ") + placeName(int(multiplier.size() - 1 - i));
    }
    return QString();
}

QString RowsExercise::placeDescription(int row, int place) const
{
    const QString rowName = row < m_tables.multiplierDigits
                                ? QStringLiteral("%1. Teilprodukt").arg(row + 1)
                                : QStringLiteral("Ergebnis");
    return rowName + QStringLiteral(", ") + placeName(place - 1);
}

// --- single problems -------------------------------------------------------------------

void RowsSingle::clearSingleFields()
{
    for (const char *label : m_tables.multiplicandLabels)
        setCaption(QLatin1String(label), QString());
    for (const char *label : m_tables.multiplierLabels)
        setCaption(QLatin1String(label), QString());
    for (const RowField &f : m_tables.fields)
        setCaption(QLatin1String(f.field), QString());
}

void RowsSingle::show(const RowsNumbers &numbers)
{
    clearSingleFields();
    m_numbers = numbers;
    const int multiplicand[] = {numbers.thousands, numbers.hundreds, numbers.tens, numbers.ones};
    for (int i = 0; i < 4; ++i)
        setCaption(QLatin1String(m_tables.multiplicandLabels[i]), digitText(multiplicand[i]));
    for (int i = 0; i < m_tables.multiplierDigits; ++i)
        setCaption(QLatin1String(m_tables.multiplierLabels[i]), digitText(numbers.multiplier.value(i)));
    m_liste1 = numbers.rows();
    m_liste2.clear();
    applyStaircase();
}

QStringList RowsSingle::fieldNames() const
{
    // Written order: row by row, each from its ones digit leftwards.
    std::vector<RowField> fields = m_tables.fields;
    std::stable_sort(fields.begin(), fields.end(), [](const RowField &a, const RowField &b) {
        return a.row != b.row ? a.row < b.row : a.place < b.place;
    });
    QStringList names;
    for (const RowField &f : fields)
        names << QLatin1String(f.field);
    return names;
}

QString RowsSingle::expectedDigit(const QString &field) const
{
    for (const RowField &f : m_tables.fields) {
        if (field == QLatin1String(f.field))
            return characterFromRight(m_liste1.value(f.row), f.place);
    }
    return QString();
}

QString RowsSingle::fieldDescription(const QString &field) const
{
    for (const RowField &f : m_tables.fields) {
        if (field == QLatin1String(f.field))
            return placeDescription(f.row, f.place);
    }
    return operandDescription(field, m_tables.multiplicandLabels, m_tables.multiplierLabels);
}

QStringList RowsSingle::zeroFields() const
{
    QStringList names;
    for (const RowField &f : m_tables.fields) {
        if (f.row < m_tables.multiplierDigits && f.place <= trailingZeros(f.row))
            names << QLatin1String(f.field);
    }
    return names;
}

QString RowsSingle::enteredRow(int row) const
{
    QString entered;
    for (int place = m_liste1.value(row).size(); place >= 1; --place) {
        for (const RowField &f : m_tables.fields) {
            if (f.row != row || f.place != place)
                continue;
            const QString name = QLatin1String(f.field);
            entered += isShown(name) ? caption(name) : QStringLiteral("0");
        }
    }
    return entered;
}

bool RowsSingle::isSolved() const
{
    if (m_liste1.isEmpty())
        return false;
    for (int row = 0; row < m_liste1.size(); ++row) {
        if (enteredRow(row) != m_liste1.at(row))
            return false;
    }
    return true;
}

// --- gap problems ----------------------------------------------------------------------

void RowsGap::clearGapFields()
{
    for (const char *field : m_tables.gapMultiplicand)
        setCaption(QLatin1String(field), QString());
    for (const char *field : m_tables.gapMultiplier)
        setCaption(QLatin1String(field), QString());
    for (const auto &row : m_tables.gapRows) {
        for (const char *field : row)
            setCaption(QLatin1String(field), QString());
    }
}

void RowsGap::show(const RowsNumbers &numbers)
{
    clearGapFields();
    m_numbers = numbers;
    const int multiplicand[] = {numbers.thousands, numbers.hundreds, numbers.tens, numbers.ones};
    for (int i = 0; i < 4; ++i)
        setCaption(QLatin1String(m_tables.gapMultiplicand[i]), digitText(multiplicand[i]));
    for (int i = 0; i < m_tables.multiplierDigits; ++i)
        setCaption(QLatin1String(m_tables.gapMultiplier[i]), digitText(numbers.multiplier.value(i)));

    m_liste1 = numbers.rows();
    for (std::size_t row = 0; row < m_tables.gapRows.size(); ++row) {
        const auto &fields = m_tables.gapRows[row];
        for (std::size_t i = 0; i < fields.size(); ++i)
            setCaption(QLatin1String(fields[i]), characterFromRight(m_liste1.value(int(row)), int(i) + 1));
    }

    m_liste2.clear();
    for (const char *gap : m_tables.gaps) {
        m_liste2 << caption(QLatin1String(gap));
        setCaption(QLatin1String(gap), QString());
    }
    applyStaircase();
}

QStringList RowsGap::fieldNames() const
{
    QStringList names;
    for (const char *gap : m_tables.gaps)
        names << QLatin1String(gap);
    return names;
}

QString RowsGap::expectedDigit(const QString &field) const
{
    const int item = fieldNames().indexOf(field);
    return item < 0 ? QString() : m_liste2.value(item);
}

QString RowsGap::fieldDescription(const QString &field) const
{
    for (std::size_t row = 0; row < m_tables.gapRows.size(); ++row) {
        const auto &fields = m_tables.gapRows[row];
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (field == QLatin1String(fields[i]))
                return placeDescription(int(row), int(i) + 1);
        }
    }
    return operandDescription(field, m_tables.gapMultiplicand, m_tables.gapMultiplier);
}

QStringList RowsGap::zeroFields() const
{
    QStringList names;
    for (int row = 0; row < m_tables.multiplierDigits; ++row) {
        const auto &fields = m_tables.gapRows[std::size_t(row)];
        for (int i = 0; i < trailingZeros(row); ++i)
            names << QLatin1String(fields[std::size_t(i)]);
    }
    return names;
}

bool RowsGap::isSolved() const
{
    // The digits around the gaps are given and take no drop; the gaps must all be right.
    return !m_liste2.isEmpty() && shownFieldsRight(fieldNames());
}
