#include "fake_clipboard.h"
#include "fake_dialogs.h"
#include "fake_printer.h"
#include "platform/fixed_pitch_font.h"
#include "platform/printer_on_demand.h"
#include "pupil_actions.h"
#include "scripted_random.h"
#include "shell/application.h"
#include "test_program.h"
#include "trainers/common/trainer_window.h"
#include "widgets/clickable_label.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(SheetPass)
Q_DECLARE_METATYPE(WindowId)

namespace {

// The program with scripted seams and the one-row trainer on screen.
struct Program : TestProgram
{
    explicit Program(Printer *realPrinter = nullptr, WindowId id = WindowId::OneRow)
        : TestProgram(realPrinter)
        , trainer(open<TrainerWindow>(id))
    {
    }

    void click(const char *button)
    {
        auto *b = trainer->findChild<QPushButton *>(QLatin1String(button));
        QVERIFY2(b && b->isVisible(), button);
        b->click();
    }
    QCheckBox *lock()
    {
        return app.registry().window(WindowId::Info)->findChild<QCheckBox *>(QStringLiteral("Kontroll1"));
    }
    QListWidget *list() { return trainer->findChild<QListWidget *>(QStringLiteral("Liste5")); }
    QWidget *panel() { return trainer->findChild<QWidget *>(QStringLiteral("Bild3")); }
    QLineEdit *codeField() { return trainer->findChild<QLineEdit *>(QStringLiteral("Blattcode")); }
    QStringList listed()
    {
        QStringList lines;
        for (int i = 0; i < list()->count(); ++i)
            lines.append(list()->item(i)->text());
        return lines;
    }
    int messagesContaining(const QString &part) const
    {
        int n = 0;
        for (const FakeDialogs::Call &call : dialogs.calls)
            n += call.text.contains(part) ? 1 : 0;
        return n;
    }

    TrainerWindow *trainer = nullptr;
};

bool coveredBySheet(TrainerWindow *trainer, const char *name)
{
    QWidget *widget = trainer->findChild<QWidget *>(QLatin1String(name));
    const QPoint centre = widget->mapTo(trainer, widget->rect().center());
    QWidget *top = trainer->childAt(centre);
    while (top && top->parentWidget() != trainer)
        top = top->parentWidget();
    return top && (top->objectName() == QStringLiteral("Liste5")
                   || top->objectName() == QStringLiteral("Bild3"));
}

} // namespace

class TestWorksheetCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sheetViewOverTheProblem_data();
    void sheetViewOverTheProblem();
    void printLock_data();
    void printLock();
    void printCommands_data();
    void printCommands();
    void lockFollowsTheInfoWindow();
    void printFailureIsReported_data();
    void printFailureIsReported();
    void jobLeftUnansweredIsToldAsUncertain();
    void copyToTheClipboard();
};

