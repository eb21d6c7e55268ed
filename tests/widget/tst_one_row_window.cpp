#include "fake_dialogs.h"
#include "games/catching/catching_window.h"
#include "platform/qt_dialogs.h"
#include "pupil_actions.h"
#include "scripted_random.h"
#include "shell/application.h"
#include "shell/help_text.h"
#include "test_program.h"
#include "trainers/common/digit_key.h"
#include "trainers/one_row/one_row_window.h"
#include "widgets/clickable_label.h"

#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QString wrongText = QStringLiteral("Das ist leider falsch, rechne nochmal.\r\r");

// The whole program with scripted dialogs and draws.
struct Program : TestProgram
{
    OneRowWindow *openOneRow()
    {
        QTest::mouseClick(menu()->findChild<ClickableLabel *>("Bild1"), Qt::LeftButton);
        return qobject_cast<OneRowWindow *>(app.registry().window(WindowId::OneRow));
    }
};

template<typename T = QLabel>
T *child(QWidget *window, const char *name)
{
    auto *w = window->findChild<T *>(name);
    if (!w)
        qFatal("no control %s", name);
    return w;
}

QString text(QWidget *window, const char *name)
{
    return child(window, name)->text();
}

} // namespace

class OneRowWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void menuShowsHelpThatCannotBeEdited();
    void quitQuestion();
    void menuOpensTrainerAndEndKeepsPoints_data();
    void menuOpensTrainerAndEndKeepsPoints();
    void rightDropIsKeptAndScores();
    void wrongDropIsRefusedAndCounted();
    void foreignDropIsCheckedAsTheFieldStands_data();
    void foreignDropIsCheckedAsTheFieldStands();
    void fiftiethPointOffersZahlfange();
    void eighteenthSolvedProblemOffersMemory();
    void activationByToolkitKeepsProblem();
    void modesAndGapProblems();
    void gapProblemShowsItsCarries_data();
    void gapProblemShowsItsCarries();
    void helpMessage();
};

void OneRowWindowTest::menuShowsHelpThatCannotBeEdited()
{
    Program program;
    QWidget *menu = program.menu();
    QVERIFY(menu->isVisible());
    QCOMPARE(menu->objectName(), QString("Form0"));
    QCOMPARE(menu->windowTitle(), QString("Schriftliche Multiplikation"));
    auto *help = child<QPlainTextEdit>(menu, "Text1");
    const QString expected = QtDialogs::displayText(menuHelpText());
    QCOMPARE(help->toPlainText(), expected);
    QVERIFY(expected.startsWith("Mit diesem Programm kann die schriftliche einreihige"));
    QVERIFY(expected.contains("Übungsblättern ist ebenfalls möglich.\n\nDas Programm besteht"));
    QVERIFY(expected.endsWith("angezeigten Anzahl der richtigen Punkte."));

    help->setFocus();
    QTest::keyClicks(help, "abc");
    QTest::keyClick(help, Qt::Key_Delete);
    QTest::keyClick(help, Qt::Key_Backspace);
    QCOMPARE(help->toPlainText(), expected);
}

void OneRowWindowTest::quitQuestion()
{
    Program program;
    program.dialogs.answers = {Answer::No};
    QTest::mouseClick(child<ClickableLabel>(program.menu(), "Bild3"), Qt::LeftButton);
    const FakeDialogs::Call asked = program.dialogs.last();
    QCOMPARE(asked.kind, FakeDialogs::Kind::Question);
    QCOMPARE(asked.title, QString("Schriftliche Multiplikation"));
    QCOMPARE(asked.text, QString("Dieses Programm jetzt beenden?\r\r\r"));
    QCOMPARE(asked.icon, MessageIcon::Critical);
    QCOMPARE(asked.defaultButton, Answer::No);
    QVERIFY(!program.quitCalled);
    QVERIFY(program.menu()->isVisible());

    program.dialogs.answers = {Answer::Yes};
    QTest::mouseClick(child<ClickableLabel>(program.menu(), "Bild3"), Qt::LeftButton);
    QVERIFY(program.quitCalled);

    // Closing the menu's frame ends the program, even with a trainer hidden behind it.
    Program other;
    OneRowWindow *form = other.openOneRow();
    form->close();
    other.menu()->close();
    QVERIFY(other.quitCalled);
}

