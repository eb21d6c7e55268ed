// Printing from a trainer through the real printer code against a print server of the
// test's own (tests/e2e/private_cups.sh): none at all, one that works, printers without a
// default, one that refuses the job, one that stops while the teacher is asked, one that
// takes the connection and never answers or hangs up at once. Whatever goes wrong, the
// teacher reads why in German, with a warning, and never "wird gedruckt"; the windows keep
// answering while the printer is asked, and the program ends when told to.
// The test has a home of its own: the user's printer settings (~/.cups/lpoptions naming
// another default printer) must not reach it.
#include "fake_clipboard.h"
#include "fake_dialogs.h"
#include "mute_server.h"
#include "scripted_random.h"
#include "shell/application.h"
#include "trainers/common/trainer_window.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <thread>

#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class TestPrintServer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void noPrinterInstalled();
    void printServerWorks();
    void noDefaultPrinter_data();
    void noDefaultPrinter();
    void printServerRefusesTheJob();
    void jobCutShortIsNotHandedOver();
    void printServerStopsWhileTheTeacherIsAsked();
    void printServerDoesNotAnswer_data();
    void printServerDoesNotAnswer();
    void programEndsWhileThePrinterIsAsked();
    void cleanupTestCase();

private:
    bool startServer();
    void stopServer();
    QString printSheet(const std::function<void(const FakeDialogs::Call &)> &whileOpen = {},
                       const char *printButton = "Befehl17", MessageIcon *icon = nullptr);
    bool addPrinter(const QString &name);
    QString jobs();
    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr);

    QTemporaryDir m_dir;
    QString m_socket;
    qint64 m_server = 0;
};

void TestPrintServer::initTestCase()
{
    for (const char *tool : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/sbin/cupsreject",
                             "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"}) {
        if (!QFile::exists(QLatin1String(tool)))
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    }
    QVERIFY(m_dir.isValid());
    // The print library reads the user's default printer and options from $HOME/.cups, and
    // takes LPDEST or PRINTER before any of them.
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("home/.cups")));
    qputenv("HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("home"))));
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    // The print library reads the server once: it is this socket for the whole test,
    // with no server behind it to begin with.
    m_socket = m_dir.filePath(QStringLiteral("cups/cups.sock"));
    qputenv("CUPS_SERVER", QFile::encodeName(m_socket));
}