void TestWorksheetCommands::sheetViewOverTheProblem_data()
{
    QTest::addColumn<WindowId>("trainer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("seed"); // the draw "Blatt" takes from the program's random source
    QTest::addColumn<int>("lines");
    QTest::addColumn<QStringList>("flush");     // lines 0.. of the first cell
    QTest::addColumn<QStringList>("staircase"); // the same after "Treppe"

    QTest::newRow("one-row") << WindowId::OneRow << "Einreihige Multiplikation" << 4711 << 37
                             << QStringList{"570*4   ", "-----   ", " 2280   "} << QStringList();
    QTest::newRow("two-row") << WindowId::TwoRow << "Zweireihige Multiplikation" << 2026 << 40
                             << QStringList{"", "872*57  ", "------  ", " 43600  ", "  6104  "}
                             << QStringList{"", "872*57  ", "------  ", " 4360   ", "  6104  "};
    QTest::newRow("three-row") << WindowId::ThreeRow << "Dreireihige Multiplikation" << 777 << 36
                               << QStringList{"", "528*745     ", "-------     ", " 369600     "}
                               << QStringList{"", "528*745     ", "-------     ", " 3696       "};
}

// "Blatt" shows the trainer's own sheet over its problem; "Abbruch" takes it away.
void TestWorksheetCommands::sheetViewOverTheProblem()
{
    QFETCH(WindowId, trainer);
    QFETCH(QString, title);
    QFETCH(int, seed);
    QFETCH(int, lines);
    QFETCH(QStringList, flush);
    QFETCH(QStringList, staircase);

    Program program(nullptr, trainer);
    QVERIFY(program.list()->isHidden());
    QVERIFY(program.panel()->isHidden());
    const QStringList captions{"Blatt", "Aufgaben drucken", "Lösungen drucken", "Kopieren", "Abbruch"};
    const char *const names[] = {"Befehl14", "Befehl17", "Befehl18", "Befehl19", "Befehl16"};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(program.trainer->findChild<QPushButton *>(QLatin1String(names[i]))->text(),
                 captions.at(i));

    const auto scriptFirstCell = [&] { program.random.pushInt(seed, int(SheetCode::seedCount)); };
    scriptFirstCell();
    program.click("Befehl14");
    QVERIFY(program.list()->isVisible());
    QVERIFY(program.panel()->isVisible());
    QCOMPARE(program.list()->mapTo(program.trainer, QPoint()).x(), 960 / 15);
    QCOMPARE(program.listed(), program.trainer->worksheet());
    QCOMPARE(program.listed().size(), lines);
    for (int i = 0; i < flush.size(); ++i)
        QCOMPARE(program.listed().at(i).left(flush.at(i).size()), flush.at(i));
    QVERIFY(linesUp(program.list()->font()));
    QCOMPARE(program.random.remaining(), 0);
    const SheetCode code{*trainerOf(trainer), WrittenDisplay::Flush, quint32(seed)};
    QCOMPARE(program.trainer->worksheetCode(), code);
    QCOMPARE(program.codeField()->text(), code.text());

    // Nothing of the problem can be reached while the sheet is shown, in either mode.
    const auto everyFieldCovered = [&] {
        for (const QString &field : program.trainer->fieldNames()) {
            QWidget *widget = program.trainer->findChild<QWidget *>(field);
            if (widget->isVisibleTo(program.trainer) && !coveredBySheet(program.trainer, qPrintable(field)))
                return false;
        }
        return true;
    };
    QVERIFY(everyFieldCovered());
    program.click(trainer == WindowId::OneRow ? "Befehl12" : "Befehl13");
    QVERIFY(everyFieldCovered());
    program.click("Befehl22");
    QVERIFY(everyFieldCovered());

    if (!staircase.isEmpty()) {
        program.click("Befehl12");
        scriptFirstCell();
        program.click("Befehl14");
        for (int i = 0; i < staircase.size(); ++i)
            QCOMPARE(program.listed().at(i).left(staircase.at(i).size()), staircase.at(i));
        QCOMPARE(program.codeField()->text(),
                 (SheetCode{code.kind, WrittenDisplay::Staircase, code.seed}.text()));
    }

    program.click("Befehl16");
    QVERIFY(program.list()->isHidden());
    QVERIFY(program.panel()->isHidden());
    QCOMPARE(program.list()->count(), 0);
    QVERIFY(program.trainer->worksheet().isEmpty());
    QVERIFY(!program.trainer->worksheetCode());
    QVERIFY(program.codeField()->text().isEmpty());
    QVERIFY(!everyFieldCovered());

    // After "Abbruch" a print carries the title alone.
    program.lock()->setChecked(false);
    program.dialogs.clear();
    program.dialogs.answers = {Answer::Yes};
    program.click("Befehl18");
    QCOMPARE(program.dialogs.calls.first().title, title);
    QCOMPARE(program.printer.jobs.size(), 1);
    QCOMPARE(program.printer.jobs.first().lines(),
             (QStringList{"", "    " + title + " (Lösungsblatt)", "", ""}));
}

void TestWorksheetCommands::printLock_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("points");
    QTest::addColumn<QStringList>("entry"); // empty: Cancel
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("printed");

    QTest::newRow("locked, 0 points, \"0\"") << true << 0 << QStringList{"0"} << true << true << true;
    QTest::newRow("locked, \"00\"") << true << 0 << QStringList{"00"} << true << false << false;
    QTest::newRow("locked, \" 0\"") << true << 0 << QStringList{" 0"} << true << false << false;
    QTest::newRow("locked, default text") << true << 0 << QStringList{"Passwort"} << true << false
                                          << false;
    QTest::newRow("locked, Cancel") << true << 0 << QStringList() << true << false << false;
    QTest::newRow("locked, 3 points, \"3\"") << true << 3 << QStringList{"3"} << true << true << true;
    QTest::newRow("locked, 3 points, \"0\"") << true << 3 << QStringList{"0"} << true << false << false;
    QTest::newRow("unlocked") << false << 0 << QStringList() << true << true << true;
    QTest::newRow("unlocked, No") << false << 0 << QStringList() << false << true << false;
}