void OneRowWindowTest::menuOpensTrainerAndEndKeepsPoints_data()
{
    QTest::addColumn<bool>("byCloseBox");
    QTest::newRow("Ende") << false;
    QTest::newRow("close box") << true;
}

void OneRowWindowTest::menuOpensTrainerAndEndKeepsPoints()
{
    QFETCH(bool, byCloseBox);
    Program program;
    OneRowWindow *form = program.openOneRow();
    QVERIFY(form->isVisible());
    QVERIFY(!program.menu()->isVisible());
    QCOMPARE(form->objectName(), QString("Form1"));
    QCOMPARE(text(form, "Bezeichnung21"), QString("E"));

    form->dropOnField("Bezeichnung17", expectedDigit(form, "Bezeichnung17").at(0));
    QCOMPARE(text(form, "Bezeichnung16"), QString("1"));

    if (byCloseBox)
        form->close();
    else
        QTest::mouseClick(child<QPushButton>(form, "Befehl1"), Qt::LeftButton);
    QVERIFY(!form->isVisible());
    QVERIFY(program.menu()->isVisible());

    QCOMPARE(program.openOneRow(), form); // the same window, its points kept
    QCOMPARE(text(form, "Bezeichnung16"), QString("1"));
    QCOMPARE(text(form, "Bezeichnung22"), QString("1"));
}

void OneRowWindowTest::rightDropIsKeptAndScores()
{
    Program program;
    // 4321 * 7 = 30247
    for (auto [value, n, k] : {std::tuple{4, 9, 1}, {3, 10, 0}, {2, 10, 0}, {1, 9, 1}, {7, 8, 2}})
        program.random.pushInt(value, n, k);
    OneRowWindow *form = program.openOneRow();
    QCOMPARE(text(form, "Bezeichnung1") + text(form, "Bezeichnung2") + text(form, "Bezeichnung3")
                 + text(form, "Bezeichnung4") + text(form, "Bezeichnung5"),
             QString("43217"));

    dropKey(child(form, "Bezeichnung17"), '7');
    QCOMPARE(text(form, "Bezeichnung17"), QString("7"));
    dropKey(child(form, "Bezeichnung17"), '7'); // the same right digit again scores again
    dropKey(child(form, "Bezeichnung9"), '0');
    QCOMPARE(text(form, "Bezeichnung9"), QString("0"));
    QCOMPARE(text(form, "Bezeichnung16"), QString("3"));
    QCOMPARE(text(form, "Bezeichnung22"), QString("3"));
    QCOMPARE(text(form, "Bezeichnung15"), QString("0"));
    QVERIFY(program.dialogs.calls.isEmpty());
}

void OneRowWindowTest::wrongDropIsRefusedAndCounted()
{
    Program program;
    for (auto [value, n, k] : {std::tuple{4, 9, 1}, {3, 10, 0}, {2, 10, 0}, {1, 9, 1}, {7, 8, 2}})
        program.random.pushInt(value, n, k);
    OneRowWindow *form = program.openOneRow();
    dropKey(child(form, "Bezeichnung17"), '7');
    // While the box is open the wrong digit stands in its field, the count not yet raised.
    QString shownDuringBox;
    QString errorsDuringBox;
    program.dialogs.whileOpen = [&](const FakeDialogs::Call &) {
        shownDuringBox = text(form, "Bezeichnung17");
        errorsDuringBox = text(form, "Bezeichnung15");
    };
    dropKey(child(form, "Bezeichnung17"), '4'); // wrong on a right one: cleared too
    QCOMPARE(shownDuringBox, QString("4"));
    QCOMPARE(errorsDuringBox, QString("0"));

    QCOMPARE(program.dialogs.calls.size(), 1);
    QCOMPARE(program.dialogs.last().title, QString("Fehler"));
    QCOMPARE(program.dialogs.last().text, wrongText);
    QCOMPARE(program.dialogs.last().icon, MessageIcon::None);
    QCOMPARE(text(form, "Bezeichnung17"), QString());
    QCOMPARE(text(form, "Bezeichnung15"), QString("1"));
    QCOMPARE(text(form, "Bezeichnung23"), QString("1"));
    QCOMPARE(text(form, "Bezeichnung16"), QString("1"));
}

