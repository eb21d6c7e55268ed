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
#include <QPushButton>
#include <QtMath>
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
    void theLongestLineHasRoom_data();
    void theLongestLineHasRoom();
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

void TestEstimateWindow::theLongestLineHasRoom_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("carry"); // a carry box of the trainer
    QTest::addColumn<QList<int>>("numbers"); // digits of multiplicand, multiplier, estimate
    QTest::addColumn<QSize>("size");
    const struct { const char *name; WindowId id; const char *problem; const char *carry; QList<int> numbers; } lines[] = {
        {"one-row, 10 000 · 900 = 9 000 000", WindowId::OneRow, "9999 · 9", "Bezeichnung7", {5, 3, 7}},
        {"two-row, 10 000 · 100 = 1 000 000", WindowId::TwoRow, "9994 · 99", "Uebertrag2", {5, 3, 7}},
        {"three-row, 10 000 · 1 000 = 10 000 000", WindowId::ThreeRow, "9994 · 999", "Uebertrag2", {5, 4, 8}}};
    for (const auto &line : lines) {
        // As drawn, as opened on a 1024 x 768 screen, and maximised on a large one.
        const struct { const char *name; QSize size; } sizes[] = {
            {"design size", QSize()}, {"738x522", QSize(738, 522)}, {"1920x1080", QSize(1920, 1080)}};
        for (const auto &size : sizes)
            QTest::addRow("%s, %s", line.name, size.name)
                << line.id << line.problem << line.carry << line.numbers << size.size;
    }
}

// The longest line of each trainer stands in one band above the problem: boxes as large as a
// carry box, apart from each other, from the signs and from the buttons, inside the window
// with a margin, and the digits of each number in groups of three with a wider gap between.
void TestEstimateWindow::theLongestLineHasRoom()
{
    QFETCH(WindowId, trainer);
    QFETCH(QString, problem);
    QFETCH(QString, carry);
    QFETCH(QList<int>, numbers);
    QFETCH(QSize, size);

    Program program;
    TrainerWindow *form = program.withEstimate(trainer, problem);
    QVERIFY(form);
    if (trainer == WindowId::OneRow) {
        scriptProblem(program.random, trainer, problem);
        qobject_cast<OneRowWindow *>(form)->chooseSingleMode(OneRowMode::H);
    }
    const QSize carrySize = form->findChild<QWidget *>(carry)->size();
    const QSize design = form->size();
    if (size.isValid())
        form->resize(size);
    QCoreApplication::processEvents();
    const qreal scale = qMin(form->width() / qreal(design.width()), form->height() / qreal(design.height()));
    const auto at = [form](const QWidget *w) { return QRect(w->mapTo(form, QPoint(0, 0)), w->size()); };

    // The line in written order, a number at a time; a multiplier the line gives as written
    // stands in its place without a box.
    QList<QList<QRect>> written;
    int box = 1, given = 1;
    for (int n = 0; n < numbers.size(); ++n) {
        written.append(QList<QRect>());
        for (int i = 0; i < numbers.at(n); ++i) {
            const bool isGiven = trainer == WindowId::OneRow && n == 1;
            const QString name = isGiven ? QStringLiteral("estimateMultiplier%1").arg(given++)
                                         : QStringLiteral("Ueberschlag%1").arg(box++);
            const QWidget *w = form->findChild<QWidget *>(name);
            QVERIFY2(w && w->isVisible(), qPrintable(name));
            written.last() << at(w);
        }
    }
    QVERIFY(!form->findChild<QWidget *>(QStringLiteral("Ueberschlag%1").arg(box)) ||
            !form->findChild<QWidget *>(QStringLiteral("Ueberschlag%1").arg(box))->isVisible());

    QList<QRect> all;
    for (const QList<QRect> &number : std::as_const(written))
        all += number;
    for (const char *sign : {"estimateMark", "estimateTimes", "estimateEquals"}) {
        const QWidget *w = form->findChild<QWidget *>(QLatin1String(sign));
        QVERIFY2(w && w->isVisible(), sign);
        all << at(w);
    }
    const int margin = qRound(8 * scale);
    const QRect inside = form->rect().adjusted(margin, margin, -margin, -margin);
    for (int i = 0; i < all.size(); ++i) {
        QVERIFY2(inside.contains(all[i]), qPrintable(QStringLiteral("%1 at the edge").arg(i)));
        QCOMPARE(all[i].top(), all[0].top()); // one line
        for (int j = i + 1; j < all.size(); ++j)
            QVERIFY2(!all[i].intersects(all[j]), qPrintable(QStringLiteral("%1 covers %2").arg(i).arg(j)));
        for (const QPushButton *button : form->findChildren<QPushButton *>()) {
            if (button->isVisible())
                QVERIFY2(!all[i].intersects(at(button)), qPrintable(button->objectName()));
        }
        // Nor the star's track, nor the problem under the line.
        for (const char *name : {"progressTrack", "Bild1", "Bezeichnung1", "Bezeichnung21"})
            QVERIFY2(!all[i].intersects(at(form->findChild<QWidget *>(QLatin1String(name)))), name);
    }
    for (const QList<QRect> &number : std::as_const(written)) {
        for (const QRect &rect : number) {
            QVERIFY(rect.width() >= qFloor(carrySize.width() * scale));
            QVERIFY(rect.height() >= qFloor(carrySize.height() * scale));
        }
        // From the highest digit: a wider gap before the thousands, the millions, ...
        for (int i = 1; i < number.size(); ++i) {
            const int gap = number[i].left() - number[i - 1].right();
            QVERIFY(gap > 1);
            const bool group = (number.size() - i) % 3 == 0;
            const int inGroup = i + 1 < number.size() ? number[i + 1].left() - number[i].right() : gap;
            if (group)
                QVERIFY2(gap >= inGroup + qRound(4 * scale), qPrintable(QStringLiteral("gap %1 vs %2").arg(gap).arg(inGroup)));
        }
    }
}

QTEST_MAIN(TestEstimateWindow)
#include "tst_estimate_window.moc"
