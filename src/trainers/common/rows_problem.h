#pragma once

#include "trainers/common/exercise.h"
#include "trainers/common/rows_table.h"

#include <QList>
#include <QStringList>
#include <vector>

class RandomSource;

// A four-digit multiplicand times a multiplier of two or three digits, worked as written
// long multiplication: one partial product per multiplier digit, each shifted one place
// right of the one above, and their sum under the rule.
struct RowsNumbers
{
    int thousands = 5, hundreds = 0, tens = 0, ones = 1;
    QList<int> multiplier{2, 2}; // most significant digit first

    int multiplicand() const { return 1000 * thousands + 100 * hundreds + 10 * tens + ones; }
    int multiplierDigits() const { return int(multiplier.size()); }
    // Partial product r (0 = the multiplier's highest digit) with the zeros of its place:
    // for a two-digit multiplier row 0 is multiplicand × tens digit × 10.
    qint64 row(int r) const;
    qint64 sum() const;
    // The partial products followed by the sum, as decimal texts.
    QStringList rows() const;

    // Draws, in this order: thousands 5..9, hundreds 0..9, tens 0..9, ones 1..4, then each
    // multiplier digit 2..9 from the highest down.
    static RowsNumbers draw(RandomSource &random, int multiplierDigits);
};

// The rows are written flush with the sum, each partial product ending in the zeros of its
// place, or as a staircase where those zeros are left out and taken as written.
class RowsExercise : public CaptionExercise
{
public:
    explicit RowsExercise(const RowsTables &tables) : m_tables(tables) {}

    void setStaircase(bool staircase);
    bool staircase() const { return m_staircase; }
    // Fields that hold the trailing zeros of the partial products.
    virtual QStringList zeroFields() const = 0;

    const RowsTables &tables() const { return m_tables; }
    const RowsNumbers &numbers() const { return m_numbers; }
    const QStringList &liste1() const { return m_liste1; }
    const QStringList &liste2() const { return m_liste2; }

    void deal(RandomSource &random) override;
    // Lays out a given problem.
    virtual void show(const RowsNumbers &numbers) = 0;

    WrittenMultiplication written() const override;

protected:
    // The cell of the digit at `place` from the right (1 = last) of answer row `row` (the
    // partial products with their zeros, then the sum).
    Cell answerCell(int row, int place) const;
    // The operands' labels of `multiplicand` and `multiplier` with their cells.
    QList<NamedCell> operandCells(const std::vector<const char *> &multiplicand,
                                  const std::vector<const char *> &multiplier) const;
    void applyStaircase();
    // "Erste Zahl, Hunderterstelle", "Zweite Zahl, Einerstelle", or nothing.
    QString operandDescription(const QString &label, const std::vector<const char *> &multiplicand,
                               const std::vector<const char *> &multiplier) const;
    // "1. Teilprodukt, Zehnerstelle", "Ergebnis, Einerstelle".
    QString placeDescription(int row, int place) const;
    // The zeros at the end of partial product r: one fewer than the multiplier digits
    // below the one it belongs to.
    int trailingZeros(int row) const { return m_tables.multiplierDigits - 1 - row; }

    const RowsTables &m_tables;
    RowsNumbers m_numbers;
    QStringList m_liste1;
    QStringList m_liste2;

private:
    bool m_staircase = false;
};

// A single problem: the pupil writes every digit of the partial products and the sum.
class RowsSingle : public RowsExercise
{
public:
    using RowsExercise::RowsExercise;

    void show(const RowsNumbers &numbers) override;
    QStringList fieldNames() const override;
    QString expectedDigit(const QString &field) const override;
    bool isSolved() const override;
    QString fieldDescription(const QString &field) const override;
    QString solvedTitle() const override { return QString::fromUtf8(singleProblemTitle); }
    QStringList zeroFields() const override;
    bool isGap() const override { return false; }

    void clearSingleFields();
    // Row r as entered, with "0" for a zero field the staircase leaves out.
    QString enteredRow(int row) const;

protected:
    QList<NamedCell> namedCells() const override;
};

// A gap problem: the finished computation with the same few digits left out every time.
class RowsGap : public RowsExercise
{
public:
    using RowsExercise::RowsExercise;

    void show(const RowsNumbers &numbers) override;
    QStringList fieldNames() const override;
    QString expectedDigit(const QString &field) const override;
    bool isSolved() const override;
    QString fieldDescription(const QString &field) const override;
    QString solvedTitle() const override { return QString::fromUtf8(gapProblemTitle); }
    QStringList zeroFields() const override;
    bool isGap() const override { return true; }

    void clearGapFields();

protected:
    QList<NamedCell> namedCells() const override;
};