void OneRowWindowTest::foreignDropIsCheckedAsTheFieldStands_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("payload");
    QTest::newRow("text") << "text/plain" << QByteArray("7");
    QTest::newRow("file") << "text/uri-list" << QByteArray("file:///etc/passwd\r\n");
    QTest::newRow("megabyte of digits") << "text/plain" << QByteArray(1 << 20, '7');
    QTest::newRow("digit format, two digits") << QString(digitMimeType) << QByteArray("77");
    QTest::newRow("digit format, letter") << QString(digitMimeType) << QByteArray("x");
    QTest::newRow("empty") << QString() << QByteArray();
}

void OneRowWindowTest::foreignDropIsCheckedAsTheFieldStands()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, payload);
    Program program;
    for (auto [value, n, k] : {std::tuple{4, 9, 1}, {3, 10, 0}, {2, 10, 0}, {1, 9, 1}, {7, 8, 2}})
        program.random.pushInt(value, n, k);
    OneRowWindow *form = program.openOneRow();
    QMimeData data;
    if (!format.isEmpty())
        data.setData(format, payload);

    deliverDrop(child(form, "Bezeichnung13"), &data); // empty field: counts as wrong
    QCOMPARE(text(form, "Bezeichnung13"), QString());
    QCOMPARE(program.dialogs.last().title, QString("Fehler"));
    QCOMPARE(text(form, "Bezeichnung15"), QString("1"));

    dropKey(child(form, "Bezeichnung13"), '4');
    deliverDrop(child(form, "Bezeichnung13"), &data); // holds the right digit: checked right
    QCOMPARE(text(form, "Bezeichnung13"), QString("4"));
    QCOMPARE(text(form, "Bezeichnung16"), QString("2"));
    QCOMPARE(text(form, "Bezeichnung15"), QString("1"));
}

void OneRowWindowTest::fiftiethPointOffersZahlfange()
{
    Program program;
    OneRowWindow *form = program.openOneRow();
    QLabel *notice = child(form, "Bezeichnung26");
    QCOMPARE(notice->text(), QString("Du hast eine Belohnung, klicke hier . . ."));
    const QChar digit = expectedDigit(form, "Bezeichnung17").at(0);
    for (int i = 1; i <= 49; ++i)
        form->dropOnField("Bezeichnung17", digit);
    QVERIFY(!notice->isVisible());
    form->dropOnField("Bezeichnung17", digit);
    QCOMPARE(text(form, "Bezeichnung16"), QString("50"));
    QVERIFY(notice->isVisible());
    form->dropOnField("Bezeichnung17", digit);
    QVERIFY(notice->isVisible()); // stays until clicked

    QTest::mouseClick(notice, Qt::LeftButton);
    QVERIFY(!notice->isVisible());
    auto *catching = qobject_cast<CatchingWindow *>(program.app.registry().window(WindowId::Catching));
    QVERIFY(catching->isVisible());
    QCOMPARE(catching->game().digitsLeft(), QString("0123456789"));
    QCOMPARE(catching->game().digitCell(10), QPoint(13, 13));
    QCOMPARE(text(form, "Bezeichnung16"), QString("51"));
}

void OneRowWindowTest::eighteenthSolvedProblemOffersMemory()
{
    Program program;
    OneRowWindow *form = program.openOneRow();
    QLabel *notice = child(form, "Bezeichnung14");
    QWidget *marker = child<QWidget>(form, "Bild1");
    QCOMPARE(markerSteps(form), 0); // at the bottom of its track
    for (int solved = 1; solved <= 17; ++solved)
        solveProblem(form);
    QCOMPARE(program.dialogs.count("Malaufgabe"), 17);
    QCOMPARE(program.dialogs.last().text, QString("Die Aufgabe wurde richtig gelöst.\r\r"));
    QCOMPARE(markerSteps(form), 17);
    QVERIFY(!notice->isVisible());
    solveProblem(form);
    QCOMPARE(markerSteps(form), Score::problemsPerMemory); // at the top of its track
    QCOMPARE(marker->y(), child<QWidget>(form, "progressTrack")->y());
    QVERIFY(notice->isVisible());

    QTest::mouseClick(notice, Qt::LeftButton);
    QVERIFY(!notice->isVisible());
    QCOMPARE(markerSteps(form), 0);
    QCOMPARE(form->score().solvedSinceMemory(), 0);
}

