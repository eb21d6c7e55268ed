// The class store, measured on a real SQLite file in a temporary folder:
//   1. a drop with storing on, on the calling (window's) thread (the session's check, the
//      tutor and the hand-over to the log): p50, p99 and the slowest (target: p99 under 1 ms);
//   2. a school year of one child (200 sittings, 4000 problems, about 100 000 digits):
//      the file's size, the time to open the child and rebuild its tutor state (target
//      under 50 ms) and the memory the replay takes;
//   3. the tutor states of a class of 30 such children (target under 300 ms).
//
//   malrechnen_store_bench [scale]   (scale 1: a whole year; smaller for a smoke run)
#include "resident_memory.h"
#include "store/practice_event.h"
#include "store/sqlite_store.h"
#include "trainers/common/rows_table.h"
#include "trainers/one_row/one_row_table.h"
#include "trainers/three_row/three_row_table.h"
#include "trainers/two_row/two_row_table.h"
#include "training/session_statistics.h"
#include "training/training_session.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <cstdio>
#include <random>
#include <set>
#include <thread>
#include <time.h>
#include <vector>

namespace {

// A child who gets one digit in ten wrong at first, through the sessions the windows use;
// every step to the log, and the time each digit's hand-over takes.
struct YearChild
{
    std::mt19937_64 random{42};
    std::vector<double> drops; // µs

    Exercise deal()
    {
        // Multiplier digits 2 to 9, as the trainers deal them.
        std::uniform_int_distribution<int> kind(0, 2), a(1000, 9999), d(2, 9);
        switch (kind(random)) {
        case 0:
            return oneRowSingle(WrittenMultiplication(a(random), {d(random)}));
        case 1:
            return rowsExercise(twoRowTables(), WrittenMultiplication(a(random), {d(random), d(random)}), false,
                                WrittenDisplay::Flush);
        default:
            return rowsExercise(threeRowTables(), WrittenMultiplication(a(random), {d(random), d(random), d(random)}),
                                false, WrittenDisplay::Flush);
        }
    }

