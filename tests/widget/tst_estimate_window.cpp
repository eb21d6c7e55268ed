// "Überschlag rechnen": the info window's switch, and the Überschlag line it puts before
// every single problem of the three trainers.
#include "pupil_actions.h"
#include "test_program.h"
#include "trainers/common/drop_field.h"
#include "trainers/common/rows_window.h"
#include "trainers/common/trainer_window.h"
#include "trainers/one_row/one_row_window.h"
#include "training/session_statistics.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest>

Q_DECLARE_METATYPE(WindowId)

namespace {

struct Program : TestProgram
{
    // Ticks "Überschlag rechnen" in the info window, then opens `trainer` with `problem` dealt.
    TrainerWindow *withEstimate(WindowId trainer, const QString &problem)
    {
        QWidget *info = open(WindowId::Info);
        auto *box = info->findChild<QCheckBox *>(QStringLiteral("Ueberschlag"));
        if (!box || box->isChecked())
            return nullptr;
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        info->hide();
        scriptProblem(random, trainer, problem);
        return open<TrainerWindow>(trainer);
    }
};

QString text(QWidget *form, const QString &name)
{
    return form->findChild<QLabel *>(name)->text();
}

QLabel *tipp(QWidget *form)
{
    return form->findChild<QLabel *>(QStringLiteral("Tipp"));
}

void drop(TrainerWindow *form, const QString &field)
{
    form->dropOnField(field, expectedDigit(form, field).at(0));
}

} // namespace

class TestEstimateWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void theLineBeforeTheProblem_data();
    void theLineBeforeTheProblem();
    void solvedOnlyWithTheLine_data();
    void solvedOnlyWithTheLine();
    void onlySingleProblemsWhileSwitchedOn();
};

void TestEstimateWindow::theLineBeforeTheProblem_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("line"); // the digits the line expects, box by box
    QTest::addColumn<QString>("given"); // a one-digit multiplier, as written
    QTest::newRow("one-row") << WindowId::OneRow << "6722 · 3" << "700021000" << "3";
    QTest::newRow("two-row") << WindowId::TwoRow << "6722 · 26" << "700030210000" << "";
    QTest::newRow("two-row, 9 500 up to 10 000") << WindowId::TwoRow << "9531 · 95" << "100001001000000" << "";
    QTest::newRow("three-row, the longest line")
        << WindowId::ThreeRow << "9994 · 999" << "10000100010000000" << "";
}

// The boxes Ueberschlag1, 2, … stand from the left in one line, as many as the problem needs;
// the frame starts on the first, and they come before the written computation.
void TestEstimateWindow::theLineBeforeTheProblem()
{
    QFETCH(WindowId, trainer);
    QFETCH(QString, problem);
    QFETCH(QString, line);
    QFETCH(QString, given);

    Program program;
    TrainerWindow *form = program.withEstimate(trainer, problem);
    QVERIFY(form);
    QCOMPARE(form->markedField(), QStringLiteral("Ueberschlag1"));
    QStringList boxes;
    int left = -1, top = -1;
    for (int i = 1; i <= line.size(); ++i) {
        const QString name = QStringLiteral("Ueberschlag%1").arg(i);
        auto *box = form->findChild<DropField *>(name);
        QVERIFY2(box && box->isVisible(), qPrintable(name));
        QCOMPARE(box->text(), QString());
        QCOMPARE(expectedDigit(form, name), QString(line.at(i - 1)));
        QVERIFY(box->accessibleDescription().startsWith(QStringLiteral("Überschlag, ")));
        const QRect at(box->mapTo(form, QPoint(0, 0)), box->size());
        QCOMPARE(form->childAt(at.center()), box); // a drag ends on the box, not on a panel over it
        QVERIFY(at.left() > left);
        QVERIFY(top < 0 || at.top() == top);
        left = at.right();
        top = at.top();
        boxes << name;
    }
    QCOMPARE(form->focusOrder().mid(0, line.size()), boxes);
    // The boxes the problem does not use are hidden.
    const auto *next = form->findChild<DropField *>(QStringLiteral("Ueberschlag%1").arg(line.size() + 1));
    QVERIFY(!next || !next->isVisible());
    if (!given.isEmpty())
        QCOMPARE(text(form, QStringLiteral("estimateMultiplier1")), given);

    // The help says what comes first.
    form->ShowHelp();
    QVERIFY(program.dialogs.last().text.endsWith(
        QStringLiteral("alle 50 Punkte gibt es ein Belohnungsspiel.\rMache zuerst einen Überschlag mit gerundeten Zahlen.\r")));
}

void TestEstimateWindow::solvedOnlyWithTheLine_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("notice");
    QTest::newRow("one-row") << WindowId::OneRow << "6722 · 3" << "Das Ergebnis muss ungefähr 21 000 sein.";
    QTest::newRow("two-row") << WindowId::TwoRow << "6722 · 26" << "Das Ergebnis muss ungefähr 210 000 sein.";
    QTest::newRow("three-row") << WindowId::ThreeRow << "5984 · 224" << "Das Ergebnis muss ungefähr 1 200 000 sein.";
}

