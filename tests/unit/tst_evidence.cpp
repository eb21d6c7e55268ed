// The evidence for a pattern in a child's errors: which kind a trainer's report names, and
// which kind a hint asks about.
#include "trainers/one_row/one_row_table.h"
#include "training/diagnosis.h"
#include "training/error_evidence.h"
#include "training/exercise.h"
#include "training/session_statistics.h"

#include <QTest>

namespace {

const QList<std::pair<QString, ErrorKind>> &shortNames()
{
    static const QList<std::pair<QString, ErrorKind>> names{
        {"CF", ErrorKind::CarryForgotten}, {"CE", ErrorKind::CarryAddedTooEarly},
        {"TO", ErrorKind::TensForOnes},    {"OC", ErrorKind::OnesAsCarry},
        {"TT", ErrorKind::TimesTable},     {"ZF", ErrorKind::ZeroForgotten},
        {"PS", ErrorKind::PlaceShifted},   {"AC", ErrorKind::AdditionCarryForgotten}};
    return names;
}

// "CF+TT": a set of kinds; "-" none.
KindSet kindsOf(const QString &text)
{
    KindSet kinds;
    for (const QString &name : text.split(u'+', Qt::SkipEmptyParts)) {
        for (const auto &[shortName, kind] : shortNames()) {
            if (name == shortName)
                kinds.insert(kind);
        }
    }
    return kinds;
}

QString shortText(const QList<ErrorKind> &kinds)
{
    QStringList texts;
    for (ErrorKind kind : kinds) {
        for (const auto &[shortName, k] : shortNames()) {
            if (k == kind)
                texts << shortName;
        }
    }
    return texts.join(QStringLiteral(" oder "));
}

// The first tries of a trainer as a test writes them: problems separated by "|"; each try
// by the kinds that predict a wrong digit there, and after "=" the kinds its wrong digit fits
// ("-" none). "CF+CE" is a right digit where both would have been wrong, "CF+CE=CF" a wrong
// digit only one of them predicts, "x" a wrong digit where no kind predicts one. "TT@7"
// puts the try on fact 7. Each kind predicts one digit: the digit written where it fits.
ErrorEvidence evidenceOf(const QString &script)
{
    ErrorEvidence evidence;
    int problem = 0;
    for (const QString &digits : script.split(u'|')) {
        evidence.startProblem(QStringLiteral("P%1").arg(++problem));
        for (QString token : digits.split(u' ', Qt::SkipEmptyParts)) {
            int fact = -1;
            if (const qsizetype at = token.indexOf(u'@'); at >= 0) {
                const qsizetype end = token.indexOf(u'=', at);
                fact = token.mid(at + 1, end < 0 ? -1 : end - at - 1).toInt();
                token.remove(at, (end < 0 ? token.size() : end) - at);
            }
            const int right = 0, fitting = 7, other = 3;
            std::array<quint16, errorKindCount> predicted{};
            if (token == QLatin1String("x")) {
                evidence.firstTry(predicted, other, right, fact);
                evidence.wrongDigit(KindSet());
                continue;
            }
            const QStringList sides = token.split(u'=');
            const KindSet kinds = kindsOf(sides.at(0));
            const KindSet fits = sides.size() > 1 ? kindsOf(sides.at(1)) : KindSet();
            for (ErrorKind kind : kinds.kinds())
                predicted[std::size_t(errorKindIndex(kind))] = quint16(1u << (fits.contains(kind) ? fitting : 5));
            const int digit = sides.size() == 1 ? right : fits.isEmpty() ? other : fitting;
            evidence.firstTry(predicted, digit, right, fact);
            if (digit == right)
                evidence.rightDigit(kinds);
            else
                evidence.wrongDigit(fits);
        }
    }
    return evidence;
}

// The kinds named, "oder" between those not told apart, "; " between patterns.
QString namedText(const ErrorEvidence &evidence)
{
    QStringList patterns;
    for (const ErrorEvidence::Pattern &pattern : evidence.patterns())
        patterns << shortText(pattern.kinds);
    return patterns.join(QStringLiteral("; "));
}

// The digit of `value` at `place`, or nothing left of its first digit.
std::optional<int> digitOf(qint64 value, int place)
{
    qint64 p = 1;
    for (int i = 0; i < place; ++i)
        p *= 10;
    return value >= p ? std::optional<int>(int(value / p % 10)) : std::nullopt;
}

} // namespace

class TestEvidence : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pattern_data();
    void pattern();
    void favoured_data();
    void favoured();
    void keepsTheLatestProblems();
    void aShiftingChildIsAskedAboutTheShift();
};