bool TestPrintServer::run(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return false;
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool TestPrintServer::startServer()
{
    const QString script = QStringLiteral(MALRECHNEN_SOURCE_DIR "/tests/e2e/private_cups.sh");
    QProcess starter;
    starter.setStandardOutputFile(m_dir.filePath(QStringLiteral("starter.log")));
    starter.setStandardErrorFile(m_dir.filePath(QStringLiteral("starter.err")));
    starter.start(QStringLiteral("bash"), {script, m_dir.filePath(QStringLiteral("cups"))});
    const bool started = starter.waitForFinished(30000) && starter.exitCode() == 0;
    // A server that came up half-way is stopped with the others.
    QFile pid(m_dir.filePath(QStringLiteral("cups/cupsd.pid")));
    if (pid.open(QIODevice::ReadOnly))
        m_server = pid.readAll().trimmed().toLongLong();
    if (!started) {
        QFile err(m_dir.filePath(QStringLiteral("starter.err")));
        err.open(QIODevice::ReadOnly);
        qWarning("the print server did not start (%s, exit %d): %s",
                 qPrintable(starter.errorString()), starter.exitCode(), err.readAll().constData());
        stopServer();
    }
    return started && m_server > 0;
}

void TestPrintServer::stopServer()
{
    if (m_server <= 0)
        return;
    ::kill(pid_t(m_server), SIGTERM);
    for (int i = 0; i < 100 && ::kill(pid_t(m_server), 0) == 0; ++i)
        QTest::qWait(50);
    m_server = 0;
}

// The text printout ("Aufgaben drucken") and the squared-paper sheet, with what each is
// called in the messages.
const struct
{
    const char *button;
    const char *name;
} printButtons[] = {{"Befehl17", "Das Rechenblatt"}, {"KaestchenblattDrucken", "Das Kästchenblatt"}};

// "Blatt", then `printButton` in the one-row trainer, with the lock's password typed right
// and the print question answered Yes. The message the teacher reads at the end.
QString TestPrintServer::printSheet(const std::function<void(const FakeDialogs::Call &)> &whileOpen,
                                    const char *printButton, MessageIcon *icon)
{
    FakeDialogs dialogs;
    ScriptedRandom random;
    FakeClipboard clipboard;
    Application app(dialogs, random, nullptr, &clipboard); // the system's printer
    app.start();
    app.registry().switchTo(WindowId::OneRow);
    QWidget *trainer = app.registry().window(WindowId::OneRow);
    dialogs.entries = {QStringLiteral("0")};
    dialogs.answers = {Answer::Yes};
    dialogs.whileOpen = whileOpen;
    trainer->findChild<QPushButton *>(QStringLiteral("Befehl14"))->click();
    trainer->findChild<QPushButton *>(QLatin1String(printButton))->click();
    const FakeDialogs::Call last = dialogs.last();
    if (icon)
        *icon = last.icon;
    return last.title == QLatin1String("Drucken") ? last.text : QStringLiteral("(no print message)");
}

void TestPrintServer::noPrinterInstalled()
{
    for (const auto &print : printButtons) {
        const QString text = printSheet({}, print.button);
        QVERIFY2(text.startsWith(QStringLiteral("Es ist kein Drucker eingerichtet.\r")), qPrintable(text));
        QVERIFY(text.contains(QString::fromUtf8(print.name) + QStringLiteral(" wurde nicht gedruckt.")));
        QVERIFY(!text.contains(QStringLiteral("wird gedruckt")));
    }
}

// A PDF printer like the server's own, not set as the default.
bool TestPrintServer::addPrinter(const QString &name)
{
    return run(QStringLiteral("/usr/sbin/lpadmin"),
               {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                QStringLiteral("cups-pdf:/"), QStringLiteral("-P"),
                QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")});
}

// The jobs the server holds, one line each.
QString TestPrintServer::jobs()
{
    QString jobs;
    run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")},
        &jobs);
    return jobs;
}

void TestPrintServer::printServerWorks()
{
    QVERIFY(startServer());
    for (const auto &print : printButtons) {
        const QString text = printSheet({}, print.button);
        QCOMPARE(text, QString::fromUtf8(print.name) + QStringLiteral(" wird gedruckt ...\r\r"));
    }
    QCOMPARE(jobs().count(QStringLiteral("Malrechnen-PDF-")), 2);
}

void TestPrintServer::noDefaultPrinter_data()
{
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<QString>("expected"); // the message, or the queue that got the job

    QTest::newRow("the only printer") << QStringList{QStringLiteral("Klasse-3b")}
                                      << QStringLiteral("Klasse-3b");
    QTest::newRow("two printers")
        << QStringList{QStringLiteral("Klasse-3b"), QStringLiteral("Lehrerzimmer")}
        << QStringLiteral("Es ist kein Standarddrucker festgelegt (eingerichtet sind: „Klasse-3b“, "
                          "„Lehrerzimmer“).\rEinen Standarddrucker legt man in den "
                          "Druckereinstellungen des Systems fest oder im Terminal mit "
                          "„lpoptions -d Druckername“.\rDas Rechenblatt wurde nicht gedruckt.\r\r");
}

void TestPrintServer::noDefaultPrinter()
{
    QFETCH(QStringList, printers);
    QFETCH(QString, expected);
    QVERIFY(m_server > 0);
    const QString lpadmin = QStringLiteral("/usr/sbin/lpadmin");
    const QString ownPrinter = QStringLiteral("Malrechnen-PDF");
    // Removing the default printer leaves the server without a default; the server's own
    // printer comes back as the default afterwards, whatever happened.
    QVERIFY(run(lpadmin, {QStringLiteral("-x"), ownPrinter}));
    const auto restore = qScopeGuard([&] {
        for (const QString &printer : printers)
            run(lpadmin, {QStringLiteral("-x"), printer});
        addPrinter(ownPrinter);
        run(lpadmin, {QStringLiteral("-d"), ownPrinter});
    });
    for (const QString &printer : printers)
        QVERIFY(addPrinter(printer));

    const QString jobsBefore = jobs();
    MessageIcon icon = MessageIcon::None;
    const QString text = printSheet({}, "Befehl17", &icon);
    const QString jobsAfter = jobs();
    if (printers.size() == 1) {
        QCOMPARE(text, QStringLiteral("Das Rechenblatt wird gedruckt ...\r\r"));
        const QString job = expected + QLatin1Char('-');
        QVERIFY2(jobsAfter.count(job) == jobsBefore.count(job) + 1, qPrintable(jobsAfter));
    } else {
        QCOMPARE(text, expected);
        QCOMPARE(icon, MessageIcon::Warning);
        QCOMPARE(jobsAfter, jobsBefore);
    }
}

void TestPrintServer::printServerRefusesTheJob()
{
    QVERIFY(m_server > 0);
    QVERIFY(run(QStringLiteral("/usr/sbin/cupsreject"), {QStringLiteral("Malrechnen-PDF")}));
    QStringList texts;
    for (const auto &print : printButtons)
        texts.append(printSheet({}, print.button));
    QVERIFY(run(QStringLiteral("/usr/sbin/cupsaccept"), {QStringLiteral("Malrechnen-PDF")}));
    for (int i = 0; i < texts.size(); ++i) {
        const QString &text = texts.at(i);
        QVERIFY2(text.startsWith(QStringLiteral("Der Drucker „")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("hat den Auftrag nicht angenommen.\r")));
        QVERIFY(text.contains(QString::fromUtf8(printButtons[i].name) + QStringLiteral(" wurde nicht gedruckt.")));
        QVERIFY(!text.contains(QStringLiteral("wird gedruckt")));
    }
}

// The job's file cut short as on a full disk (no file of the test program may grow past
// 4 096 bytes): no print of it is handed to the server, and the teacher is told.
void TestPrintServer::jobCutShortIsNotHandedOver()
{
    QVERIFY(m_server > 0);
    const QString jobsBefore = jobs();
    rlimit before{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 4096;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    QStringList texts;
    for (const char *button : {"Befehl17", "Befehl18", "KaestchenblattDrucken"})
        texts.append(printSheet({}, button));
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldSignal);
    for (const QString &text : texts) {
        QVERIFY2(text.startsWith(QStringLiteral("Der Druckauftrag konnte nicht vorbereitet werden.\r")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral(" wurde nicht gedruckt.")), qPrintable(text));
    }
    QCOMPARE(jobs(), jobsBefore);
}

void TestPrintServer::printServerStopsWhileTheTeacherIsAsked()
{
    QVERIFY(m_server > 0);
    const QString text = printSheet([this](const FakeDialogs::Call &call) {
        if (call.text.contains(QStringLiteral("jetzt ausdrucken?")))
            stopServer();
    });
    QVERIFY2(!text.contains(QStringLiteral("wird gedruckt")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Das Rechenblatt wurde nicht gedruckt.")), qPrintable(text));
}

void TestPrintServer::printServerDoesNotAnswer_data()
{
    QTest::addColumn<bool>("hangsUp");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("why"); // how the message begins

    const QString silent = QStringLiteral("Der Drucker antwortet nicht: Der Druckdienst hat 5 "
                                          "Sekunden lang keine Antwort gegeben.\r");
    for (const auto &print : printButtons)
        QTest::addRow("silent, %s", print.button)
            << false << QString::fromLatin1(print.button) << QString::fromUtf8(print.name) << silent;
    QTest::newRow("silent, Befehl18") << false << "Befehl18" << "Das Lösungsblatt" << silent;
    QTest::newRow("hangs up, Befehl17")
        << true << "Befehl17" << "Das Rechenblatt"
        << "Der Drucker antwortet nicht: Der Druckdienst hat die Verbindung abgebrochen.\r";
}

// The print is given up after the server's patience; meanwhile the trainer keeps
// answering, and the message says why and that nothing was printed.
void TestPrintServer::printServerDoesNotAnswer()
{
    QFETCH(bool, hangsUp);
    QFETCH(QString, button);
    QFETCH(QString, name);
    QFETCH(QString, why);
    QVERIFY(m_server == 0); // the real server stopped in the test before
    const MuteServer server(m_socket, hangsUp);
    QVERIFY(server.listening());

    // A moment after the click, while the printer is asked, the window answers: a second
    // print is clicked and told to wait.
    QElapsedTimer clock;
    qint64 answeredAt = -1;
    QString secondPrint;
    // A server that hangs up ends the print before the timer fires: the timer goes with
    // this row, not into the next one.
    QObject thisRow;
    const QString message = printSheet([&](const FakeDialogs::Call &call) {
        if (call.text.contains(QStringLiteral("bis der Drucker geantwortet hat")))
            secondPrint = call.text;
        if (!call.text.contains(QStringLiteral("jetzt ausdrucken?")))
            return;
        clock.start();
        QTimer::singleShot(200, &thisRow, [&] {
            answeredAt = clock.elapsed();
            QWidget *trainer = nullptr;
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (window->isVisible() && window->findChild<QPushButton *>(QStringLiteral("Befehl18")))
                    trainer = window;
            }
            if (trainer)
                trainer->findChild<QPushButton *>(QStringLiteral("Befehl18"))->click();
        });
    }, qPrintable(button));
    QVERIFY2(message.startsWith(why), qPrintable(message));
    QVERIFY2(message.endsWith(name + QStringLiteral(" wurde nicht gedruckt.\r\r")), qPrintable(message));
    if (!hangsUp) {
        // Generous: the window's longest pause is measured in bench/.
        QVERIFY2(answeredAt >= 0 && answeredAt < 1500, qPrintable(QString::number(answeredAt)));
        QCOMPARE(secondPrint, QStringLiteral("Es wird gerade schon gedruckt. Bitte warten, bis der "
                                             "Drucker geantwortet hat.\r\r"));
    }
}

// The program told to end (as "Ende" does) while the printer is asked: the wait ends at
// once and the print is not claimed.
// (Last: the test program counts as ending from here on.)
void TestPrintServer::programEndsWhileThePrinterIsAsked()
{
    const MuteServer server(m_socket, false);
    QVERIFY(server.listening());
    QElapsedTimer clock;
    const QString message = printSheet([&](const FakeDialogs::Call &call) {
        if (!call.text.contains(QStringLiteral("jetzt ausdrucken?")))
            return;
        clock.start();
        QTimer::singleShot(300, [] { QCoreApplication::exit(0); });
    });
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(message, QStringLiteral("Das Programm wird beendet, ohne auf den Drucker zu warten.\r"
                                     "Das Rechenblatt wurde nicht gedruckt.\r\r"));
}

void TestPrintServer::cleanupTestCase()
{
    stopServer();
}

QTEST_MAIN(TestPrintServer)
#include "tst_print_server.moc"
