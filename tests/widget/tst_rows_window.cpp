// The two-row (Form2) and three-row (Form3) trainer windows in the running program.
#include "arithmetic/written_views.h"
#include "fake_dialogs.h"
#include "pupil_actions.h"
#include "scripted_random.h"
#include "shell/application.h"
#include "test_program.h"
#include "trainers/common/digit_key.h"
#include "trainers/common/rows_window.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

namespace {

struct Program : TestProgram
{
    RowsWindow *open(WindowId id) { return TestProgram::open<RowsWindow>(id); }
};

WindowId idOf(const QString &trainer)
{
    return trainer == QLatin1String("Form3") ? WindowId::ThreeRow : WindowId::TwoRow;
}

QLabel *label(QWidget *window, const QString &name)
{
    return window->findChild<QLabel *>(name);
}

QPushButton *button(QWidget *window, const char *name)
{
    return window->findChild<QPushButton *>(QLatin1String(name));
}

int gapPanelTop(QWidget *window)
{
    return pxToTwips(window->findChild<QWidget *>(QStringLiteral("Bild6"))->y());
}

} // namespace

class TestRowsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controls_data();
    void controls();
    void writtenLayout_data();
    void writtenLayout();
    void staircaseSolve_data();
    void staircaseSolve();
    void sumCarryBox_data();
    void sumCarryBox();
    void frameThroughTheSum_data();
    void frameThroughTheSum();
    void switchFinishesCompleteProblem_data();
    void switchFinishesCompleteProblem();
    void foreignDropOnEmptyField_data();
    void foreignDropOnEmptyField();
    void gapButtonDiscardsSingleProblem_data();
    void gapButtonDiscardsSingleProblem();
    void gapModeSurvivesReward_data();
    void gapModeSurvivesReward();
    void endLeavesGapMode_data();
    void endLeavesGapMode();
    void menuOpensTrainers();

private:
    void addTrainerColumns();
};

void TestRowsWindow::addTrainerColumns()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<int>("gapTop");
    QTest::newRow("Form2") << "Form2" << 840;
    QTest::newRow("Form3") << "Form3" << 720;
}

void TestRowsWindow::controls_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("names");

    const QStringList common{
        "Bezeichnung1", "Bezeichnung2", "Bezeichnung3", "Bezeichnung4", "Bezeichnung5",
        "Bezeichnung6", "Bezeichnung9", "Bezeichnung11", "Bezeichnung12", "Bezeichnung13",
        "Bezeichnung14", "Bezeichnung17", "Bezeichnung18", "Bezeichnung19", "Bezeichnung20",
        "Bezeichnung21", "Bezeichnung26", "Bezeichnung28", "Bezeichnung30", "Bezeichnung31",
        "Bezeichnung32", "Bezeichnung33", "Bezeichnung34", "Bezeichnung15", "Bezeichnung16",
        "Bezeichnung22", "Bezeichnung23", "Bezeichnung7", "Bezeichnung29", "Bild1", "Bild6",
        "Liste1", "Liste2", "Befehl1", "Befehl12", "Befehl13", "Befehl15", "Befehl21",
        "Befehl2", "Befehl11", "luecke1", "luecke2", "luecke3", "luecke4", "luecke5",
        "luecke6", "luecke7", "luecke8", "luecke9", "luecke10", "luecke11", "luecke12",
        "luecke13", "luecke14", "luecke15", "luecke16", "luecke17", "luecke18", "luecke19",
        "luecke20", "luecke21", "luecke22", "luecke23", "Uebertrag2", "Uebertrag3", "Uebertrag4",
        "Uebertrag5", "Uebertrag6"};
    QTest::newRow("Form2") << "Form2" << "Zweireihige Multiplikation"
                           << common + QStringList{"luecke24", "luecke25", "luecke26", "luecke27", "luecke28"};
    QTest::newRow("Form3") << "Form3" << "Dreireihige Multiplikation"
                           << common + QStringList{"Bezeichnung10", "Bezeichnung27", "Bezeichnung35",
                                                   "Bezeichnung36", "Bezeichnung37", "Bezeichnung38",
                                                   "Bezeichnung39", "Bezeichnung40", "Bezeichnung41",
                                                   "luecke24", "luecke25", "luecke26", "luecke27",
                                                   "luecke28", "luecke29", "luecke30", "luecke31",
                                                   "luecke32", "Uebertrag7", "luecke33", "luecke34",
                                                   "luecke35", "luecke36", "luecke37", "luecke38"};
}