void TestWorksheetCommands::printLock()
{
    QFETCH(bool, locked);
    QFETCH(int, points);
    QFETCH(QStringList, entry);
    QFETCH(bool, yes);
    QFETCH(bool, asked);
    QFETCH(bool, printed);

    Program program;
    // The right digit on the same field earns a point each time.
    const QString field = program.trainer->focusOrder().value(0);
    for (int i = 0; i < points; ++i)
        program.trainer->dropOnField(field, expectedDigit(program.trainer, field).at(0));
    QCOMPARE(program.trainer->score().points(), points);
    program.click("Befehl14");
    program.lock()->setChecked(locked);
    if (!entry.isEmpty())
        program.dialogs.entries = {entry.first()};
    program.dialogs.answers = {yes ? Answer::Yes : Answer::No};
    program.dialogs.clear();
    program.click("Befehl17");

    QList<FakeDialogs::Call> calls = program.dialogs.calls;
    if (locked) {
        QVERIFY(!calls.isEmpty());
        const FakeDialogs::Call input = calls.takeFirst();
        QCOMPARE(int(input.kind), int(FakeDialogs::Kind::Input));
        QCOMPARE(input.text, QStringLiteral("Kennwort eingeben:"));
        QCOMPARE(input.title, QStringLiteral("Druckersperre aufheben"));
        QCOMPARE(input.defaultText, QStringLiteral("Passwort"));
    }
    QCOMPARE(!calls.isEmpty(), asked);
    if (asked) {
        const FakeDialogs::Call question = calls.takeFirst();
        QCOMPARE(int(question.kind), int(FakeDialogs::Kind::Question));
        QCOMPARE(question.title, QStringLiteral("Einreihige Multiplikation"));
        QCOMPARE(question.text, QStringLiteral("Das Rechenblatt jetzt ausdrucken?\r\r"));
        QCOMPARE(int(question.icon), int(MessageIcon::Question));
        QCOMPARE(int(question.defaultButton), int(Answer::No));
    }
    // A wrong password, a Cancel or a No ends without a word and without a job.
    QCOMPARE(program.printer.jobs.size(), printed ? 1 : 0);
    QCOMPARE(calls.size(), printed ? 1 : 0);
}

void TestWorksheetCommands::printCommands_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<SheetPass>("pass");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("closing");

    QTest::newRow("Aufgaben drucken") << "Befehl17" << SheetPass::Problems
                                      << "Das Rechenblatt jetzt ausdrucken?\r\r"
                                      << "Das Rechenblatt wird gedruckt ...\r\r";
    QTest::newRow("Lösungen drucken") << "Befehl18" << SheetPass::Solutions
                                      << "Das Lösungsblatt jetzt ausdrucken?\r\r"
                                      << "Das Lösungsblatt wird gedruckt ...\r\r";
}

void TestWorksheetCommands::printCommands()
{
    QFETCH(QString, button);
    QFETCH(SheetPass, pass);
    QFETCH(QString, question);
    QFETCH(QString, closing);

    Program program;
    program.click("Befehl14");
    program.lock()->setChecked(false);
    program.dialogs.answers = {Answer::Yes};
    program.dialogs.clear();
    program.click(qPrintable(button));

    QCOMPARE(program.dialogs.calls.size(), 2);
    QCOMPARE(program.dialogs.calls.first().text, question);
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Drucken"));
    QCOMPARE(program.dialogs.last().text, closing);
    QCOMPARE(program.printer.jobs.size(), 1);
    const PrintDocument expected = printDocument(SheetKind::OneRow, program.listed(), pass);
    QCOMPARE(program.printer.jobs.first().name, expected.name);
    QCOMPARE(program.printer.jobs.first().lines(), expected.lines());
    QCOMPARE(program.printer.jobs.first().blocks.size(), expected.blocks.size());
}

// The lock is shown and set by the box of the info window: unchecked and hidden it stays
// off, closed by the frame it comes back on.
void TestWorksheetCommands::lockFollowsTheInfoWindow()
{
    Program program;
    program.click("Befehl14");
    program.app.registry().showInfo();
    QWidget *info = program.app.registry().window(WindowId::Info);
    program.lock()->setChecked(false);
    QTest::mouseClick(info->findChild<ClickableLabel *>(QStringLiteral("Bezeichnung1")), Qt::LeftButton);
    QVERIFY(info->isHidden());

    program.dialogs.answers = {Answer::Yes};
    program.click("Befehl17");
    QCOMPARE(program.dialogs.count(QStringLiteral("Druckersperre aufheben")), 0);
    QCOMPARE(program.printer.jobs.size(), 1);

    program.app.registry().showInfo();
    QVERIFY(!program.lock()->isChecked());
    info->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(program.app.services().training.printLocked);

    program.dialogs.clear();
    program.dialogs.answers = {Answer::Yes};
    program.click("Befehl17");
    QCOMPARE(program.dialogs.count(QStringLiteral("Druckersperre aufheben")), 1);
    QCOMPARE(program.printer.jobs.size(), 1);
}

