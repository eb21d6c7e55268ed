#include "trainers/one_row/one_row_problem.h"

#include "trainers/common/answer_key.h"
#include "ui/random_source.h"

OneRowNumbers OneRowNumbers::draw(RandomSource &random)
{
    OneRowNumbers n;
    n.a = drawInt(random, 9, 1);
    n.b = drawInt(random, 10);
    n.c = drawInt(random, 10);
    n.d = drawInt(random, 9, 1);
    n.m = drawInt(random, 8, 2);
    return n;
}

namespace {

QString digitText(int value)
{
    return QString::number(value);
}

// Result box k (1 = ten-thousands ... 5 = ones) and its character of the answer key.
const char *const resultBoxes[] = {"Bezeichnung10", "Bezeichnung11", "Bezeichnung12",
                                   "Bezeichnung13", "Bezeichnung17"};

QString carryDigit(int value)
{
    return value < 10 ? QStringLiteral("0") : QString::number(value).left(1);
}

// The carries out of the ones, tens and hundreds column, as the screen reader names them.
QString carryDescription(int column)
{
    static const char *const names[] = {"Übertrag der Einerspalte", "Übertrag der Zehnerspalte",
                                        "Übertrag der Hunderterspalte"};
    return QString::fromUtf8(names[column]);
}

} // namespace

// --- single problems ---------------------------------------------------------------

void OneRowSingle::ClearProblem()
{
    for (const char *name : {"Bezeichnung1", "Bezeichnung2", "Bezeichnung3", "Bezeichnung4",
                             "Bezeichnung5", "Bezeichnung7", "Bezeichnung8", "Bezeichnung9",
                             "Bezeichnung10", "Bezeichnung11", "Bezeichnung12", "Bezeichnung13",
                             "Bezeichnung17", "Bezeichnung18", "Bezeichnung19"})
        setCaption(QLatin1String(name), QString());
    setCaption(QStringLiteral("Bezeichnung6"), QStringLiteral("0"));
    setCaption(QStringLiteral("Bezeichnung20"), QStringLiteral("0"));
}

void OneRowSingle::deal(RandomSource &random)
{
    show(OneRowNumbers::draw(random));
}

void OneRowSingle::show(const OneRowNumbers &numbers)
{
    ClearProblem();
    m_numbers = numbers;
    setCaption(QStringLiteral("Bezeichnung1"), digitText(numbers.a));
    setCaption(QStringLiteral("Bezeichnung2"), digitText(numbers.b));
    setCaption(QStringLiteral("Bezeichnung3"), digitText(numbers.c));
    setCaption(QStringLiteral("Bezeichnung4"), digitText(numbers.d));
    setCaption(QStringLiteral("Bezeichnung5"), digitText(numbers.m));

    const qint64 p = numbers.product();
    m_liste1 = {answerKeyText(numbers.multiplicand()), answerKeyText(numbers.m),
                answerKeyText(p * 100)};
    m_liste2 = {answerKeyText(p), answerKeyText(p * 10), answerKeyText(p * 100)};

    const int zeros = multiplierZeros(m_mode);
    setShown(QStringLiteral("Bezeichnung10"), p > 9999);
    for (const char *name : {"Bezeichnung6", "Linie6", "Bezeichnung18"})
        setShown(QLatin1String(name), zeros >= 1);
    for (const char *name : {"Bezeichnung20", "Linie7", "Bezeichnung19"})
        setShown(QLatin1String(name), zeros >= 2);
}

QStringList OneRowSingle::fieldNames() const
{
    // Written order: the zeros, then each result digit followed by the carry it leaves.
    return {QStringLiteral("Bezeichnung19"), QStringLiteral("Bezeichnung18"),
            QStringLiteral("Bezeichnung17"), QStringLiteral("Bezeichnung9"),
            QStringLiteral("Bezeichnung13"), QStringLiteral("Bezeichnung8"),
            QStringLiteral("Bezeichnung12"), QStringLiteral("Bezeichnung7"),
            QStringLiteral("Bezeichnung11"), QStringLiteral("Bezeichnung10")};
}

