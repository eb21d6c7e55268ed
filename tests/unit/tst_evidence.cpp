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

// A trainer's digits as a test writes them: problems separated by "|", on each the wrong
// digits by the kinds they fit ("CF+TT", "-" for none) and the right digits at the first
// try by the kinds that would have given a wrong digit there ("r:TT").
ErrorEvidence evidenceOf(const QString &script)
{
    ErrorEvidence evidence;
    int problem = 0;
    for (const QString &digits : script.split(u'|')) {
        evidence.startProblem(QStringLiteral("P%1").arg(++problem));
        for (const QString &digit : digits.split(u' ', Qt::SkipEmptyParts)) {
            if (digit.startsWith(QLatin1String("r:")))
                evidence.rightDigit(kindsOf(digit.mid(2)));
            else
                evidence.wrongDigit(kindsOf(digit));
        }
    }
    return evidence;
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
    QTest::addColumn<QString>("pattern"); // the kinds, "(nicht genannt)" when it does not stand out

    QTest::newRow("no error") << "r:CF r:TT" << "";
    QTest::newRow("recurring on one problem only") << "CF CF CF CF" << "CF (nicht genannt)";
    QTest::newRow("two problems, three digits") << "CF CF | CF" << "CF";
    QTest::newRow("two problems, two digits") << "CF | CF" << "CF (nicht genannt)";
    QTest::newRow("exactly half of the errors") << "CF CF - | CF - -" << "CF";
    QTest::newRow("under half of the errors") << "CF - - | CF - - | CF - -" << "CF (nicht genannt)";
    QTest::newRow("slips") << "- PS - | TT - CF | - PS -" << "PS (nicht genannt)";
    QTest::newRow("the kind that explains most") << "CF+PS CF | PS CF" << "CF";
    QTest::newRow("two kinds, the same digits") << "CF+TT CF+TT | CF+TT" << "CF oder TT";
    QTest::newRow("three kinds, the same digits") << "OC+PS+TT | OC+PS+TT OC+PS+TT" << "OC oder TT oder PS";
    QTest::newRow("a wrong digit tells them apart") << "CF+TT CF+TT | CF+TT CF" << "CF";
    QTest::newRow("a right digit tells them apart") << "OC+PS OC+PS | OC+PS r:PS" << "OC";
    // A shift fits two digits of every place; the right digits show there is none.
    QTest::newRow("refuted by the right digits") << "OC+PS OC+PS PS r:PS r:PS | OC+PS PS r:PS r:PS r:PS r:PS"
                                                 << "OC";
    QTest::newRow("every kind refuted") << "PS r:PS r:PS | PS r:PS r:PS | PS" << "";
    // A child who knows most facts and not a few: right digits of other facts refute nothing.
    QTest::newRow("a few facts wrong") << "TT r:TT r:TT r:TT | TT r:TT r:TT | TT" << "TT";
}

void TestEvidence::pattern()
{
    QFETCH(QString, script);
    QFETCH(QString, pattern);
    const std::optional<ErrorEvidence::Pattern> found = evidenceOf(script).pattern();
    QString text;
    if (found)
        text = shortText(found->kinds) + (found->named ? QString() : QStringLiteral(" (nicht genannt)"));
    QCOMPARE(text, pattern);
}

void TestEvidence::favoured_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("fits");
    QTest::addColumn<QString>("favoured");

    QTest::newRow("no evidence: the first in the list") << "" << "TT+PS" << "TT";
    QTest::newRow("most explained") << "PS | PS+TT CF" << "TT+PS" << "PS";
    QTest::newRow("a right digit against one") << "r:CF" << "CF+PS" << "PS";
    QTest::newRow("refuted, though it explains more") << "TT PS PS r:PS r:PS r:PS" << "TT+PS" << "TT";
    QTest::newRow("only among those the digit fits") << "CF CF | CF PS" << "TT+PS" << "PS";
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
    const ErrorEvidence evidence = evidenceOf("CF CF | TT | CF | - | CF CF | CF");
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