void TestRowsWindow::controls()
{
    QFETCH(QString, trainer);
    QFETCH(QString, title);
    QFETCH(QStringList, names);

    Program program;
    RowsWindow *window = program.open(idOf(trainer));
    QVERIFY(window);
    QCOMPARE(window->objectName(), trainer);
    QCOMPARE(window->windowTitle(), title);
    for (const QString &name : names)
        QVERIFY2(window->findChild<QWidget *>(name), qPrintable(name));

    QCOMPARE(button(window, "Befehl21")->text(), QStringLiteral("Normal"));
    QCOMPARE(button(window, "Befehl13")->text(), QStringLiteral("Lücke"));
    QCOMPARE(button(window, "Befehl12")->text(), QStringLiteral("Treppe"));
    QCOMPARE(window->findChild<QListWidget *>(QStringLiteral("Liste1"))->count(),
             trainer == QLatin1String("Form3") ? 4 : 3);
    QVERIFY(!label(window, QStringLiteral("Bezeichnung7"))->isVisible());
    QVERIFY(!label(window, QStringLiteral("Bezeichnung29"))->isVisible());
}

void TestRowsWindow::writtenLayout_data()
{
    addTrainerColumns();
}

void TestRowsWindow::writtenLayout()
{
    QFETCH(QString, trainer);
    QFETCH(int, gapTop);

    Program program;
    RowsWindow *window = program.open(idOf(trainer));
    const RowsTables &tables = window->tables();
    const int n = tables.multiplierDigits;
    const auto at = [window](const char *name) {
        QWidget *w = window->findChild<QWidget *>(QLatin1String(name));
        return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
    };
    const auto x = [&at](const char *name) { return at(name).x(); };
    const QRect notices = window->findChild<QWidget *>(QStringLiteral("Bezeichnung29"))->geometry();

    // Every digit stands in the column of its place: the ones under the multiplier's
    // ones digit, and row 0 without its zeros ends under the multiplier's highest digit.
    const char *const onesDigit = tables.multiplierLabels.back();
    const char *const highestDigit = tables.multiplierLabels.front();
    const int pitch = (x(onesDigit) - x(highestDigit)) / (n - 1);
    QVERIFY(pitch > 0);
    int previousTop = at(onesDigit).bottom();
    QList<QRect> rowRects; // one field of each answer row
    for (int row = 0; row <= n; ++row) {
        int rowTop = -1;
        for (const RowField &f : tables.fields) {
            if (f.row != row)
                continue;
            const QRect field = at(f.field);
            QCOMPARE(field.x(), x(onesDigit) - (f.place - 1) * pitch);
            if (rowTop < 0) {
                rowTop = field.y();
                rowRects << field;
            }
            QCOMPARE(field.y(), rowTop);
            QVERIFY2(field.bottom() < notices.top(), f.field);
        }
        QVERIFY(rowTop > previousTop);
        previousTop = rowTop;
    }
    for (const RowField &f : tables.fields) {
        if (f.row == 0 && f.place == n)
            QCOMPARE(x(f.field), x(highestDigit));
    }
    // The carries of the addition stand small over the column they are carried into, in a
    // line between the last partial product and the sum; the gap panel has them in the same
    // places.
    const auto carriesStand = [&](const std::vector<const char *> &carries) {
        QCOMPARE(int(carries.size()), n + 3);
        for (std::size_t k = 0; k < carries.size(); ++k) {
            const QRect box = at(carries[k]);
            QVERIFY2(qAbs(box.center().x() - (at(onesDigit).center().x() - int(k + 1) * pitch)) <= 1, carries[k]);
            QVERIFY(box.height() < at(onesDigit).height());
            QVERIFY(box.top() > rowRects.at(n - 1).bottom());
            QVERIFY(box.bottom() < rowRects.at(n).top());
        }
    };
    carriesStand(tables.sumCarries);

    // The gap panel shows the same places, in the place of the single layout.
    QCOMPARE(gapPanelTop(window), 6000);
    QWidget *panel = window->findChild<QWidget *>(QStringLiteral("Bild6"));
    QWidget *single = window->findChild<QWidget *>(QStringLiteral("singleLayout"));
    QVERIFY(!panel->isVisible());
    window->chooseGapMode();
    QCOMPARE(gapPanelTop(window), gapTop);
    QVERIFY(panel->isVisible());
    QVERIFY(!single->isVisible());
    QCOMPARE(panel->geometry(), single->geometry());
    QVERIFY(panel->geometry().bottom() < notices.top());
    QCOMPARE(x(tables.gapMultiplier.back()), x(onesDigit));
    for (std::size_t row = 0; row < tables.gapRows.size(); ++row) {
        for (std::size_t i = 0; i < tables.gapRows[row].size(); ++i)
            QCOMPARE(x(tables.gapRows[row][i]), x(onesDigit) - int(i) * pitch);
    }
    carriesStand(tables.gapSumCarries);
}