    // A sitting through the trainers' sessions, which hand every step to the log; each
    // drop timed on the calling thread, as the window's thread meets it.
    void sitting(PracticeLog &log, Training &training, int problems)
    {
        std::bernoulli_distribution wrong(0.1);
        training.practiceLog = &log;
        std::array<std::unique_ptr<TrainingSession>, trainerKindCount> sessions;
        for (int p = 0; p < problems; ++p) {
            Exercise exercise = deal();
            const TrainerKind t = exercise.written().rowCount() == 1 ? TrainerKind::OneRow
                                  : exercise.written().rowCount() == 2 ? TrainerKind::TwoRow
                                                                       : TrainerKind::ThreeRow;
            auto &session = sessions[std::size_t(t)];
            if (!session)
                session = std::make_unique<TrainingSession>(training, t);
            session->start(std::move(exercise));
            const QList<Cell> fields = session->exercise().fields();
            for (const Cell &field : fields) {
                const int right = session->exercise().expectedDigit(field);
                for (bool miss = wrong(random); ; miss = false) {
                    const auto start = std::chrono::steady_clock::now();
                    session->drop(field, miss ? (right + 1) % 10 : right);
                    drops.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
                    if (!miss)
                        break;
                }
                // A child's pace, sped up: the writer thread gets a moment now and then.
                if (drops.size() % 50 == 0)
                    std::this_thread::sleep_for(std::chrono::microseconds(300));
            }
            if (session->score().isMemoryDue())
                session->takeMemory();
        }
        training.practiceLog = nullptr;
    }
};

double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size())))];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const double scale = argc > 1 ? std::atof(argv[1]) : 1.0;
    const int sittings = std::max(1, int(200 * scale));
    const int problemsPerSitting = 20;
    const int classSize = scale >= 1 ? 30 : 3;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("klasse.sqlite"));

    qint64 digits = 0, child = 0;
    std::vector<double> handOver;
    {
        SqliteStore store(file);
        QStringList names;
        for (int i = 0; i < classSize; ++i)
            names << QStringLiteral("Kind %1").arg(i + 1);
        if (!store.setUpClass(QStringLiteral("Bank"), QStringLiteral("4711"), names)) {
            std::fprintf(stderr, "%s\n", qPrintable(store.problem()));
            return 2;
        }
        child = store.children()[0].id;
        YearChild year;
        for (int s = 0; s < sittings; ++s) {
            Training training;
            PracticeLog *log = store.startChild(child, training);
            year.sitting(*log, training, problemsPerSitting);
        }
        store.flush(60000);
        digits = qint64(year.drops.size());
        handOver = std::move(year.drops);
    }
    const double sizeMiB = double(QFileInfo(file).size()) / (1024 * 1024);

    std::printf("Klassendatei (SQLite, WAL, synchronous=FULL)\n");
    std::printf("  Eine Ziffer mit Speichern (prüfen, Tutor, Protokoll; Fensterthread): p50 %.1f µs, p99 %.1f µs, max %.0f µs"
                " (%lld Ziffern)\n",
                percentile(handOver, 0.5), percentile(handOver, 0.99), percentile(handOver, 1.0),
                static_cast<long long>(digits));
    std::printf("  Ein Kind, %d Sitzungen, %d Aufgaben, %lld Ziffern: Datei %.1f MiB\n", sittings,
                sittings * problemsPerSitting, static_cast<long long>(digits), sizeMiB);

    // The other children of the class get the same year (copied in the file, which is
    // faster than playing it 29 times more).
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        raw.setDatabaseName(file);
        raw.open();
        QSqlQuery q(raw);
        q.exec(QStringLiteral("BEGIN"));
        q.exec(QStringLiteral("SELECT id FROM child WHERE id <> %1").arg(child));
        QList<qint64> others;
        while (q.next())
            others << q.value(0).toLongLong();
        for (qint64 other : others)
            q.exec(QStringLiteral("INSERT INTO event (child_id, session_id, kind, ms, trainer, cell, digit, right,"
                                  " first_try, reward, problem) SELECT %1, session_id, kind, ms, trainer, cell, digit,"
                                  " right, first_try, reward, problem FROM event WHERE child_id = %2 ORDER BY seq")
                       .arg(other).arg(child));
        q.exec(QStringLiteral("COMMIT"));
        q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        q.finish();
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));

    // Opened cold as the program does at start: the store, then the child.
    std::vector<double> opening, choosing, replaying;
    double grewMiB = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        SqliteStore store(file);
        opening.push_back(double(timer.nsecsElapsed()) / 1e6);
        Training training;
        const double before = residentMiB();
        timer.restart();
        store.startChild(child, training);
        choosing.push_back(double(timer.nsecsElapsed()) / 1e6);
        grewMiB = std::max(grewMiB, residentMiB() - before);
        // Processor time: on a busy machine the wall clock says more about the neighbours.
        const double cpu = threadMs();
        store.replayInto(child, training);
        replaying.push_back(threadMs() - cpu);
    }
    std::printf("  Klassendatei öffnen: Median %.1f ms\n"
                "  Kind wählen (Schnappschuss und die Sitzungen danach): Median %.1f ms, max %.1f ms\n"
                "  ohne Schnappschuss, der ganze Verlauf: %.1f ms Rechenzeit; Speicher dabei +%.1f MiB\n",
                percentile(opening, 0.5), percentile(choosing, 0.5), percentile(choosing, 1.0),
                percentile(replaying, 0.5), grewMiB);

    {
        // Each child opened once, as the children pick themselves over a day: then every
        // child has its snapshot.
        SqliteStore store(file);
        for (const ChildEntry &entry : store.children()) {
            Training training;
            store.childState(entry.id, training);
        }
        store.flush(60000);
    }
    {
        SqliteStore store(file);
        QElapsedTimer timer;
        timer.start();
        for (const ChildEntry &entry : store.children()) {
            Training training;
            store.childState(entry.id, training);
        }
        std::printf("  Stand des Tutors für alle %d Kinder der Klasse (aus Schnappschüssen): %.0f ms;"
                    " Datei %.1f MiB\n", classSize, double(timer.nsecsElapsed()) / 1e6,
                    double(QFileInfo(file).size()) / (1024 * 1024));
    }
    return 0;
}
