#include "worksheets/sheet_code.h"

#include <cstring>

namespace {

const char alphabet[] = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr int radix = 32;
constexpr int dataLength = SheetCode::length - 1;

// Which sheet a code names; the one-row sheet has no second display.
constexpr struct
{
    SheetKind kind;
    WrittenDisplay display;
} variants[] = {
    {SheetKind::OneRow, WrittenDisplay::Flush},      {SheetKind::TwoRow, WrittenDisplay::Flush},
    {SheetKind::TwoRow, WrittenDisplay::Staircase},  {SheetKind::ThreeRow, WrittenDisplay::Flush},
    {SheetKind::ThreeRow, WrittenDisplay::Staircase},
};
constexpr int variantCount = int(sizeof variants / sizeof variants[0]);

// The check: the 32 characters are the elements of GF(32) (their index as five bits,
// products taken modulo x^5 + x^2 + 1), the seven places weigh x^6, ..., x^1, 1; x has
// order 31 (a prime), so the weights are distinct and not zero. A code is valid when the
// sum of weight times character is zero. A wrong character b for a at place i changes
// the sum by w_i(a - b), a swap of different characters a and b at places i and j by
// (w_i - w_j)(a - b): each a product of two non-zero field elements, never zero. So every
// single wrong character and every swap of two characters, at any distance, is refused.
int fieldProduct(int a, int b)
{
    int product = 0;
    for (; b; b >>= 1) {
        if (b & 1)
            product ^= a;
        a <<= 1;
        if (a & radix)
            a ^= 0b100101;
    }
    return product;
}

// The weighted sum of `digits`, the last of them weighing 1; a valid code sums to 0.
int checkSum(const QList<int> &digits)
{
    // Horner's rule: each further character multiplies the sum before it by x.
    int sum = 0;
    for (const int d : digits)
        sum = fieldProduct(sum, 2) ^ d;
    return sum;
}

} // namespace

QString SheetCode::text() const
{
    int variant = 0;
    for (int v = 0; v < variantCount; ++v) {
        if (variants[v].kind == kind
            && (kind == SheetKind::OneRow || variants[v].display == display))
            variant = v;
    }
    quint32 value = quint32(variant) * seedCount + seed % seedCount;
    QList<int> digits(dataLength);
    for (int i = dataLength - 1; i >= 0; --i) {
        digits[i] = int(value % radix);
        value /= radix;
    }
    // The check character weighs 1, the data one place more than in their own sum.
    digits.append(fieldProduct(checkSum(digits), 2));
    QString text;
    for (const int d : digits)
        text += QLatin1Char(alphabet[d]);
    return text;
}

std::optional<SheetCode> SheetCode::read(const QString &typed)
{
    QList<int> digits;
    for (const QChar c : typed.toUpper()) {
        if (c.isSpace() || c == QLatin1Char('-'))
            continue;
        const char *at = c.unicode() < 128 && c.unicode() > 0
                             ? std::strchr(alphabet, char(c.unicode()))
                             : nullptr;
        if (!at)
            return std::nullopt;
        digits.append(int(at - alphabet));
    }
    if (digits.size() != length || checkSum(digits) != 0)
        return std::nullopt;
    quint32 value = 0;
    for (int i = 0; i < dataLength; ++i)
        value = value * radix + quint32(digits.at(i));
    const quint32 variant = value / seedCount;
    if (variant >= quint32(variantCount))
        return std::nullopt;
    return SheetCode{variants[variant].kind, variants[variant].display, value % seedCount};
}

SheetCode freshSheetCode(SheetKind kind, WrittenDisplay display, RandomSource &random)
{
    if (kind == SheetKind::OneRow)
        display = WrittenDisplay::Flush;
    return SheetCode{kind, display, quint32(drawInt(random, int(SheetCode::seedCount)))};
}

QList<SheetProblem> sheetProblems(const SheetCode &code)
{
    SeededRandom random(code.seed);
    return drawSheetProblems(code.kind, random);
}

QStringList sheetText(const SheetCode &code)
{
    return sheetText(code.kind, sheetProblems(code), code.display);
}

double SeededRandom::uniform()
{
    quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return double(z >> 11) / double(1ull << 53);
}