void OneRowWindowTest::activationByToolkitKeepsProblem()
{
    Program program;
    OneRowWindow *form = program.openOneRow();
    form->dropOnField("Bezeichnung17", expectedDigit(form, "Bezeichnung17").at(0));
    const QString problem = text(form, "Bezeichnung1") + text(form, "Bezeichnung2")
                            + text(form, "Bezeichnung3") + text(form, "Bezeichnung4")
                            + text(form, "Bezeichnung5");
    // A message box closing or the pupil coming back from another program activates the
    // window again; the half-done problem stays.
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(form, &activate);
    QFocusEvent focus(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(form, &focus);
    QCOMPARE(text(form, "Bezeichnung1") + text(form, "Bezeichnung2") + text(form, "Bezeichnung3")
                 + text(form, "Bezeichnung4") + text(form, "Bezeichnung5"),
             problem);
    QVERIFY(!text(form, "Bezeichnung17").isEmpty());
}

void OneRowWindowTest::modesAndGapProblems()
{
    Program program;
    OneRowWindow *form = program.openOneRow();
    QWidget *panel = child<QWidget>(form, "Bild6");
    QCOMPARE(panel->y(), 6000 / 15);

    QTest::mouseClick(child<QPushButton>(form, "Befehl20"), Qt::LeftButton); // mal Z
    QCOMPARE(form->windowTitle(), QString("Einstellige Multiplikation mit Zehnerzahl"));
    QVERIFY(child(form, "Bezeichnung6")->isVisible());
    QVERIFY(child(form, "Bezeichnung18")->isVisible());
    QVERIFY(!child(form, "Bezeichnung19")->isVisible());
    QVERIFY(text(form, "Bezeichnung17").isEmpty());

    QTest::mouseClick(child<QPushButton>(form, "Befehl12"), Qt::LeftButton); // Lücke
    QCOMPARE(text(form, "Bezeichnung21"), QString("LZ"));
    QCOMPARE(panel->y(), 840 / 15);
    QVERIFY(child(form, "luecke6")->isVisible());
    QVERIFY(child(form, "luecke12")->isVisible());
    QVERIFY(!child(form, "luecke10")->isVisible());

    const int points = form->score().points();
    solveProblem(form);
    QCOMPARE(program.dialogs.last().title, QString("Lückenaufgabe"));
    QCOMPARE(program.dialogs.last().text, QString("\rDie Aufgabe wurde richtig gelöst.\r"));
    QCOMPARE(form->score().points(), points + 3);
    QCOMPARE(markerSteps(form), 1);
    QCOMPARE(text(form, "Bezeichnung21"), QString("LZ")); // the next problem is a gap problem

    QTest::mouseClick(child<QPushButton>(form, "Befehl13"), Qt::LeftButton); // mal H
    QCOMPARE(panel->y(), 6000 / 15);
    QCOMPARE(text(form, "Bezeichnung21"), QString("H"));
    QVERIFY(child(form, "Bezeichnung19")->isVisible());

    // "Ende" leaves gap mode: the next visit starts with single problems.
    QTest::mouseClick(child<QPushButton>(form, "Befehl12"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(form, "Befehl1"), Qt::LeftButton);
    program.openOneRow();
    QCOMPARE(text(form, "Bezeichnung21"), QString("H"));
    QCOMPARE(panel->y(), 6000 / 15);
}

void OneRowWindowTest::gapProblemShowsItsCarries_data()
{
    QTest::addColumn<QString>("modeButton");
    QTest::addColumn<int>("multiplicand");
    QTest::addColumn<int>("m");
    QTest::newRow("mal E, 1502 * 5: the tens carry nothing") << "Befehl21" << 1502 << 5;
    QTest::newRow("mal Z, 4321 * 7") << "Befehl20" << 4321 << 7;
    QTest::newRow("mal H, 1999 * 9: the largest carries") << "Befehl13" << 1999 << 9;
    QTest::newRow("mal E, 1001 * 2: nothing carried") << "Befehl21" << 1001 << 2;
}

// A gap problem is the whole written multiplication with a few digits left out: its
// carries stand where the single problem has its carry boxes, with the digits the single
// problem expects there.
void OneRowWindowTest::gapProblemShowsItsCarries()
{
    QFETCH(QString, modeButton);
    QFETCH(int, multiplicand);
    QFETCH(int, m);

    Program program;
    OneRowWindow *form = program.openOneRow();
    QTest::mouseClick(child<QPushButton>(form, qPrintable(modeButton)), Qt::LeftButton);

    const WrittenMultiplication problem = oneRowProblem(multiplicand, m, OneRowMode::E);
    int pattern = 1;
    while (gapSolutionCount(problem, oneRowGapBlanks(problem, pattern)) != 1)
        QVERIFY(++pattern <= 4);
    for (auto [value, n, k] : {std::tuple{multiplicand / 1000, 9, 1}, {multiplicand / 100 % 10, 10, 0},
                               {multiplicand / 10 % 10, 10, 0}, {multiplicand % 10, 9, 1}, {m, 8, 2},
                               {pattern, 4, 1}})
        program.random.pushInt(value, n, k);
    QTest::mouseClick(child<QPushButton>(form, "Befehl12"), Qt::LeftButton); // Lücke
    QCOMPARE(program.random.remaining(), 0);
    QCOMPARE(form->exercise().written().multiplicand(), multiplicand);

    // The carries of the full product, as the single problem has them written.
    Exercise single = oneRowSingle(problem);
    const CellTable singleCells = oneRowCells(OneRowMode::E);
    const struct {
        const char *gap;
        const char *single;
    } carries[] = {{"luecke7", "Bezeichnung9"}, {"luecke8", "Bezeichnung8"}, {"luecke9", "Bezeichnung7"}};
    const QWidget *singleLayout = child<QWidget>(form, "singleLayout");
    const QWidget *panel = child<QWidget>(form, "Bild6");
    for (const auto &carry : carries) {
        const Cell cell = *cellNamed(singleCells, QLatin1String(carry.single));
        const int digit = single.expectedDigit(cell);
        QCOMPARE(single.drop(cell, digit), Exercise::Verdict::Right);
        const QString expected = QString::number(digit);

        QLabel *shown = child(form, carry.gap);
        QVERIFY2(shown->isVisible(), carry.gap);
        QCOMPARE(shown->text(), expected);
        // In the place of the single problem's carry box, in its small type.
        QLabel *box = child(form, carry.single);
        QVERIFY(!shown->accessibleDescription().isEmpty());
        QCOMPARE(shown->accessibleDescription(), box->accessibleDescription());
        QCOMPARE(QRect(shown->mapTo(panel, QPoint()), shown->size()),
                 QRect(box->mapTo(singleLayout, QPoint()), box->size()));
        QCOMPARE(shown->font().pixelSize(), box->font().pixelSize());

        // Shown, not filled: a digit on it is no answer and changes nothing.
        QVERIFY(!shown->acceptDrops());
        QVERIFY(!form->focusOrder().contains(carry.gap));
        QCOMPARE(form->dropOnField(carry.gap, expected.at(0)), TrainerWindow::DropResult::Refused);
        QCOMPARE(shown->text(), expected);
    }
    QCOMPARE(form->score().points(), 0);
    QCOMPARE(form->score().errors(), 0);
    QVERIFY(program.dialogs.calls.isEmpty());
}

void OneRowWindowTest::helpMessage()
{
    Program program;
    OneRowWindow *form = program.openOneRow();
    QTest::mouseClick(child<QPushButton>(form, "Befehl15"), Qt::LeftButton);
    QCOMPARE(program.dialogs.last().title, QString("Hilfe"));
    QCOMPARE(program.dialogs.last().text,
             QString("Schiebe die Ziffern vom unteren Fensterrand\r"
                     "mit der Maus in das gewünschte Lösungsfeld.\r"
                     "Für jede richtige Zahl gibt es einen Punkt und\r"
                     "alle 50 Punkte gibt es ein Belohnungsspiel.\r"));
    // "Neue Aufgabe" deals another problem and clears the boxes.
    form->dropOnField("Bezeichnung17", expectedDigit(form, "Bezeichnung17").at(0));
    QTest::mouseClick(child<QPushButton>(form, "Befehl22"), Qt::LeftButton);
    QVERIFY(text(form, "Bezeichnung17").isEmpty());
}

QTEST_MAIN(OneRowWindowTest)
#include "tst_one_row_window.moc"