int OneRowSingle::shownDigit(const char *label) const
{
    return caption(QLatin1String(label)).toInt(); // an empty box counts as 0
}

QString OneRowSingle::expectedDigit(const QString &field) const
{
    for (int k = 1; k <= 5; ++k) {
        if (field == QLatin1String(resultBoxes[k - 1]))
            return characterAt(m_liste1.value(2), k);
    }
    if (field == QLatin1String("Bezeichnung18") || field == QLatin1String("Bezeichnung19"))
        return characterAt(m_liste1.value(2), 6);

    const int m = shownDigit("Bezeichnung5");
    if (field == QLatin1String("Bezeichnung9"))
        return carryDigit(shownDigit("Bezeichnung4") * m);
    if (field == QLatin1String("Bezeichnung8"))
        return carryDigit(shownDigit("Bezeichnung3") * m + shownDigit("Bezeichnung9"));
    if (field == QLatin1String("Bezeichnung7"))
        return carryDigit(shownDigit("Bezeichnung2") * m + shownDigit("Bezeichnung8"));
    return QString();
}

bool OneRowSingle::isSolved() const
{
    // The result row as it is written: the digits of P and the zeros of a tens or
    // hundreds multiplier, each in its own box. The carries are optional.
    static const QStringList resultRow = {QStringLiteral("Bezeichnung10"), QStringLiteral("Bezeichnung11"),
                                          QStringLiteral("Bezeichnung12"), QStringLiteral("Bezeichnung13"),
                                          QStringLiteral("Bezeichnung17"), QStringLiteral("Bezeichnung18"),
                                          QStringLiteral("Bezeichnung19")};
    return !m_liste1.isEmpty() && shownFieldsRight(resultRow);
}

QString OneRowSingle::fieldDescription(const QString &field) const
{
    static const QStringList carries = {QStringLiteral("Bezeichnung9"), QStringLiteral("Bezeichnung8"),
                                        QStringLiteral("Bezeichnung7")};
    if (carries.contains(field))
        return carryDescription(int(carries.indexOf(field)));
    static const QStringList multiplicand = {QStringLiteral("Bezeichnung1"), QStringLiteral("Bezeichnung2"),
                                             QStringLiteral("Bezeichnung3"), QStringLiteral("Bezeichnung4")};
    if (multiplicand.contains(field))
        return QStringLiteral("Erste Zahl, ") + placeName(3 - int(multiplicand.indexOf(field)));
    if (field == QLatin1String("Bezeichnung5"))
        return QStringLiteral("Zweite Zahl");
    if (field == QLatin1String("Bezeichnung6"))
        return QStringLiteral("Zweite Zahl, erste Null");
    if (field == QLatin1String("Bezeichnung20"))
        return QStringLiteral("Zweite Zahl, zweite Null");
    // The result row from the right: the written zeros, then the digits of P.
    const int zeros = multiplierZeros(m_mode);
    static const QStringList row = {QStringLiteral("Bezeichnung17"), QStringLiteral("Bezeichnung13"),
                                    QStringLiteral("Bezeichnung12"), QStringLiteral("Bezeichnung11"),
                                    QStringLiteral("Bezeichnung10")};
    int place = -1;
    if (field == QLatin1String("Bezeichnung19"))
        place = 0;
    else if (field == QLatin1String("Bezeichnung18"))
        place = zeros - 1;
    else if (row.contains(field))
        place = zeros + int(row.indexOf(field));
    return place < 0 ? QString() : QStringLiteral("Ergebnis, ") + placeName(place);
}

// --- gap problems ------------------------------------------------------------------