void TestEvidence::pattern_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("named");

    QTest::newRow("no error") << "CF CF | CF TT@3" << "";
    QTest::newRow("one fit is not enough") << "CF=CF" << "";
    QTest::newRow("two fits, no right digit between") << "CF=CF CF=CF" << "CF";
    QTest::newRow("fits outweighed by right digits") << "CF=CF CF CF | CF=CF CF CF" << "";
    QTest::newRow("nine of ten occasions") << "CF=CF CF=CF CF=CF CF | CF=CF CF=CF" << "CF";
    QTest::newRow("wrong digits elsewhere say nothing") << "CF=CF x x | CF=CF ZF=- x" << "CF";
    QTest::newRow("tied until told apart") << "CF+CE=CF+CE CF+CE=CF+CE" << "CF oder CE";
    QTest::newRow("a wrong digit tells them apart") << "CF+CE=CF+CE CF+CE=CF+CE | CF+CE=CF" << "CF";
    QTest::newRow("a right digit tells them apart") << "CF+CE=CF+CE CF+CE=CF+CE | CE" << "CF";
    QTest::newRow("only the digits of a stronger kind")
        << "CF+CE=CF+CE CF+CE=CF+CE | CF+CE=CF+CE CF=CF CF=CF" << "CF";
    QTest::newRow("two bugs") << "CF=CF CF=CF ZF=ZF | ZF=ZF ZF CF=CF" << "CF; ZF";
    QTest::newRow("one weak fact") << "TT@3=TT TT@3 TT@3=TT | TT@3=TT" << "TT";
    QTest::newRow("facts each wrong once") << "TT@1=TT TT@2=TT TT@3=TT | TT@4=TT" << "";
    QTest::newRow("a weak fact among known ones") << "TT@3=TT TT@5 TT@6 | TT@3=TT TT@7" << "TT";
}

void TestEvidence::pattern()
{
    QFETCH(QString, script);
    QFETCH(QString, named);
    QCOMPARE(namedText(evidenceOf(script)), named);
}

void TestEvidence::favoured_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("fits");
    QTest::addColumn<QString>("favoured");

    QTest::newRow("no evidence: the first in the list") << "" << "TT+PS" << "TT";
    QTest::newRow("the strongest evidence") << "PS=PS | PS+TT@2=PS+TT CF=CF" << "TT+PS" << "PS";
    QTest::newRow("a right digit against one") << "CF" << "CF+PS" << "PS";
    QTest::newRow("only among those the digit fits") << "CF=CF CF=CF | CF=CF PS=PS" << "TT+PS" << "PS";
}

void TestEvidence::favoured()
{
    QFETCH(QString, script);
    QFETCH(QString, fits);
    QFETCH(QString, favoured);
    const std::optional<ErrorKind> kind = evidenceOf(script).favoured(kindsOf(fits));
    QCOMPARE(kind ? shortText({*kind}) : QString(), favoured);
}

void TestEvidence::keepsTheLatestProblems()
{
    const ErrorEvidence evidence = evidenceOf("CF=CF CF=CF | TT@1=TT | CF=CF | x | CF=CF CF=CF | CF=CF");
    QCOMPARE(evidence.problems(ErrorKind::CarryForgotten), 4);
    QCOMPARE(evidence.problemsShown(ErrorKind::CarryForgotten), QStringList({"P3", "P5", "P6"}));
    QCOMPARE(evidence.problemsShown(ErrorKind::TimesTable), QStringList({"P2"}));
    QCOMPARE(evidence.errors(), 8);
    QCOMPARE(evidence.unexplained(), 1);
}

// A child who writes every digit of the result one place off, on the one-row trainer: its
// digits fit other kinds too, but only the shift explains them all, so the hint asks about it.
void TestEvidence::aShiftingChildIsAskedAboutTheShift()
{
    SessionStatistics statistics;
    std::optional<ErrorKind> asked;
    for (const qint64 multiplicand : {4728, 6391, 8152}) {
        const int m = 7;
        const Exercise ex = oneRowSingle(oneRowProblem(multiplicand, m, OneRowMode::E));
        statistics.startProblem(TrainerKind::OneRow, ex.problemText());
        const qint64 product = multiplicand * m;
        for (const Cell &field : ex.fields()) {
            // A carry box takes the tens of the columns to its right multiplied.
            qint64 below = 1;
            for (int p = 0; p < field.place; ++p)
                below *= 10;
            const int right = field.part == Part::Carry ? int(multiplicand % below * m / below)
                                                        : *digitOf(product, field.place);
            // The digit of the place to the right, where it differs.
            const std::optional<int> shifted = field.part == Part::PartialProduct ? digitOf(product, field.place - 1)
                                                                                   : std::nullopt;
            if (shifted && *shifted != right) {
                const KindSet kinds = statistics.recordDrop(TrainerKind::OneRow, ex, field, *shifted, false);
                QVERIFY(kinds.contains(ErrorKind::PlaceShifted));
                asked = statistics.favouredKind(TrainerKind::OneRow, kinds);
            }
            statistics.recordDrop(TrainerKind::OneRow, ex, field, right, true);
        }
    }
    QCOMPARE(asked, std::optional<ErrorKind>(ErrorKind::PlaceShifted));
    const std::optional<ErrorEvidence::Pattern> pattern =
        statistics.trainer(TrainerKind::OneRow).evidence.pattern();
    QVERIFY(pattern && pattern->named);
    QCOMPARE(shortText(pattern->kinds), QStringLiteral("PS"));
}

QTEST_APPLESS_MAIN(TestEvidence)
#include "tst_evidence.moc"
