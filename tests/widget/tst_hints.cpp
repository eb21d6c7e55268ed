#include "pupil_actions.h"
#include "test_program.h"
#include "trainers/common/rows_window.h"
#include "trainers/common/trainer_window.h"
#include "trainers/one_row/one_row_window.h"
#include "training/diagnosis.h"
#include "training/session_statistics.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(WindowId)

namespace {

struct Program : TestProgram
{
    TrainerWindow *trainer(WindowId id, bool gap)
    {
        auto *form = open<TrainerWindow>(id);
        if (gap) {
            if (auto *oneRow = qobject_cast<OneRowWindow *>(form))
                oneRow->chooseGapMode();
            else
                qobject_cast<RowsWindow *>(form)->chooseGapMode();
        }
        return form;
    }
};

QLabel *tipp(QWidget *form)
{
    return form->findChild<QLabel *>(QStringLiteral("Tipp"));
}

// The names of the controls highlighted for the hint.
QStringList highlighted(QWidget *form)
{
    QStringList names;
    for (QWidget *widget : form->findChildren<QWidget *>()) {
        if (widget->property("hint").toBool())
            names << widget->objectName();
    }
    names.sort();
    return names;
}

QChar wrongDigitFor(const TrainerWindow *form, const QString &field)
{
    return QChar(u'0' + (expectedDigit(form, field).toInt() + 1) % 10);
}

} // namespace

class TestHints : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wrongDigitsBringTheHint_data();
    void wrongDigitsBringTheHint();
    void switchedOffNothingAppears_data();
    void switchedOffNothingAppears();
    void hintsSeeTheScreen_data();
    void hintsSeeTheScreen();
};

void TestHints::wrongDigitsBringTheHint_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<bool>("gap");
    QTest::addColumn<int>("field"); // in written order
    QTest::newRow("one-row") << WindowId::OneRow << false << 2;
    QTest::newRow("two-row") << WindowId::TwoRow << false << 3;
    QTest::newRow("three-row") << WindowId::ThreeRow << false << 5;
    QTest::newRow("one-row gap") << WindowId::OneRow << true << 0;
    QTest::newRow("two-row gap") << WindowId::TwoRow << true << 1;
}

// A wrong digit: the "Fehler" box as always, and after it the column's step with the digits
// it uses highlighted; a second wrong digit on the same field: the step worked out; a right
// digit: gone. A new problem takes it away too.
void TestHints::wrongDigitsBringTheHint()
{
    QFETCH(WindowId, trainer);
    QFETCH(bool, gap);
    QFETCH(int, field);
    Program program;
    TrainerWindow *form = program.trainer(trainer, gap);
    // Fill the fields before the one under test, so that its carries stand.
    const QStringList order = form->focusOrder();
    for (int i = 0; i < field; ++i)
        form->dropOnField(order.at(i), expectedDigit(form, order.at(i)).at(0));
    const QString name = order.at(field);
    const Cell cell = *form->cellOf(name);
    const QChar wrong = wrongDigitFor(form, name);

    bool shownDuringBox = false;
    program.dialogs.whileOpen = [&](const FakeDialogs::Call &) { shownDuringBox |= tipp(form)->isVisible(); };
    const int boxes = program.dialogs.count(QStringLiteral("Fehler"));
    form->dropOnField(name, wrong);
    QCOMPARE(program.dialogs.count(QStringLiteral("Fehler")), boxes + 1);
    QCOMPARE(program.dialogs.last().text, QStringLiteral("Das ist leider falsch, rechne nochmal.\r\r"));
    QVERIFY(!shownDuringBox);
    QVERIFY(tipp(form)->isVisible());
    // The question asks about a kind the digit fits (which one, the evidence decides), or
    // about none; a gap problem names no kind.
    const KindSet fits = gap ? KindSet() : fittingKinds(form->exercise(), cell, wrong.digitValue());
    QStringList possible;
    for (ErrorKind kind : fits.kinds())
        possible << stepHint(form->exercise(), cell, kind).text;
    if (fits.isEmpty())
        possible << stepHint(form->exercise(), cell).text;
    QVERIFY2(possible.contains(tipp(form)->text()), qPrintable(tipp(form)->text()));
    const Hint first = stepHint(form->exercise(), cell, fits.first());
    // A carry box names the column its carry comes from.
    const QString column = isCarry(cell) ? QStringLiteral("Übertrag aus der ") + columnName(cell.place - 1)
                                         : columnName(cell.place);
    QVERIFY2(tipp(form)->text().startsWith(column) || cell.part == Part::Multiplicand, qPrintable(tipp(form)->text()));
    QVERIFY(!tipp(form)->text().isEmpty());
    QCOMPARE(tipp(form)->accessibleName(), QStringLiteral("Tipp: ") + tipp(form)->text());
    QStringList expectedHighlight;
    for (const Cell &used : first.cells) {
        const QString usedName = form->nameOf(used);
        if (!usedName.isEmpty() && form->findChild<QWidget *>(usedName))
            expectedHighlight << usedName;
    }
    expectedHighlight.sort();
    QVERIFY(!expectedHighlight.isEmpty());
    QCOMPARE(highlighted(form), expectedHighlight);
    // The answer is not given away.
    QVERIFY(!tipp(form)->text().contains(QStringLiteral("schreibe %1").arg(expectedDigit(form, name))));

    form->dropOnField(name, wrong);
    QCOMPARE(tipp(form)->text(), workedHint(form->exercise(), cell).text);
    QVERIFY(tipp(form)->isVisible());

    form->dropOnField(name, expectedDigit(form, name).at(0));
    QVERIFY(!tipp(form)->isVisible());
    QCOMPARE(highlighted(form), QStringList());

    // A wrong digit somewhere else starts over with the step, and a new problem clears it.
    const QString next = form->focusOrder().value(field + 1);
    if (!next.isEmpty() && !form->exercise().isSolved()) {
        form->dropOnField(next, wrongDigitFor(form, next));
        QVERIFY(tipp(form)->isVisible());
        QVERIFY(tipp(form)->text() != workedHint(form->exercise(), *form->cellOf(next)).text);
    }
    form->findChild<QPushButton *>(QStringLiteral("Befehl22"))->click();
    QVERIFY(!tipp(form)->isVisible());
    QCOMPARE(highlighted(form), QStringList());
}