void TestRowsWindow::staircaseSolve_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QStringList>("zeros");
    QTest::addColumn<int>("digits");
    // The digits and the carries of the addition: 16 + 5 and 22 + 6.
    QTest::newRow("Form2") << "Form2" << QStringList{"Bezeichnung9"} << 21;
    QTest::newRow("Form3") << "Form3" << QStringList{"Bezeichnung9", "Bezeichnung27", "Bezeichnung35"}
                           << 28;
}

void TestRowsWindow::staircaseSolve()
{
    QFETCH(QString, trainer);
    QFETCH(QStringList, zeros);
    QFETCH(int, digits);

    Program program;
    RowsWindow *window = program.open(idOf(trainer));
    QPushButton *display = button(window, "Befehl12");

    QTest::mouseClick(display, Qt::LeftButton);
    QCOMPARE(display->text(), QStringLiteral("Bündig"));
    for (const QString &zero : zeros)
        QVERIFY(!label(window, zero)->isVisible());

    const QStringList before = rowsAnswerList(window->exercise());
    QCOMPARE(solveProblem(window), digits);
    QCOMPARE(program.dialogs.count(QStringLiteral("Fehler")), 0);
    QCOMPARE(program.dialogs.count(QStringLiteral("Malaufgabe")), 1);
    QCOMPARE(program.dialogs.last().text, QStringLiteral("Die Aufgabe wurde richtig gelöst.\r\r"));
    QCOMPARE(window->score().points(), digits);
    QCOMPARE(label(window, QStringLiteral("Bezeichnung16"))->text(), QString::number(digits));
    QCOMPARE(label(window, QStringLiteral("Bezeichnung22"))->text(), QString::number(digits));
    QCOMPARE(markerSteps(window), 1);

    // The next problem is on screen, empty, and still in the staircase.
    QVERIFY(rowsAnswerList(window->exercise()) != before);
    QCOMPARE(label(window, QStringLiteral("Bezeichnung28"))->text(), QString());
    for (const QString &zero : zeros)
        QVERIFY(!label(window, zero)->isVisible());

    // Back to the flush display: the zeros must be written again.
    QTest::mouseClick(display, Qt::LeftButton);
    QCOMPARE(display->text(), QStringLiteral("Treppe"));
    for (const QString &zero : zeros)
        QVERIFY(label(window, zero)->isVisible());
    QCOMPARE(solveProblem(window), digits + zeros.size());
    QCOMPARE(program.dialogs.count(QStringLiteral("Malaufgabe")), 2);
}

