#include "fake_dialogs.h"
#include "games/catching/catching_window.h"
#include "games/memory/memory_window.h"
#include "scripted_random.h"
#include "shell/application.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

// Whichever trainer offers a reward game gets the pupil back when the game ends.
class TestRewardWiring : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void gameReturnsToTheTrainerThatOfferedIt_data();
    void gameReturnsToTheTrainerThatOfferedIt();
};

enum class Ending { Won, Quit, FrameClosed };
Q_DECLARE_METATYPE(Ending)
Q_DECLARE_METATYPE(WindowId)

namespace {

void winMemory(MemoryWindow *memo, ScriptedRandom &random)
{
    // Deal pairs side by side: field 2k - 1 and 2k hold the same digit.
    for (int field = 1; field <= 18; ++field)
        random.pushInt(field, 18, 1);
    for (int k = 1; k <= 18; ++k)
        QTest::mouseClick(memo->findChild<QLabel *>(QStringLiteral("Bezeichnung%1").arg(k)),
                          Qt::LeftButton);
}

void winCatching(CatchingWindow *game)
{
    while (!game->game().isOver()) {
        const QPoint target = game->game().digitCell(1);
        const QPoint at = game->game().catcher();
        if (at.x() != target.x())
            game->moveCatcher(at.x() < target.x() ? CatchingGame::Direction::Right
                                                  : CatchingGame::Direction::Left);
        else
            game->moveCatcher(at.y() < target.y() ? CatchingGame::Direction::Down
                                                  : CatchingGame::Direction::Up);
    }
}

} // namespace

void TestRewardWiring::gameReturnsToTheTrainerThatOfferedIt_data()
{
    QTest::addColumn<WindowId>("game");
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<Ending>("ending");
    const struct { WindowId id; const char *name; } games[] = {
        {WindowId::Memory, "Memory"}, {WindowId::Catching, "Zahlfange"}};
    const struct { WindowId id; const char *name; } trainers[] = {
        {WindowId::OneRow, "one-row"}, {WindowId::TwoRow, "two-row"}};
    const struct { Ending ending; const char *name; } endings[] = {
        {Ending::Won, "won"}, {Ending::Quit, "quit"}, {Ending::FrameClosed, "frame closed"}};
    for (const auto &game : games)
        for (const auto &trainer : trainers)
            for (const auto &ending : endings)
                QTest::addRow("%s from the %s trainer, %s", game.name, trainer.name, ending.name)
                    << game.id << trainer.id << ending.ending;
}

void TestRewardWiring::gameReturnsToTheTrainerThatOfferedIt()
{
    QFETCH(WindowId, game);
    QFETCH(WindowId, trainer);
    QFETCH(Ending, ending);

    FakeDialogs dialogs;
    ScriptedRandom random;
    Application app(dialogs, random);
    WindowRegistry &registry = app.registry();
    // A stand-in for another trainer; only its visibility matters here.
    registry.registerWindow(WindowId::TwoRow, [] {
        auto *w = new QWidget;
        w->setObjectName(QStringLiteral("Form2"));
        return w;
    });
    app.start();
    registry.switchTo(trainer);
    QWidget *offering = registry.window(trainer);
    QWidget *oneRow = registry.window(WindowId::OneRow);
    QWidget *gameWindow = registry.window(game);

    if (trainer == WindowId::OneRow) {
        auto *notice = oneRow->findChild<QLabel *>(
            game == WindowId::Memory ? QStringLiteral("Bezeichnung14") : QStringLiteral("Bezeichnung26"));
        notice->show();
        QTest::mouseClick(notice, Qt::LeftButton);
    } else {
        registry.openReward(game, trainer);
    }
    QVERIFY(gameWindow->isVisible());
    QVERIFY(!offering->isVisible());

    switch (ending) {
    case Ending::Won:
        if (game == WindowId::Memory)
            winMemory(qobject_cast<MemoryWindow *>(gameWindow), random);
        else
            winCatching(qobject_cast<CatchingWindow *>(gameWindow));
        QCOMPARE(dialogs.calls.size(), 1);
        break;
    case Ending::Quit:
        dialogs.answers = {Answer::Yes};
        QTest::mouseClick(gameWindow->findChild<QPushButton *>(QStringLiteral("Befehl1")),
                          Qt::LeftButton);
        QCOMPARE(dialogs.calls.size(), 1);
        break;
    case Ending::FrameClosed:
        gameWindow->close();
        QCOMPARE(dialogs.calls.size(), 0);
        break;
    }

    QVERIFY(!gameWindow->isVisible());
    QVERIFY(offering->isVisible());
    if (trainer != WindowId::OneRow)
        QVERIFY(!oneRow->isVisible());
    QCOMPARE(registry.current(), trainer);
}

QTEST_MAIN(TestRewardWiring)
#include "tst_reward_wiring.moc"
