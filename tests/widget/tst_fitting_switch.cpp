// The switch "Aufgaben passend zum Kind auswählen" as the trainers see it: off, every trainer
// deals its own draws, draw for draw; on, single problems are chosen for the child and gap
// problems are dealt as before.
#include "arithmetic/written_views.h"
#include "test_program.h"
#include "trainers/common/trainer_window.h"

#include <QPushButton>
#include <QTest>

#include <tuple>

namespace {

// The draws of a single or gap problem of `id` (Int(r · n) + k each), for 5123 times 7, 47
// or 473; a one-row gap problem also draws its pattern.
void scriptProblem(ScriptedRandom &random, WindowId id, bool gap)
{
    if (id == WindowId::OneRow) {
        for (auto [value, n, k] : {std::tuple{5, 9, 1}, {1, 10, 0}, {2, 10, 0}, {3, 9, 1}, {7, 8, 2}})
            random.pushInt(value, n, k);
        if (gap)
            random.pushInt(1, 4, 1);
        return;
    }
    for (auto [value, n, k] : {std::tuple{5, 5, 5}, {1, 10, 0}, {2, 10, 0}, {3, 4, 1}, {4, 8, 2}, {7, 8, 2}})
        random.pushInt(value, n, k);
    if (id == WindowId::ThreeRow)
        random.pushInt(3, 8, 2);
}

QString scripted(WindowId id)
{
    return id == WindowId::OneRow ? QStringLiteral("5123 · 7") : id == WindowId::TwoRow ? QStringLiteral("5123 · 47")
                                                                                        : QStringLiteral("5123 · 473");
}

void click(QWidget *window, const char *button)
{
    window->findChild<QPushButton *>(QLatin1String(button))->click();
}

} // namespace

class TestFittingSwitch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void offDealsTheTrainersDraws_data();
    void offDealsTheTrainersDraws();
};

void TestFittingSwitch::offDealsTheTrainersDraws_data()
{
    QTest::addColumn<WindowId>("id");
    QTest::addColumn<QByteArray>("gapButton");
    QTest::newRow("one-row") << WindowId::OneRow << QByteArray("Befehl12");
    QTest::newRow("two-row") << WindowId::TwoRow << QByteArray("Befehl13");
    QTest::newRow("three-row") << WindowId::ThreeRow << QByteArray("Befehl13");
}

void TestFittingSwitch::offDealsTheTrainersDraws()
{
    QFETCH(WindowId, id);
    QFETCH(QByteArray, gapButton);
    TestProgram program;
    Training &training = program.app.services().training;
    QVERIFY(!training.fitToChild); // off at start

    scriptProblem(program.random, id, false);
    auto *form = program.open<TrainerWindow>(id);
    QCOMPARE(form->exercise().problemText(), scripted(id));
    QCOMPARE(program.random.remaining(), 0);

    // On: the problem is chosen, from draws of its own.
    training.fitToChild = true;
    scriptProblem(program.random, id, false);
    click(form, "Befehl22");
    QVERIFY(!form->exercise().isGap());
    QVERIFY(form->exercise().problemText() != scripted(id));
    // A gap problem is dealt as before.
    scriptProblem(program.random, id, true);
    click(form, gapButton.constData());
    QVERIFY(form->exercise().isGap());
    QCOMPARE(form->exercise().problemText(), scripted(id) + QStringLiteral(" (Lücke)"));
    QCOMPARE(program.random.remaining(), 0);

    // Off again: the trainer's own draws, draw for draw.
    training.fitToChild = false;
    click(form, "Befehl21");
    scriptProblem(program.random, id, false);
    click(form, "Befehl22");
    QCOMPARE(form->exercise().problemText(), scripted(id));
    QCOMPARE(program.random.remaining(), 0);
}

QTEST_MAIN(TestFittingSwitch)
#include "tst_fitting_switch.moc"
