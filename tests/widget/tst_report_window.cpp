#include "pupil_actions.h"
#include "test_program.h"
#include "trainers/common/trainer_window.h"
#include "training/report.h"
#include "training/session_statistics.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

struct Program : TestProgram
{
    QWidget *info()
    {
        app.registry().showInfo();
        return app.registry().window(WindowId::Info);
    }
    QWidget *report()
    {
        info()->findChild<QPushButton *>(QStringLiteral("Auswertungsknopf"))->click();
        return info()->findChild<QWidget *>(QStringLiteral("Auswertung"));
    }
    Training &training() { return app.services().training; }
    // A wrong digit on the first field of the one-row trainer, then the menu again.
    void wrongDigitInOneRow()
    {
        auto *form = open<TrainerWindow>(WindowId::OneRow);
        const QString field = form->focusOrder().value(0);
        const int right = expectedDigit(form, field).toInt();
        form->dropOnField(field, QChar(u'0' + (right + 1) % 10));
        form->EndTraining();
    }
};

void click(QWidget *window, const char *button)
{
    window->findChild<QPushButton *>(QLatin1String(button))->click();
}

} // namespace

class TestReportWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hintSwitchLivesForTheRun();
    void reportShowsTheRun();
    void copiesPlainText();
    void printsLikeAWorksheet_data();
    void printsLikeAWorksheet();
};

// The switch shows the run's value, on at start; off, the trainers show no hint; a window
// closed by its frame comes back with the value as it stands.
void TestReportWindow::hintSwitchLivesForTheRun()
{
    Program program;
    auto *box = program.info()->findChild<QCheckBox *>(QStringLiteral("Tipps"));
    QCOMPARE(box->text(), QStringLiteral("  Tipps nach Fehlern zeigen"));
    QVERIFY(box->isChecked());
    QVERIFY(program.training().hintsShown);
    box->click();
    QVERIFY(!program.training().hintsShown);
    program.info()->close();
    QVERIFY(!program.info()->findChild<QCheckBox *>(QStringLiteral("Tipps"))->isChecked());

    auto *form = program.open<TrainerWindow>(WindowId::OneRow);
    const QString field = form->focusOrder().value(0);
    form->dropOnField(field, QChar(u'0' + (expectedDigit(form, field).toInt() + 1) % 10));
    QVERIFY(!form->findChild<QLabel *>(QStringLiteral("Tipp"))->isVisible());
    QCOMPARE(program.training().statistics.trainer(TrainerKind::OneRow).errors, 1);
}

void TestReportWindow::reportShowsTheRun()
{
    Program program;
    QWidget *report = program.report();
    QVERIFY(report->isVisible());
    QCOMPARE(report->windowTitle(), QStringLiteral("Auswertung"));
    auto *text = report->findChild<QPlainTextEdit *>();
    QVERIFY(text->toPlainText().contains(QStringLiteral("Einreihige Multiplikation\n  nicht geübt")));

    // Shown again, it is written as the run stands now.
    report->hide();
    program.wrongDigitInOneRow();
    report = program.report();
    QCOMPARE(text->toPlainText(),
             reportLines(program.training().statistics).join(QLatin1Char('\n')));
    QVERIFY(text->toPlainText().contains(QStringLiteral("  Fehler: 1\n")));
}

void TestReportWindow::copiesPlainText()
{
    Program program;
    program.wrongDigitInOneRow();
    QWidget *report = program.report();
    click(report, "Kopieren");
    QCOMPARE(program.clipboard.texts,
             QStringList(reportLines(program.training().statistics).join(QLatin1Char('\n')) + "\n"));
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Zwischenablage"));
    QCOMPARE(program.dialogs.last().text, QStringLiteral("Die Auswertung wurde in die Ablage kopiert.\r\r"));

    program.clipboard.refuse = true;
    click(report, "Kopieren");
    QCOMPARE(program.clipboard.texts.size(), 1);
    QCOMPARE(program.dialogs.last().icon, MessageIcon::Warning);
    QVERIFY(program.dialogs.last().text.contains(QStringLiteral("Es wurde nichts kopiert.")));
}

void TestReportWindow::printsLikeAWorksheet_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("password"); // typed when locked
    QTest::addColumn<QString>("failure");  // of the printer
    QTest::addColumn<QString>("message");  // the last message, nothing for none
    QTest::addColumn<int>("jobs");
    QTest::newRow("unlocked, printed") << false << QString() << QString()
                                       << "Die Auswertung wird gedruckt ...\r\r" << 1;
    QTest::newRow("unlocked, printer fails")
        << false << QString() << "Der Drucker ist ausgeschaltet."
        << "Der Drucker ist ausgeschaltet.\rDie Auswertung wurde nicht gedruckt.\r\r" << 1;
    QTest::newRow("locked, right password, printer fails")
        << true << "1" << "Kein Drucker."
        << "Kein Drucker.\rDie Auswertung wurde nicht gedruckt.\r\r" << 1;
    QTest::newRow("locked, wrong password") << true << "7" << QString() << QString() << 0;
}

// The print lock, the question and the closing messages of the worksheets; a failing
// printer is reported and never announced as printing. The password of a locked print is
// the number of right digits of the run.
void TestReportWindow::printsLikeAWorksheet()
{
    QFETCH(bool, locked);
    QFETCH(QString, password);
    QFETCH(QString, failure);
    QFETCH(QString, message);
    QFETCH(int, jobs);
    Program program;
    auto *form = program.open<TrainerWindow>(WindowId::OneRow);
    const QString field = form->focusOrder().value(0);
    form->dropOnField(field, expectedDigit(form, field).at(0));
    form->EndTraining();
    if (!locked)
        program.info()->findChild<QCheckBox *>(QStringLiteral("Kontroll1"))->setChecked(false);
    QWidget *report = program.report();
    program.printer.failure = failure;
    program.dialogs.entries = {password};
    program.dialogs.answers = {Answer::Yes};
    program.dialogs.clear();
    click(report, "Drucken");
    QCOMPARE(program.printer.jobs.size(), jobs);
    if (jobs) {
        QCOMPARE(program.printer.jobs.first().lines(), reportLines(program.training().statistics));
        QCOMPARE(program.dialogs.count(QStringLiteral("Auswertung")), 1); // the question
    }
    QCOMPARE(message.isEmpty() ? QString() : program.dialogs.last().text, message);
    for (const FakeDialogs::Call &call : program.dialogs.calls) {
        if (!failure.isEmpty())
            QVERIFY(!call.text.contains(QStringLiteral("wird gedruckt")));
    }
}

QTEST_MAIN(TestReportWindow)
#include "tst_report_window.moc"