// The written computation alone does not solve the problem; the Überschlag line, once it
// stands, says what the result must be close to, and the last of its digits solves it.
// Its digits count in the report apart from the computation.
void TestEstimateWindow::solvedOnlyWithTheLine()
{
    QFETCH(WindowId, trainer);
    QFETCH(QString, problem);
    QFETCH(QString, notice);

    Program program;
    TrainerWindow *form = program.withEstimate(trainer, problem);
    QVERIFY(form);
    const QStringList fields = form->focusOrder();
    QStringList line;
    for (const QString &field : fields) {
        if (field.startsWith(QLatin1String("Ueberschlag")))
            line << field;
    }
    for (const QString &field : fields.mid(line.size()))
        drop(form, field);
    QCOMPARE(program.dialogs.count(QStringLiteral("Malaufgabe")), 0);
    QVERIFY(!tipp(form)->isVisible());

    // A wrong digit in the line: "Fehler", and a hint on rounding.
    form->dropOnField(line.first(), QChar(u'0' + (expectedDigit(form, line.first()).toInt() + 1) % 10));
    QCOMPARE(program.dialogs.count(QStringLiteral("Fehler")), 1);
    QVERIFY(tipp(form)->text().startsWith(QStringLiteral("Überschlag: Runde ")));
    for (const QString &field : line.mid(0, line.size() - 1))
        drop(form, field);
    QCOMPARE(program.dialogs.count(QStringLiteral("Malaufgabe")), 0);
    QVERIFY(!tipp(form)->isVisible());
    drop(form, line.last());
    QCOMPARE(program.dialogs.count(QStringLiteral("Malaufgabe")), 1);

    const SessionStatistics::Trainer &counted = program.app.services().training.statistics.trainer(
        trainer == WindowId::OneRow ? TrainerKind::OneRow
                                    : trainer == WindowId::TwoRow ? TrainerKind::TwoRow : TrainerKind::ThreeRow);
    QCOMPARE(counted.estimateRightDigits, int(line.size()));
    QCOMPARE(counted.estimateErrors, 1);
    QCOMPARE(counted.rightDigits, int(fields.size() - line.size()));
    QCOMPARE(counted.errors, 0);

    // The next problem: the line first, and once it stands the estimate in the hint line
    // until the problem is solved.
    scriptProblem(program.random, trainer, problem);
    form->NextProblem();
    for (const QString &field : std::as_const(line)) {
        QVERIFY(!tipp(form)->isVisible());
        drop(form, field);
    }
    QVERIFY(tipp(form)->isVisible());
    QCOMPARE(tipp(form)->text(), notice);
    const QString first = form->markedField();
    QVERIFY(!first.startsWith(QLatin1String("Ueberschlag")));
    form->dropOnField(first, QChar(u'0' + (expectedDigit(form, first).toInt() + 1) % 10));
    QVERIFY(tipp(form)->text() != notice); // the hint on the wrong digit
    drop(form, first);
    QCOMPARE(tipp(form)->text(), notice);
    QCOMPARE(solveProblem(form) > 0, true);
    QCOMPARE(program.dialogs.count(QStringLiteral("Malaufgabe")), 2);
    QVERIFY(!tipp(form)->isVisible());
}

// Gap problems have no line; switched off, the next single problem has none either.
void TestEstimateWindow::onlySingleProblemsWhileSwitchedOn()
{
    Program program;
    auto *form = qobject_cast<RowsWindow *>(program.withEstimate(WindowId::TwoRow, QStringLiteral("6722 · 26")));
    QVERIFY(form);
    QVERIFY(form->findChild<DropField *>(QStringLiteral("Ueberschlag1"))->isVisible());
    form->chooseGapMode();
    QVERIFY(!form->findChild<DropField *>(QStringLiteral("Ueberschlag1"))->isVisible());
    QVERIFY(!form->exercise().hasEstimate());
    form->chooseSingleMode();
    QVERIFY(form->findChild<DropField *>(QStringLiteral("Ueberschlag1"))->isVisible());

    // The sheet view covers the problem and its line.
    form->ShowWorksheet();
    QVERIFY(!form->findChild<DropField *>(QStringLiteral("Ueberschlag1"))->isVisible());
    form->CloseWorksheet();
    QVERIFY(form->findChild<DropField *>(QStringLiteral("Ueberschlag1"))->isVisible());

    QWidget *info = program.open(WindowId::Info);
    QTest::mouseClick(info->findChild<QCheckBox *>(QStringLiteral("Ueberschlag")), Qt::LeftButton, {},
                      QPoint(8, 14));
    QVERIFY(!program.app.services().training.estimateFirst);
    // Takes effect with the next problem dealt.
    QVERIFY(form->exercise().hasEstimate());
    form->NextProblem();
    QVERIFY(!form->exercise().hasEstimate());
    QVERIFY(!form->findChild<DropField *>(QStringLiteral("Ueberschlag1"))->isVisible());
    form->ShowHelp();
    QVERIFY(!program.dialogs.last().text.contains(QStringLiteral("Überschlag")));
}

QTEST_MAIN(TestEstimateWindow)
#include "tst_estimate_window.moc"