void TestRowsWindow::sumCarryBox_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("carry");
    QTest::addColumn<QString>("filled"); // what else stands: nothing, or every other field

    // 204920 + 35861 = 240781: the hundreds make 17, carried into the thousands.
    // 1196800 + 119680 + 23936 = 1340416: the thousands make 18 + 2 = 20; nothing is carried
    // out of the hundred-thousands.
    const struct {
        const char *trainer, *problem, *box, *carry;
    } boxes[] = {{"Form2", "5123 · 47", "Uebertrag4", "1"},
                 {"Form2", "5123 · 47", "Uebertrag2", "0"},
                 {"Form3", "5984 · 224", "Uebertrag5", "2"},
                 {"Form3", "5984 · 224", "Uebertrag7", "0"}};
    for (const auto &b : boxes) {
        for (const char *filled : {"nothing", "everything else"})
            QTest::addRow("%s %s, %s filled", b.trainer, b.box, filled)
                << b.trainer << b.problem << b.box << b.carry << filled;
    }
}

// A carry box of the addition takes the true carry of its column and refuses any other
// digit with "Fehler", whatever the other boxes hold; the problem is not finished by it.
void TestRowsWindow::sumCarryBox()
{
    QFETCH(QString, trainer);
    QFETCH(QString, problem);
    QFETCH(QString, box);
    QFETCH(QString, carry);
    QFETCH(QString, filled);

    Program program;
    RowsWindow *window = program.open(idOf(trainer));
    scriptProblem(program.random, idOf(trainer), problem);
    window->NextProblem();
    QLabel *field = label(window, box);
    QVERIFY(field->isVisible());
    QCOMPARE(field->accessibleDescription().left(12), QStringLiteral("Übertrag der"));
    int points = 0;
    if (filled != QLatin1String("nothing")) {
        // Every other field but the last digit of the sum, which would finish the problem.
        const QStringList fields = window->fieldNames();
        for (const QString &other : fields) {
            if (other == box || other == fields.last())
                continue;
            QCOMPARE(window->dropOnField(other, expectedDigit(window, other).at(0)), TrainerWindow::DropResult::Accepted);
            ++points;
        }
    }
    for (int digit = 0; digit <= 9; ++digit) {
        const bool right = QString::number(digit) == carry;
        const int errors = program.dialogs.count(QStringLiteral("Fehler"));
        QCOMPARE(window->dropOnField(box, QChar(u'0' + digit)),
                 right ? TrainerWindow::DropResult::Accepted : TrainerWindow::DropResult::Refused);
        QCOMPARE(program.dialogs.count(QStringLiteral("Fehler")), errors + (right ? 0 : 1));
        QCOMPARE(field->text(), right ? carry : QString());
        points += right ? 1 : 0;
    }
    QCOMPARE(window->score().points(), points);
    QCOMPARE(window->score().errors(), 9);
    QCOMPARE(program.dialogs.count(QStringLiteral("Malaufgabe")), 0);
}

void TestRowsWindow::frameThroughTheSum_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QStringList>("path");
    // 899460 + 89946: the ones carry nothing into the tens (flush, a zero and one digit),
    // every other column carries 1.
    QTest::newRow("Form2") << "Form2" << "9994 · 99"
                           << QStringList{"Bezeichnung34", "Bezeichnung33", "Uebertrag3",
                                          "Bezeichnung32", "Uebertrag4", "Bezeichnung31", "Uebertrag5",
                                          "Bezeichnung30", "Uebertrag6", "Bezeichnung28"};
    // 8994600 + 899460 + 89946: carries 0, 1, 2, 2, 2, 1.
    QTest::newRow("Form3") << "Form3" << "9994 · 999"
                           << QStringList{"Bezeichnung36", "Bezeichnung34", "Uebertrag3",
                                          "Bezeichnung33", "Uebertrag4", "Bezeichnung32", "Uebertrag5",
                                          "Bezeichnung31", "Uebertrag6", "Bezeichnung30", "Uebertrag7",
                                          "Bezeichnung28"};
}