namespace {

struct GapSource
{
    const char *gap;
    int list; // 1 or 2
    int line;
    int character;
};

// Where each gap finds its digit in the lists. The multiplier digit is line 1 of Liste1;
// the zeros of the multiplier and of the product are the trailing zeros of 10P and 100P.
const GapSource gapSources[] = {
    {"luecke1", 1, 0, 4},  {"luecke2", 1, 0, 5},  {"luecke3", 1, 0, 6},
    {"luecke4", 1, 0, 7},  {"luecke5", 1, 1, 7},  {"luecke6", 2, 1, 7},
    {"luecke10", 2, 2, 7}, {"luecke11", 2, 2, 6}, {"luecke12", 2, 1, 7},
    {"luecke13", 2, 0, 7}, {"luecke14", 2, 0, 6}, {"luecke15", 2, 0, 5},
    {"luecke16", 2, 0, 4}, {"luecke17", 2, 0, 3},
};

// The carries a gap problem shows, out of the ones, tens and hundreds column.
const QStringList gapCarries = {QStringLiteral("luecke7"), QStringLiteral("luecke8"),
                                QStringLiteral("luecke9")};

const QStringList multiplicandGaps = {QStringLiteral("luecke1"), QStringLiteral("luecke2"),
                                      QStringLiteral("luecke3"), QStringLiteral("luecke4")};
// Most significant first.
const QStringList productGaps = {QStringLiteral("luecke17"), QStringLiteral("luecke16"),
                                 QStringLiteral("luecke15"), QStringLiteral("luecke14"),
                                 QStringLiteral("luecke13")};

// Place of the multiplicand digit (1 = ones ... 4 = thousands) and of the two product
// digits (1 = ones ... 5 = ten-thousands) that pattern k leaves out.
struct Pattern
{
    int multiplicandPlace;
    int productPlaces[2];
};

const Pattern patterns[] = {
    {4, {1, 3}}, // luecke1, luecke13, luecke15
    {3, {2, 5}}, // luecke2, luecke14, luecke17
    {2, {1, 4}}, // luecke3, luecke13, luecke16
    {1, {2, 4}}, // luecke4, luecke14, luecke16
};

int digitAt(int value, int place)
{
    for (int i = 1; i < place; ++i)
        value /= 10;
    return value % 10;
}

int digitCount(int value)
{
    return QString::number(value).size();
}

} // namespace

QStringList OneRowGap::blanksOf(int pattern)
{
    switch (pattern) {
    case 1: return {QStringLiteral("luecke1"), QStringLiteral("luecke13"), QStringLiteral("luecke15")};
    case 2: return {QStringLiteral("luecke2"), QStringLiteral("luecke14"), QStringLiteral("luecke17")};
    case 3: return {QStringLiteral("luecke3"), QStringLiteral("luecke13"), QStringLiteral("luecke16")};
    case 4: return {QStringLiteral("luecke4"), QStringLiteral("luecke14"), QStringLiteral("luecke16")};
    }
    return {};
}

int OneRowGap::solutionCount(const OneRowNumbers &numbers, int pattern)
{
    const Pattern &blank = patterns[pattern - 1];
    const int multiplicand = numbers.multiplicand();
    const int product = numbers.product();
    const int length = digitCount(product);
    const int placeValue = blank.multiplicandPlace == 4   ? 1000
                           : blank.multiplicandPlace == 3 ? 100
                           : blank.multiplicandPlace == 2 ? 10
                                                          : 1;
    const int without = multiplicand - digitAt(multiplicand, blank.multiplicandPlace) * placeValue;

    int count = 0;
    for (int x = blank.multiplicandPlace == 4 ? 1 : 0; x <= 9; ++x) {
        const int candidate = (without + x * placeValue) * numbers.m;
        if (digitCount(candidate) != length)
            continue;
        bool fits = true;
        for (int place = 1; place <= length && fits; ++place) {
            const bool left = place == blank.productPlaces[0] || place == blank.productPlaces[1];
            fits = left || digitAt(candidate, place) == digitAt(product, place);
        }
        if (fits)
            ++count;
    }
    return count;
}

void OneRowGap::deal(RandomSource &random)
{
    // A blank that two different digits could fill would refuse a right answer:
    // deal again until the blanks have exactly one solution.
    for (;;) {
        const OneRowNumbers numbers = OneRowNumbers::draw(random);
        const int pattern = drawInt(random, 4, 1);
        if (solutionCount(numbers, pattern) == 1) {
            show(numbers, pattern);
            return;
        }
    }
}

