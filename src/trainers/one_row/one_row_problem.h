#pragma once

#include "trainers/common/exercise.h"
#include "trainers/one_row/one_row_table.h"

#include <QStringList>

class RandomSource;

// Multiplicand 1000a + 100b + 10c + d times the digit m.
struct OneRowNumbers
{
    int a = 1, b = 0, c = 0, d = 1, m = 2;

    int multiplicand() const { return 1000 * a + 100 * b + 10 * c + d; }
    int product() const { return multiplicand() * m; }

    // Draws a, b, c, d and m in this order: a 1..9, b 0..9, c 0..9, d 1..9, m 2..9.
    static OneRowNumbers draw(RandomSource &random);
};

// A single problem: the pupil writes the carries and the result under the rule.
class OneRowSingle final : public CaptionExercise
{
public:
    explicit OneRowSingle(OneRowMode mode = OneRowMode::E) : m_mode(mode) {}

    void setMode(OneRowMode mode) { m_mode = mode; }
    OneRowMode mode() const { return m_mode; }

    void deal(RandomSource &random) override;
    void show(const OneRowNumbers &numbers); // lays out a given problem
    QStringList fieldNames() const override;
    QString expectedDigit(const QString &field) const override;
    bool isSolved() const override;
    QString fieldDescription(const QString &field) const override;
    QString solvedTitle() const override { return QString::fromUtf8(singleProblemTitle); }

    WrittenMultiplication written() const override;
    bool isGap() const override { return false; }

    void ClearProblem();
    const OneRowNumbers &numbers() const { return m_numbers; }
    // Liste1: multiplicand, multiplier digit, product times 100; Liste2: P, 10P, 100P.
    const QStringList &liste1() const { return m_liste1; }
    const QStringList &liste2() const { return m_liste2; }

private:
    int shownDigit(const char *label) const;
    QList<NamedCell> namedCells() const override;

    OneRowMode m_mode;
    OneRowNumbers m_numbers;
    QStringList m_liste1;
    QStringList m_liste2;
};

// A gap problem: a finished computation with one multiplicand digit and two product
// digits left out.
class OneRowGap final : public CaptionExercise
{
public:
    explicit OneRowGap(OneRowMode mode = OneRowMode::LE) : m_mode(mode) {}

    void setMode(OneRowMode mode) { m_mode = mode; }
    OneRowMode mode() const { return m_mode; }

    void deal(RandomSource &random) override;
    // Lays out a given problem with pattern k (1..4) blanked.
    void show(const OneRowNumbers &numbers, int pattern);
    QStringList fieldNames() const override;
    QString expectedDigit(const QString &field) const override;
    bool isSolved() const override;
    QString fieldDescription(const QString &field) const override;
    QString solvedTitle() const override { return QString::fromUtf8(gapProblemTitle); }
    QString solvedText() const override;
    WrittenMultiplication written() const override;
    bool isGap() const override { return true; }

    int pattern() const { return m_pattern; }
    const OneRowNumbers &numbers() const { return m_numbers; }
    QString lueckenzahl() const { return m_key; }
    const QStringList &liste1() const { return m_liste1; }
    const QStringList &liste2() const { return m_liste2; }

    // The blanked fields of pattern k.
    static QStringList blanksOf(int pattern);
    // How many fillings of the blanks of pattern k make a right computation with the
    // digits left standing.
    static int solutionCount(const OneRowNumbers &numbers, int pattern);

protected:
    QList<NamedCell> namedCells() const override;

private:
    OneRowMode m_mode;
    OneRowNumbers m_numbers;
    int m_pattern = 1;
    QString m_key;
    QStringList m_liste1;
    QStringList m_liste2;
};