void TestHints::switchedOffNothingAppears_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<bool>("gap");
    QTest::newRow("one-row") << WindowId::OneRow << false;
    QTest::newRow("two-row") << WindowId::TwoRow << false;
    QTest::newRow("three-row") << WindowId::ThreeRow << false;
    QTest::newRow("three-row gap") << WindowId::ThreeRow << true;
}

// Off, a wrong digit brings the box and the count as always and nothing else; the
// statistics go on.
void TestHints::switchedOffNothingAppears()
{
    QFETCH(WindowId, trainer);
    QFETCH(bool, gap);
    Program program;
    program.app.services().training.hintsShown = false;
    TrainerWindow *form = program.trainer(trainer, gap);
    const QString name = form->focusOrder().value(0);
    for (int i = 0; i < 2; ++i)
        form->dropOnField(name, wrongDigitFor(form, name));
    QCOMPARE(program.dialogs.count(QStringLiteral("Fehler")), 2);
    QCOMPARE(form->score().errors(), 2);
    QVERIFY(!tipp(form)->isVisible());
    QVERIFY(tipp(form)->text().isEmpty());
    QCOMPARE(highlighted(form), QStringList());
    QCOMPARE(program.app.services().training.statistics.trainer(TrainerKind(int(trainer) - int(WindowId::OneRow))).errors, 2);
}