// The orange frame goes through the sum as a child writes it: a digit, the carry it leaves
// over the next column (none where it is 0), the next digit.
void TestRowsWindow::frameThroughTheSum()
{
    QFETCH(QString, trainer);
    QFETCH(QString, problem);
    QFETCH(QStringList, path);

    Program program;
    RowsWindow *window = program.open(idOf(trainer));
    scriptProblem(program.random, idOf(trainer), problem);
    window->NextProblem();
    // The partial products, written where the frame stands.
    while (window->markedField() != path.first()) {
        const QString field = window->markedField();
        QVERIFY2(!field.startsWith(QLatin1String("Uebertrag")) && !field.isEmpty(), qPrintable(field));
        QCOMPARE(window->dropOnField(field, expectedDigit(window, field).at(0)), TrainerWindow::DropResult::Accepted);
    }
    QStringList walked;
    for (;;) {
        const QString field = window->markedField();
        walked << field;
        if (window->dropOnField(field, expectedDigit(window, field).at(0)) == TrainerWindow::DropResult::Solved)
            break;
    }
    QCOMPARE(walked, path);
    QCOMPARE(program.dialogs.count(QStringLiteral("Malaufgabe")), 1);
}

void TestRowsWindow::switchFinishesCompleteProblem_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<bool>("gapMode");
    QTest::addColumn<QStringList>("zeros");
    QTest::newRow("Form2") << "Form2" << false << QStringList{"Bezeichnung9"};
    QTest::newRow("Form3") << "Form3" << false
                           << QStringList{"Bezeichnung9", "Bezeichnung27", "Bezeichnung35"};
    QTest::newRow("Form2 gap problem") << "Form2" << true << QStringList{};
}

// Every digit but the trailing zeros written in the flush display: switching to the
// staircase, which takes those zeros as written, finishes the problem at once.
void TestRowsWindow::switchFinishesCompleteProblem()
{
    QFETCH(QString, trainer);
    QFETCH(bool, gapMode);
    QFETCH(QStringList, zeros);

    Program program;
    RowsWindow *window = program.open(idOf(trainer));
    if (gapMode)
        QTest::mouseClick(button(window, "Befehl13"), Qt::LeftButton);
    QPushButton *display = button(window, "Befehl12");
    const QStringList problem = window->fieldNames();
    int written = 0;
    for (const QString &field : problem) {
        if (zeros.contains(field))
            continue;
        // In gap mode the last gap stays open: the switch must not finish that problem.
        if (gapMode && field == problem.last())
            break;
        window->dropOnField(field, expectedDigit(window, field).at(0));
        ++written;
    }
    QCOMPARE(program.dialogs.calls.size(), 0);
    const QStringList before = rowsAnswerList(window->exercise());

    QTest::mouseClick(display, Qt::LeftButton);
    QCOMPARE(display->text(), QStringLiteral("Bündig"));
    // The switch scores nothing itself.
    QCOMPARE(window->score().points(), written);
    QCOMPARE(window->score().errors(), 0);
    if (gapMode) {
        QCOMPARE(program.dialogs.calls.size(), 0);
        QCOMPARE(markerSteps(window), 0);
        QCOMPARE(rowsAnswerList(window->exercise()), before);
        return;
    }
    QCOMPARE(program.dialogs.calls.size(), 1);
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Malaufgabe"));
    QCOMPARE(program.dialogs.last().text, QStringLiteral("Die Aufgabe wurde richtig gelöst.\r\r"));
    QCOMPARE(markerSteps(window), 1);
    QVERIFY(rowsAnswerList(window->exercise()) != before);
    QCOMPARE(label(window, QStringLiteral("Bezeichnung28"))->text(), QString());

    // Switching back on the fresh, empty problem finishes nothing.
    QTest::mouseClick(display, Qt::LeftButton);
    QCOMPARE(program.dialogs.calls.size(), 1);
    QCOMPARE(markerSteps(window), 1);
}

void TestRowsWindow::foreignDropOnEmptyField_data()
{
    addTrainerColumns();
}

