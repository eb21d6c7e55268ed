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
    QVERIFY(tipp(form)->text().startsWith(columnName(cell.place)) || cell.part == Part::Multiplicand);
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

QTEST_MAIN(TestHints)
#include "tst_hints.moc"
