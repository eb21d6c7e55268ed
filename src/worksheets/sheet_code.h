#pragma once

#include "seams/random_source.h"
#include "worksheets/worksheet.h"

#include <QtGlobal>
#include <optional>

// The short code printed on every sheet: the trainer, how its partial products are written
// and the seed its problems are drawn from. Typed back in, it gives the same sheet on any
// machine, because the draws come from the generator below and nothing else.
struct SheetCode
{
    SheetKind kind = SheetKind::OneRow;
    WrittenDisplay display = WrittenDisplay::Flush; // always Flush for the one-row sheet
    quint32 seed = 0;                           // below seedCount

    static constexpr quint32 seedCount = 1u << 27;
    // Six characters of data and one check character.
    static constexpr int length = 7;

    // Seven characters of "23456789ABCDEFGHJKLMNPQRSTUVWXYZ" (no 0/O, 1/I/l to mix up).
    QString text() const;
    // A typed code: blanks and hyphens are skipped, small letters count as capitals.
    // Nothing when a character is foreign, the length or the check character is wrong, or
    // the code names no sheet this program makes.
    static std::optional<SheetCode> read(const QString &typed);

    bool operator==(const SheetCode &o) const
    {
        return kind == o.kind && display == o.display && seed == o.seed;
    }
};

// A new code for "Blatt": one draw of the program's random source picks the seed.
SheetCode freshSheetCode(SheetKind kind, WrittenDisplay display, RandomSource &random);

// The problems a code stands for.
QList<SheetProblem> sheetProblems(const SheetCode &code);
// Its lines, as the sheet view lists them.
QStringList sheetText(const SheetCode &code);

// splitmix64: fixed arithmetic on 64-bit integers, the same on every compiler and library.
// uniform() takes the top 53 bits, so every value is exact.
class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(quint64 seed) : m_state(seed) {}
    double uniform() override;

private:
    quint64 m_state;
};
