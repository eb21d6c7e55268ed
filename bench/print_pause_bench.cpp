// How long the window's thread pauses while a sheet is printed to a print server that takes
// the connection and never answers (a stalled server), or hangs up at once: a timer due
// every millisecond on that thread notes the longest gap between its turns, from the click
// on the print button to the closing message. Prints one line per case (times in ms):
//
//   malrechnen_print_bench [ROUNDS]   each print ROUNDS times (3 unless told), the first
//                                     print of the run (the print library loaded) apart
//
// The system's printer as the program uses it: the print library loaded on the first print.

#include "quiet_dialogs.h"

#include "fake_clipboard.h"
#include "mute_server.h"
#include "scripted_random.h"
#include "shell/application.h"
#include "training/session_statistics.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct Pause
{
    double longestMs = 0;
    double totalMs = 0;
};

// One click on `button` of the trainer, the print question answered Yes.
Pause printOnce(QWidget *trainer, const char *button)
{
    QElapsedTimer clock;
    QElapsedTimer sinceTurn;
    double longest = 0;
    QTimer ticking;
    ticking.setTimerType(Qt::PreciseTimer);
    ticking.setInterval(1);
    QObject::connect(&ticking, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTurn.nsecsElapsed() / 1e6);
        sinceTurn.restart();
    });
    // The click itself is one turn: it runs until the message, its own loop turning inside.
    clock.start();
    sinceTurn.start();
    ticking.start();
    trainer->findChild<QPushButton *>(QLatin1String(button))->click();
    longest = std::max(longest, sinceTurn.nsecsElapsed() / 1e6);
    ticking.stop();
    return Pause{longest, clock.nsecsElapsed() / 1e6};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir home;
    QDir(home.path()).mkpath(QStringLiteral(".cups"));
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    const QByteArray socket = QFile::encodeName(home.filePath(QStringLiteral("cups.sock")));
    qputenv("CUPS_SERVER", socket);

    QuietDialogs dialogs;
    dialogs.answer = Answer::Yes;
    ScriptedRandom random;
    FakeClipboard clipboard;
    Application program(dialogs, random, nullptr, &clipboard);
    program.services().training.printLocked = false;
    program.start();
    program.registry().switchTo(WindowId::OneRow);
    QWidget *trainer = program.registry().window(WindowId::OneRow);
    trainer->findChild<QPushButton *>(QStringLiteral("Befehl14"))->click();

    const struct
    {
        const char *name;
        bool hangUp;
    } servers[] = {{"silent", false}, {"hangs-up", true}};
    bool first = true;
    for (const auto &server : servers) {
        const MuteServer listening(QFile::decodeName(socket), server.hangUp);
        for (const char *button : {"Befehl17", "Befehl18", "KaestchenblattDrucken"}) {
            for (int round = 0; round < (first ? rounds + 1 : rounds); ++round) {
                const int messages = dialogs.messages;
                const Pause pause = printOnce(trainer, button);
                if (dialogs.messages != messages + 1) {
                    std::fprintf(stderr, "no closing message after %s\n", button);
                    return 1;
                }
                std::printf("print-pause %s %s%s longest %.1f ms, message after %.0f ms\n",
                            server.name, button, first ? " (first print)" : "", pause.longestMs,
                            pause.totalMs);
                std::fflush(stdout);
                first = false;
            }
        }
    }
    return 0;
}
