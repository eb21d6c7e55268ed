#include "fake_clipboard.h"
#include "fake_dialogs.h"
#include "fake_printer.h"
#include "games/memory/memory_window.h"
#include "pupil_actions.h"
#include "scripted_random.h"
#include "shell/application.h"
#include "shell/info_window.h"
#include "shell/report_window.h"
#include "test_program.h"
#include "trainers/common/trainer_window.h"
#include "training/report.h"
#include "widgets/clickable_label.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

Q_DECLARE_METATYPE(Answer)

namespace {

struct Program : TestProgram
{
    QWidget *info() { return app.registry().window(WindowId::Info); }
    QCheckBox *box(const char *name) { return info()->findChild<QCheckBox *>(QLatin1String(name)); }
    QCheckBox *lock() { return box("Kontroll1"); }
    Training &training() { return app.services().training; }
    TrainerWindow *trainer(WindowId id) { return qobject_cast<TrainerWindow *>(app.registry().built(id)); }
};

// A reward notice of a trainer, shown or not (whether the trainer is on screen or not).
bool noticeShown(QWidget *trainer, const char *description)
{
    for (QLabel *label : trainer->findChildren<QLabel *>()) {
        if (label->accessibleDescription() == QLatin1String(description))
            return !label->isHidden();
    }
    return false;
}

// What the windows show of a child's run, trainer by trainer, the Memory board and the report.
QStringList shownRun(Program &program)
{
    QStringList shown;
    for (WindowId id : {WindowId::OneRow, WindowId::TwoRow}) {
        TrainerWindow *form = program.trainer(id);
        for (const char *name : {"Bezeichnung16", "Bezeichnung22", "Bezeichnung15", "Bezeichnung23"})
            shown << form->findChild<QLabel *>(QLatin1String(name))->text();
        shown << QString::number(markerSteps(form))
              << QString::number(noticeShown(form, "Belohnung: Memory"))
              << QString::number(noticeShown(form, "Belohnung: Zahlfange"));
        for (const QString &field : form->fieldNames())
            shown << field + QLatin1Char('=') + form->findChild<QLabel *>(field)->text();
    }
    const auto *memory = qobject_cast<MemoryWindow *>(program.app.registry().built(WindowId::Memory));
    shown << memory->game().board() << memory->game().openState();
    for (int k = 1; k <= MemoryGame::fieldCount; ++k)
        shown << memory->findChild<QLabel *>(QStringLiteral("Bezeichnung%1").arg(k))->text();
    shown << reportLines(program.training().statistics);
    shown << program.info()->findChild<ReportWindow *>()->text();
    return shown;
}

void clickLabel(QWidget *window, const char *name)
{
    auto *label = window->findChild<ClickableLabel *>(QLatin1String(name));
    QVERIFY2(label, name);
    QTest::mouseClick(label, Qt::LeftButton);
}

} // namespace

class TestInfoWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensFromTheMenu();
    void hidingKeepsTheLock_data();
    void hidingKeepsTheLock();
    void closingByTheFrameBringsTheLockBack();
    void fitSwitchLivesForTheRun();
    void newChild_data();
    void newChild();
};

void TestInfoWindow::opensFromTheMenu()
{
    Program program;
    program.app.start();
    QWidget *menu = program.app.registry().window(WindowId::Menu);
    QVERIFY(menu->findChild<QWidget *>(QStringLiteral("Bild4"))->isVisibleTo(menu));
    clickLabel(menu, "Bild4");

    QWidget *info = program.info();
    QVERIFY(info->isVisible());
    QVERIFY(menu->isVisible());
    QCOMPARE(info->objectName(), QStringLiteral("ZEPLABEL"));
    QCOMPARE(info->windowTitle(), QStringLiteral("Programm-Info"));
    QCOMPARE(program.lock()->text(), QStringLiteral("  Druckmodus deaktivieren"));
    QVERIFY(program.lock()->isChecked());
    const auto text = [info](const char *name) {
        return info->findChild<QLabel *>(QLatin1String(name))->text();
    };
    QCOMPARE(text("Bezeichnung1"), QStringLiteral("O k a y"));
    bool titled = false;
    for (const QLabel *label : info->findChildren<QLabel *>())
        titled = titled || label->text() == QStringLiteral("M u l t i p l i k a t i o n");
    QVERIFY(titled);
    QVERIFY(text("Bezeichnung6").contains(QStringLiteral("Freeware")));
    QCOMPARE(text("Bezeichnung6").count(QLatin1Char('\n')), 1);
    QVERIFY(text("Bezeichnung7").contains(QStringLiteral("Malrechnen")));
    QVERIFY(text("Bezeichnung7").contains(QStringLiteral(MALRECHNEN_VERSION)));
    QVERIFY(!text("Bezeichnung7").contains(QLatin1Char('@')));

    // Centred across, a quarter of the free height above it.
    const QRect screen = info->screen()->availableGeometry();
    const QRect frame = info->frameGeometry();
    QCOMPARE(frame.left(), screen.left() + (screen.width() - frame.width()) / 2);
    QCOMPARE(frame.top(), screen.top() + (screen.height() - frame.height()) / 4);

    // The picture opens the same single window again.
    info->hide();
    clickLabel(menu, "Bild4");
    QCOMPARE(program.info(), info);
    QVERIFY(info->isVisible());
}