void TestWorksheetCommands::printFailureIsReported_data()
{
    QTest::addColumn<QString>("printer");
    QTest::newRow("printer reports a failure") << QStringLiteral("fake");
    QTest::newRow("output cannot be opened") << QStringLiteral("unwritable");
    QTest::newRow("no printer installed") << QStringLiteral("system");
    QTest::newRow("printing library missing") << QStringLiteral("broken install");
}

// A job that fails is reported as such, never as "... wird gedruckt ...".
void TestWorksheetCommands::printFailureIsReported()
{
    QFETCH(QString, printer);
    PrinterOnDemand unwritable(QStringLiteral("/nonexistent-directory/sheet.pdf"),
                               QPageSize(QPageSize::A4));
    PrinterOnDemand system;
    PrinterOnDemand broken;
    broken.setLibrary(QStringLiteral("/nonexistent-directory/libmalrechnen_print.so"));
    Printer *real = nullptr;
    if (printer == QStringLiteral("unwritable"))
        real = &unwritable;
    if (printer == QStringLiteral("broken install"))
        real = &broken;
    if (printer == QStringLiteral("system")) {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("a printer is installed here");
        real = &system;
    }
    Program program(real);
    program.printer.failure = QStringLiteral("Der Drucker ist ausgeschaltet.");
    program.click("Befehl14");
    program.lock()->setChecked(false);

    for (const char *button : {"Befehl17", "Befehl18"}) {
        program.dialogs.clear();
        program.dialogs.answers = {Answer::Yes};
        program.click(button);
        QCOMPARE(program.dialogs.calls.size(), 2);
        const FakeDialogs::Call report = program.dialogs.last();
        QCOMPARE(report.title, QStringLiteral("Drucken"));
        QCOMPARE(int(report.icon), int(MessageIcon::Warning));
        QVERIFY2(report.text.endsWith(QStringLiteral(" wurde nicht gedruckt.\r\r")), qPrintable(report.text));
        QVERIFY(report.text.size() > QStringLiteral("\rDas Rechenblatt wurde nicht gedruckt.\r\r").size());
        QCOMPARE(program.messagesContaining(QStringLiteral("wird gedruckt")), 0);
    }
    if (printer == QStringLiteral("fake"))
        QCOMPARE(program.dialogs.last().text,
                 QStringLiteral("Der Drucker ist ausgeschaltet.\rDas Lösungsblatt wurde nicht gedruckt.\r\r"));
    if (printer == QStringLiteral("broken install"))
        QVERIFY(program.dialogs.last().text.contains(QStringLiteral("neu installieren")));
}

// The printer took the job and then stopped answering: neither printed nor not printed.
void TestWorksheetCommands::jobLeftUnansweredIsToldAsUncertain()
{
    Program program;
    program.printer.failure = QStringLiteral("Der Drucker „Klasse-3b“ hat den Auftrag (Nr. 12) "
                                             "angenommen und dann nicht mehr geantwortet.");
    program.printer.uncertain = true;
    program.click("Befehl14");
    program.lock()->setChecked(false);
    program.dialogs.answers = {Answer::Yes};
    program.click("Befehl18");
    const FakeDialogs::Call report = program.dialogs.last();
    QCOMPARE(report.title, QStringLiteral("Drucken"));
    QCOMPARE(int(report.icon), int(MessageIcon::Warning));
    QCOMPARE(report.text, program.printer.failure
                              + QStringLiteral("\rOb das Lösungsblatt gedruckt wird, ist nicht "
                                               "bekannt. Bitte am Drucker nachsehen.\r\r"));
}

void TestWorksheetCommands::copyToTheClipboard()
{
    Program program;
    program.click("Befehl14");
    QVERIFY(program.lock()->isChecked());
    program.dialogs.clear();
    program.click("Befehl19");

    // No password and no question, the lock notwithstanding.
    QCOMPARE(program.clipboard.texts, QStringList{clipboardText(SheetKind::OneRow, program.listed())});
    QCOMPARE(program.dialogs.calls.size(), 1);
    QCOMPARE(program.dialogs.last().title, QStringLiteral("Zwischenablage"));
    QCOMPARE(program.dialogs.last().text,
             QStringLiteral("Die Rechenaufgaben und die Lösungen wurden in die Ablage kopiert.\r"
                            "(Beim Einfügen muss die Schriftart 'COURIER NEW' gesetzt werden!)\r\r"));

    program.clipboard.refuse = true;
    program.dialogs.clear();
    program.click("Befehl19");
    QCOMPARE(program.dialogs.calls.size(), 1);
    QCOMPARE(int(program.dialogs.last().icon), int(MessageIcon::Warning));
    QCOMPARE(program.messagesContaining(QStringLiteral("wurden in die Ablage kopiert")), 0);
}

QTEST_MAIN(TestWorksheetCommands)
#include "tst_worksheet_commands.moc"