void TestRowsWindow::foreignDropOnEmptyField()
{
    QFETCH(QString, trainer);

    Program program;
    RowsWindow *window = program.open(idOf(trainer));
    QLabel *field = label(window, QStringLiteral("Bezeichnung17"));

    QMimeData text;
    text.setText(QStringLiteral("7"));
    deliverDrop(field, &text);
    QCOMPARE(program.dialogs.count(QStringLiteral("Fehler")), 1);
    QCOMPARE(program.dialogs.last().text, QStringLiteral("Das ist leider falsch, rechne nochmal.\r\r"));
    QCOMPARE(label(window, QStringLiteral("Bezeichnung15"))->text(), QStringLiteral("1"));
    QCOMPARE(label(window, QStringLiteral("Bezeichnung23"))->text(), QStringLiteral("1"));
    QCOMPARE(field->text(), QString());
    QCOMPARE(window->score().points(), 0);

    // A digit key dropped the same way is written and checked.
    const QChar right = expectedDigit(window, field->objectName()).at(0);
    const auto digit = digitMimeData(right);
    deliverDrop(field, digit.get());
    QCOMPARE(field->text(), QString(right));
    QCOMPARE(label(window, QStringLiteral("Bezeichnung16"))->text(), QStringLiteral("1"));
    QCOMPARE(program.dialogs.count(QStringLiteral("Fehler")), 1);
}

void TestRowsWindow::gapButtonDiscardsSingleProblem_data()
{
    addTrainerColumns();
}

void TestRowsWindow::gapButtonDiscardsSingleProblem()
{
    QFETCH(QString, trainer);
    QFETCH(int, gapTop);

    Program program;
    RowsWindow *window = program.open(idOf(trainer));
    const WrittenMultiplication first = window->exercise().written();
    for (const char *name : {"Bezeichnung28", "Bezeichnung30", "Bezeichnung17"})
        window->dropOnField(QLatin1String(name),
                            expectedDigit(window, QLatin1String(name)).at(0));
    QCOMPARE(window->score().points(), 3);

    QTest::mouseClick(button(window, "Befehl13"), Qt::LeftButton);
    QVERIFY(window->isGapMode());
    QCOMPARE(gapPanelTop(window), gapTop);
    QVERIFY(window->exercise().isGap());
    QCOMPARE(window->findChild<QListWidget *>(QStringLiteral("Liste2"))->count(), window->fieldNames().size());
    for (const QString &gap : window->fieldNames())
        QCOMPARE(label(window, gap)->text(), QString());
    QCOMPARE(label(window, QStringLiteral("luecke1"))->text(),
             QString::number(window->exercise().written().multiplicand() / 1000));

    QTest::mouseClick(button(window, "Befehl21"), Qt::LeftButton);
    QVERIFY(!window->isGapMode());
    QCOMPARE(gapPanelTop(window), 6000);
    const WrittenMultiplication again = window->exercise().written();
    QVERIFY(again.multiplicand() != first.multiplicand() || again.multiplier() != first.multiplier());
    for (const QString &field : window->fieldNames())
        QCOMPARE(label(window, field)->text(), QString());
    QCOMPARE(window->score().points(), 3);
}

void TestRowsWindow::gapModeSurvivesReward_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<int>("game");

    for (const char *trainer : {"Form2", "Form3"}) {
        QTest::addRow("%s Zahlfange", trainer) << trainer << "Bezeichnung29" << int(WindowId::Catching);
        QTest::addRow("%s Memory", trainer) << trainer << "Bezeichnung7" << int(WindowId::Memory);
    }
}