void TestInfoWindow::hidingKeepsTheLock_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("O k a y") << QStringLiteral("Bezeichnung1");
    QTest::newRow("picture") << QStringLiteral("Bild1");
    QTest::newRow("Escape") << QStringLiteral("Escape");
}

void TestInfoWindow::hidingKeepsTheLock()
{
    QFETCH(QString, how);
    Program program;
    program.app.start();
    program.app.registry().showInfo();
    QWidget *info = program.info();
    program.lock()->click();
    QVERIFY(!program.app.services().training.printLocked);

    if (how == QStringLiteral("Escape"))
        QTest::keyClick(program.lock(), Qt::Key_Escape);
    else
        clickLabel(info, qPrintable(how));
    QVERIFY(info->isHidden());

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    program.app.registry().showInfo();
    QCOMPARE(program.info(), info);
    QVERIFY(!program.lock()->isChecked());
    QVERIFY(!program.app.services().training.printLocked);
    program.lock()->click();
    QVERIFY(program.app.services().training.printLocked);
}

void TestInfoWindow::closingByTheFrameBringsTheLockBack()
{
    Program program;
    program.app.start();
    program.app.registry().showInfo();
    QPointer<QWidget> first = program.info();
    program.lock()->setChecked(false);

    QVERIFY(first->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(program.app.services().training.printLocked);

    QWidget *second = program.info();
    QVERIFY(second);
    QVERIFY(second->isHidden());
    QVERIFY(program.lock()->isChecked());
}

// "Aufgaben passend zum Kind auswählen": off at start; like the hints switch a value of the
// run, kept by a window closed by its frame.
void TestInfoWindow::fitSwitchLivesForTheRun()
{
    Program program;
    program.app.registry().showInfo();
    QCheckBox *fit = program.box("Passend");
    QCOMPARE(fit->text(), QStringLiteral("  Aufgaben passend zum Kind auswählen"));
    QVERIFY(!fit->isChecked());
    QVERIFY(!program.training().fitToChild);
    fit->click();
    QVERIFY(program.training().fitToChild);

    program.info()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(program.box("Passend")->isChecked());
    program.box("Passend")->click();
    QVERIFY(!program.training().fitToChild);
}

void TestInfoWindow::newChild_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("Ja") << Answer::Yes;
    QTest::newRow("Nein") << Answer::No;
}