void OneRowGap::show(const OneRowNumbers &numbers, int pattern)
{
    m_numbers = numbers;
    m_pattern = pattern;
    const qint64 p = numbers.product();
    const QString multiplicand = QString::number(numbers.multiplicand());
    const QString product = QString::number(p);

    m_liste1 = {answerKeyText(numbers.multiplicand()), answerKeyText(numbers.m),
                answerKeyText(p * 100)};
    m_liste2 = {answerKeyText(p), answerKeyText(p * 10), answerKeyText(p * 100)};

    for (const GapSource &source : gapSources) {
        const QStringList &list = source.list == 1 ? m_liste1 : m_liste2;
        setCaption(QLatin1String(source.gap), characterAt(list.value(source.line), source.character));
    }

    // The finished computation has its carries written, as the single problem would.
    const int columnDigits[] = {numbers.d, numbers.c, numbers.b};
    int carry = 0;
    for (int column = 0; column < 3; ++column) {
        const QString digit = carryDigit(columnDigits[column] * numbers.m + carry);
        setCaption(gapCarries.at(column), digit);
        carry = digit.toInt();
    }

    const int zeros = multiplierZeros(m_mode);
    setShown(QStringLiteral("luecke17"), p > 9999);
    for (const char *name : {"luecke6", "Linie8", "luecke12"})
        setShown(QLatin1String(name), zeros >= 1);
    for (const char *name : {"luecke10", "Linie9", "luecke11"})
        setShown(QLatin1String(name), zeros >= 2);

    m_key = multiplicand + product;
    for (const QString &gap : blanksOf(pattern))
        setCaption(gap, QString());
}

QStringList OneRowGap::fieldNames() const
{
    return {QStringLiteral("luecke11"), QStringLiteral("luecke12"), QStringLiteral("luecke13"),
            QStringLiteral("luecke14"), QStringLiteral("luecke15"), QStringLiteral("luecke16"),
            QStringLiteral("luecke17"), QStringLiteral("luecke4"),  QStringLiteral("luecke3"),
            QStringLiteral("luecke2"),  QStringLiteral("luecke1"),  QStringLiteral("luecke5"),
            QStringLiteral("luecke6"),  QStringLiteral("luecke10")};
}

QString OneRowGap::expectedDigit(const QString &field) const
{
    for (const GapSource &source : gapSources) {
        if (field == QLatin1String(source.gap)) {
            const QStringList &list = source.list == 1 ? m_liste1 : m_liste2;
            return characterAt(list.value(source.line), source.character);
        }
    }
    return QString();
}

bool OneRowGap::isSolved() const
{
    QString entered;
    for (const QString &gap : multiplicandGaps)
        entered += caption(gap);
    entered += joinedShown(productGaps);
    // The key leaves out the multiplier and the zeros: a wrong drop may have knocked one
    // of them out, and then it must be written again.
    return entered == m_key && shownFieldsRight(fieldNames());
}

QString OneRowGap::solvedText() const
{
    return QStringLiteral("\r") + QString::fromUtf8(solvedProblemText) + QStringLiteral("\r");
}

QString OneRowGap::fieldDescription(const QString &field) const
{
    if (gapCarries.contains(field))
        return carryDescription(int(gapCarries.indexOf(field)));
    const int multiplicand = int(multiplicandGaps.indexOf(field));
    if (multiplicand >= 0)
        return QStringLiteral("Erste Zahl, ") + placeName(3 - multiplicand);
    if (field == QLatin1String("luecke5"))
        return QStringLiteral("Zweite Zahl");
    if (field == QLatin1String("luecke6"))
        return QStringLiteral("Zweite Zahl, erste Null");
    if (field == QLatin1String("luecke10"))
        return QStringLiteral("Zweite Zahl, zweite Null");
    const int zeros = multiplierZeros(m_mode);
    int place = -1;
    if (field == QLatin1String("luecke11"))
        place = 0;
    else if (field == QLatin1String("luecke12"))
        place = zeros - 1;
    else if (productGaps.contains(field))
        place = zeros + 4 - int(productGaps.indexOf(field));
    return place < 0 ? QString() : QStringLiteral("Ergebnis, ") + placeName(place);
}