void TestHints::hintsSeeTheScreen_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<bool>("gap");
    QTest::addColumn<bool>("staircase");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QStringList>("written"); // fields given their digit first
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("worked");
    QTest::addColumn<QStringList>("lit"); // highlighted with the first hint

    // 5635 · 2: the tens column makes 3 · 2 + 1 = 7, below ten; the ones carry box is empty.
    QTest::newRow("one-row: a carry box below ten")
        << WindowId::OneRow << false << false << "5635 · 2" << QStringList{} << "Bezeichnung8" << 7
        << "Übertrag aus der Zehnerspalte: Rechne 3 · 2 und zähle den Übertrag 1 dazu. Der Zehner ist der"
           " Übertrag, unter 10 ist er 0. Hast du dir den Einer statt des Zehners gemerkt?"
        << "3 · 2 = 6, 6 + 1 = 7: schreibe 7, merke 0." << QStringList{"Bezeichnung3", "Bezeichnung5"};
    // 7943 · 67: 476580 + 55601 = 532181.
    QTest::newRow("two-row staircase: no zero beside the last digit")
        << WindowId::TwoRow << false << true << "7943 · 67" << QStringList{} << "Bezeichnung21" << 0
        << "Zehnerspalte: Rechne 3 · 6." << "3 · 6 = 18: schreibe 8, merke 1."
        << QStringList{"Bezeichnung4", "Bezeichnung5"};
    QTest::newRow("two-row flush: the zero over the ones")
        << WindowId::TwoRow << false << false << "7943 · 67" << QStringList{"Bezeichnung9", "Bezeichnung26"}
        << "Bezeichnung34" << 0 << "Einerspalte: Addiere 0 + 1." << "Einerspalte: 0 + 1 = 1: schreibe 1."
        << QStringList{"Bezeichnung26", "Bezeichnung9"};
    QTest::newRow("two-row staircase: one digit over the ones")
        << WindowId::TwoRow << false << true << "7943 · 67" << QStringList{"Bezeichnung26"} << "Bezeichnung34"
        << 0 << "Einerspalte: Hier steht nur eine Ziffer darüber." << "Nur die 1: schreibe 1."
        << QStringList{"Bezeichnung26"};
    QTest::newRow("two-row: the sum before the partial products")
        << WindowId::TwoRow << false << false << "7943 · 67" << QStringList{} << "Bezeichnung34" << 0
        << "Einerspalte: Finde zuerst die Ziffer des 1. Teilprodukts in der Einerstelle."
        << "Einerspalte: Finde zuerst die Ziffer des 1. Teilprodukts in der Einerstelle."
        << QStringList{"Bezeichnung9"};
    // 8181 · 52: 409050 + 16362 = 425412; luecke20 adds luecke9 to the carry the problem
    // gives over the rule: the blank of its own column, not the one (luecke14) the carry
    // came from.
    QTest::newRow("two-row gap: the blank to find first")
        << WindowId::TwoRow << true << false << "8181 · 52" << QStringList{} << "luecke20" << 5
        << "Hunderterspalte: Finde zuerst die Ziffer des 1. Teilprodukts in der Hunderterstelle."
        << "Hunderterspalte: Finde zuerst die Ziffer des 1. Teilprodukts in der Hunderterstelle."
        << QStringList{"luecke9"};
    // 5012 · 793: 3508400 + 451080 + 15036; luecke18 adds the blank of its own column.
    QTest::newRow("three-row gap: the blank to find first")
        << WindowId::ThreeRow << true << true << "5012 · 793" << QStringList{} << "luecke18" << 0
        << "Zehnerspalte: Finde zuerst die Ziffer des 3. Teilprodukts in der Zehnerstelle."
        << "Zehnerspalte: Finde zuerst die Ziffer des 3. Teilprodukts in der Zehnerstelle."
        << QStringList{"luecke29"};
}

// The window hands the hints its problem as it stands: the display, the digits written, the
// blanks.
void TestHints::hintsSeeTheScreen()
{
    QFETCH(WindowId, trainer);
    QFETCH(bool, gap);
    QFETCH(bool, staircase);
    QFETCH(QString, problem);
    QFETCH(QStringList, written);
    QFETCH(QString, field);
    QFETCH(int, wrong);
    QFETCH(QString, first);
    QFETCH(QString, worked);
    QFETCH(QStringList, lit);
    Program program;
    scriptProblem(program.random, trainer, problem);
    if (gap) // opening deals a single problem first
        scriptProblem(program.random, trainer, problem);
    TrainerWindow *form = program.trainer(trainer, gap);
    QCOMPARE(form->exercise().written().multiplicand(), problem.section(QStringLiteral(" · "), 0, 0).toLongLong());
    if (staircase)
        form->findChild<QPushButton *>(QStringLiteral("Befehl12"))->click();
    for (const QString &name : written)
        form->dropOnField(name, expectedDigit(form, name).at(0));
    QVERIFY(expectedDigit(form, field) != QString::number(wrong));

    form->dropOnField(field, QChar(u'0' + wrong));
    QCOMPARE(tipp(form)->text(), first);
    QCOMPARE(highlighted(form), lit);
    form->dropOnField(field, QChar(u'0' + wrong));
    QCOMPARE(tipp(form)->text(), worked);
}

QTEST_MAIN(TestHints)
#include "tst_hints.moc"