// "Neues Kind" asks first ("Nein" the default). "Ja" starts the run afresh at the menu:
// points, errors, progress marker and reward notices of every trainer, the Memory game in
// progress, the report with the skills and the patterns; a trainer shown next deals the new
// child a problem that counts for it. The switches and the print lock stay. "Nein" keeps
// everything.
void TestInfoWindow::newChild()
{
    QFETCH(Answer, answer);
    Program program;
    // A child's afternoon: an error and 18 problems in the one-row trainer (both rewards
    // offered), a Memory game begun, a problem of the two-row trainer half done on screen.
    TrainerWindow *oneRow = program.open<TrainerWindow>(WindowId::OneRow);
    const QString first = oneRow->focusOrder().value(0);
    oneRow->dropOnField(first, QChar(u'0' + (expectedDigit(oneRow, first).toInt() + 1) % 10));
    for (int i = 0; i < 18; ++i)
        solveProblem(oneRow);
    QVERIFY(noticeShown(oneRow, "Belohnung: Memory"));
    QVERIFY(noticeShown(oneRow, "Belohnung: Zahlfange"));
    program.app.registry().openReward(WindowId::Memory, WindowId::OneRow);
    auto *memory = qobject_cast<MemoryWindow *>(program.app.registry().window(WindowId::Memory));
    memory->clickField(1);
    QVERIFY(memory->game().isDealt());
    TrainerWindow *twoRow = program.open<TrainerWindow>(WindowId::TwoRow);
    const QString field = twoRow->focusOrder().value(0);
    twoRow->dropOnField(field, expectedDigit(twoRow, field).at(0));

    program.app.registry().showInfo();
    program.lock()->click();
    program.box("Tipps")->click();
    program.box("Passend")->click();
    qobject_cast<InfoWindow *>(program.info())->showReport();
    const QStringList before = shownRun(program);

    program.dialogs.clear();
    program.dialogs.answers = {answer};
    program.info()->findChild<QPushButton *>(QStringLiteral("NeuesKind"))->click();
    QCOMPARE(program.dialogs.calls.size(), 1);
    const FakeDialogs::Call question = program.dialogs.last();
    QCOMPARE(question.kind, FakeDialogs::Kind::Question);
    QCOMPARE(question.title, QStringLiteral("Neues Kind"));
    QVERIFY(question.text.startsWith(QStringLiteral("Für das nächste Kind neu beginnen?\r")));
    QCOMPARE(question.icon, MessageIcon::Question);
    QCOMPARE(question.defaultButton, Answer::No);

    // The switches and the lock stay either way.
    QVERIFY(!program.training().printLocked && !program.lock()->isChecked());
    QVERIFY(!program.training().hintsShown && !program.box("Tipps")->isChecked());
    QVERIFY(program.training().fitToChild && program.box("Passend")->isChecked());

    const QStringList after = shownRun(program);
    if (answer == Answer::No) {
        QCOMPARE(after, before);
        QCOMPARE(program.app.registry().current(), WindowId::TwoRow);
        QVERIFY(twoRow->isVisible());
        return;
    }

    QCOMPARE(program.app.registry().current(), WindowId::Menu);
    QVERIFY(!twoRow->isVisible());
    for (TrainerWindow *form : {oneRow, twoRow}) {
        for (const char *name : {"Bezeichnung16", "Bezeichnung22", "Bezeichnung15", "Bezeichnung23"})
            QCOMPARE(form->findChild<QLabel *>(QLatin1String(name))->text(), QStringLiteral("0"));
        QCOMPARE(markerSteps(form), 0);
        QVERIFY(!noticeShown(form, "Belohnung: Memory"));
        QVERIFY(!noticeShown(form, "Belohnung: Zahlfange"));
    }
    QVERIFY(!memory->game().isDealt());
    for (int k = 1; k <= MemoryGame::fieldCount; ++k)
        QVERIFY(memory->findChild<QLabel *>(QStringLiteral("Bezeichnung%1").arg(k))->text().isEmpty());
    // Nothing of the child before; the heading says since when the report counts.
    const QStringList fresh = reportLines(SessionStatistics());
    const QStringList now = reportLines(program.training().statistics);
    QVERIFY2(now.first().startsWith(QStringLiteral("Auswertung: Malrechnen seit „Neues Kind“ um ")),
             qPrintable(now.first()));
    QCOMPARE(now.mid(1), fresh.mid(1));
    for (int i = 0; i < skillCount; ++i)
        QCOMPARE(program.training().statistics.skills().observations(Skill::fromIndex(i)), 0);
    // The report on screen is written anew.
    const auto *report = program.info()->findChild<ReportWindow *>();
    QVERIFY(report->isVisible());
    QCOMPARE(report->text(), now.join(QLatin1Char('\n')));
    for (SkillState state : report->pictures().facts)
        QCOMPARE(state, SkillState::NotSeen);

    // The trainer shown next deals a fresh problem, and its digits count for the new child.
    program.open<TrainerWindow>(WindowId::TwoRow);
    for (const QString &name : twoRow->focusOrder())
        QVERIFY(twoRow->findChild<QLabel *>(name)->text().isEmpty());
    const QString next = twoRow->focusOrder().value(0);
    twoRow->dropOnField(next, QChar(u'0' + (expectedDigit(twoRow, next).toInt() + 1) % 10));
    const SessionStatistics::Trainer &counted = program.training().statistics.trainer(TrainerKind::TwoRow);
    QCOMPARE(counted.errors, 1);
    QCOMPARE(counted.worst.value(0).problem, twoRow->exercise().problemText());
    QCOMPARE(twoRow->findChild<QLabel *>(QStringLiteral("Bezeichnung15"))->text(), QStringLiteral("1"));
}

QTEST_MAIN(TestInfoWindow)
#include "tst_info_window.moc"