// --- the cells of the controls ---------------------------------------------------------

namespace {

// A control and the cell it shows. The multiplier may end in t zeros (t = 0, 1, 2 in the
// modes E, Z, H); a place marked `shifted` counts from place t, and a control that shows a
// zero exists from `fromZeros` zeros on.
struct CellBox
{
    const char *name;
    Part part;
    int place;
    bool shifted;
    int fromZeros;
};

const CellBox singleCells[] = {
    {"Bezeichnung1", Part::Multiplicand, 3, false, 0},
    {"Bezeichnung2", Part::Multiplicand, 2, false, 0},
    {"Bezeichnung3", Part::Multiplicand, 1, false, 0},
    {"Bezeichnung4", Part::Multiplicand, 0, false, 0},
    {"Bezeichnung5", Part::Multiplier, 0, true, 0},
    {"Bezeichnung6", Part::Multiplier, -1, true, 1},
    {"Bezeichnung20", Part::Multiplier, 0, false, 2},
    {"Bezeichnung9", Part::Carry, 1, true, 0},
    {"Bezeichnung8", Part::Carry, 2, true, 0},
    {"Bezeichnung7", Part::Carry, 3, true, 0},
    {"Bezeichnung17", Part::PartialProduct, 0, true, 0},
    {"Bezeichnung13", Part::PartialProduct, 1, true, 0},
    {"Bezeichnung12", Part::PartialProduct, 2, true, 0},
    {"Bezeichnung11", Part::PartialProduct, 3, true, 0},
    {"Bezeichnung10", Part::PartialProduct, 4, true, 0},
    {"Bezeichnung18", Part::Zero, -1, true, 1},
    {"Bezeichnung19", Part::Zero, 0, false, 2},
};

const CellBox gapCells[] = {
    {"luecke1", Part::Multiplicand, 3, false, 0},
    {"luecke2", Part::Multiplicand, 2, false, 0},
    {"luecke3", Part::Multiplicand, 1, false, 0},
    {"luecke4", Part::Multiplicand, 0, false, 0},
    {"luecke5", Part::Multiplier, 0, true, 0},
    {"luecke6", Part::Multiplier, -1, true, 1},
    {"luecke10", Part::Multiplier, 0, false, 2},
    {"luecke7", Part::Carry, 1, true, 0},
    {"luecke8", Part::Carry, 2, true, 0},
    {"luecke9", Part::Carry, 3, true, 0},
    {"luecke13", Part::PartialProduct, 0, true, 0},
    {"luecke14", Part::PartialProduct, 1, true, 0},
    {"luecke15", Part::PartialProduct, 2, true, 0},
    {"luecke16", Part::PartialProduct, 3, true, 0},
    {"luecke17", Part::PartialProduct, 4, true, 0},
    {"luecke12", Part::Zero, -1, true, 1},
    {"luecke11", Part::Zero, 0, false, 2},
};

template<std::size_t N>
QList<CaptionExercise::NamedCell> cellsOf(const CellBox (&boxes)[N], int zeros)
{
    QList<CaptionExercise::NamedCell> cells;
    for (const CellBox &box : boxes) {
        if (zeros >= box.fromZeros)
            cells.append({QLatin1String(box.name),
                          {box.part, 0, box.place + (box.shifted ? zeros : 0)}});
    }
    return cells;
}

WrittenMultiplication writtenOf(const OneRowNumbers &numbers, OneRowMode mode)
{
    return WrittenMultiplication(numbers.multiplicand(), {numbers.m}, multiplierZeros(mode));
}

} // namespace

WrittenMultiplication OneRowSingle::written() const
{
    return writtenOf(m_numbers, m_mode);
}

QList<CaptionExercise::NamedCell> OneRowSingle::namedCells() const
{
    return cellsOf(singleCells, multiplierZeros(m_mode));
}

WrittenMultiplication OneRowGap::written() const
{
    return writtenOf(m_numbers, m_mode);
}

QList<CaptionExercise::NamedCell> OneRowGap::namedCells() const
{
    return cellsOf(gapCells, multiplierZeros(m_mode));
}