void TestRowsWindow::gapModeSurvivesReward()
{
    QFETCH(QString, trainer);
    QFETCH(QString, notice);
    QFETCH(int, game);

    Program program;
    // A plain window stands in for the game; only the way there and back counts here.
    program.app.registry().registerWindow(WindowId(game), [] { return new QWidget; });
    const WindowId id = idOf(trainer);
    RowsWindow *window = program.open(id);
    QTest::mouseClick(button(window, "Befehl13"), Qt::LeftButton);

    QLabel *offer = label(window, notice);
    for (int problems = 0; problems < 30 && !offer->isVisible(); ++problems) {
        QVERIFY(window->isGapMode());
        solveProblem(window);
    }
    QVERIFY(offer->isVisible());
    program.dialogs.clear();

    QTest::mouseClick(offer, Qt::LeftButton);
    QVERIFY(!offer->isVisible());
    QVERIFY(!window->isVisible());
    QVERIFY(program.app.registry().window(WindowId(game))->isVisible());
    if (WindowId(game) == WindowId::Catching) {
        QCOMPARE(program.dialogs.count(QStringLiteral("Zahlfange")), 1);
        QCOMPARE(program.dialogs.last().text, QStringLiteral("Es folgt jetzt eine Belohnung.\r\r"));
    } else {
        QCOMPARE(program.dialogs.calls.size(), 0);
        QCOMPARE(markerSteps(window), 0);
    }

    // The game ends: the same trainer comes back with a fresh gap problem.
    const QList<int> multiplier = id == WindowId::ThreeRow ? QList<int>{8, 5, 7} : QList<int>{8, 5};
    const WrittenMultiplication next(6423, multiplier);
    program.random.pushInt(6, 5, 5);
    program.random.pushInt(4, 10);
    program.random.pushInt(2, 10);
    program.random.pushInt(3, 4, 1);
    for (int digit : multiplier)
        program.random.pushInt(digit, 8, 2);
    program.app.registry().endReward();

    QVERIFY(window->isVisible());
    QCOMPARE(program.app.registry().current(), id);
    QVERIFY(window->isGapMode());
    QVERIFY(window->exercise().isGap());
    QCOMPARE(rowsAnswerList(window->exercise()), answerRows(next));
    QCOMPARE(label(window, QStringLiteral("luecke1"))->text(), QStringLiteral("6"));
    QCOMPARE(gapPanelTop(window), trainer == QLatin1String("Form3") ? 720 : 840);
}

void TestRowsWindow::endLeavesGapMode_data()
{
    QTest::addColumn<QString>("trainer");
    QTest::addColumn<bool>("closeBox");
    for (const char *trainer : {"Form2", "Form3"}) {
        QTest::addRow("%s Ende", trainer) << trainer << false;
        QTest::addRow("%s close box", trainer) << trainer << true;
    }
}

void TestRowsWindow::endLeavesGapMode()
{
    QFETCH(QString, trainer);
    QFETCH(bool, closeBox);

    Program program;
    RowsWindow *window = program.open(idOf(trainer));
    QTest::mouseClick(button(window, "Befehl13"), Qt::LeftButton);
    const QString gap = window->fieldNames().first();
    window->dropOnField(gap, expectedDigit(window, gap).at(0));

    if (closeBox)
        window->close();
    else
        QTest::mouseClick(button(window, "Befehl1"), Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QVERIFY(program.app.registry().window(WindowId::Menu)->isVisible());
    QCOMPARE(gapPanelTop(window), 6000);

    program.open(idOf(trainer));
    QVERIFY(!window->isGapMode());
    QCOMPARE(window->score().points(), 1);
    QCOMPARE(label(window, QStringLiteral("Bezeichnung16"))->text(), QStringLiteral("1"));
}

void TestRowsWindow::menuOpensTrainers()
{
    Program program;
    program.app.start();
    QWidget *menu = program.app.registry().window(WindowId::Menu);
    QLabel *caption = label(menu, QStringLiteral("Bezeichnung5"));
    QVERIFY(caption->isVisible());
    QCOMPARE(caption->text(), QStringLiteral("dreireihig"));

    const struct {
        const char *picture;
        WindowId trainer;
        const char *form;
    } entries[] = {{"Bild2", WindowId::TwoRow, "Form2"}, {"Bild5", WindowId::ThreeRow, "Form3"}};
    for (const auto &entry : entries) {
        QLabel *picture = label(menu, QLatin1String(entry.picture));
        QVERIFY(picture->isVisible());
        QTest::mouseClick(picture, Qt::LeftButton);
        QWidget *trainer = program.app.registry().window(entry.trainer);
        QCOMPARE(trainer->objectName(), QLatin1String(entry.form));
        QVERIFY(trainer->isVisible());
        QVERIFY(!menu->isVisible());
        QTest::mouseClick(button(trainer, "Befehl1"), Qt::LeftButton);
        QVERIFY(menu->isVisible());
    }
}

QTEST_MAIN(TestRowsWindow)
#include "tst_rows_window.moc"
