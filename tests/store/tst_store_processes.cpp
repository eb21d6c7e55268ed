// Programs that end at any moment (SIGKILL) and programs that share the file: nothing a
// program acknowledged is lost, nothing is stored twice.
//
// The writers are this executable started again with "--write FILE CHILD FIRST COUNT": each
// digit it hands to the practice log, it prints its number once the call has returned, as
// a window would show the digit then.
#include "store/sqlite_store.h"
#include "training/session_statistics.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <set>
#include <thread>

namespace {

int writeDigits(const QString &file, qint64 child, qint64 first, qint64 count)
{
    SqliteStore store(file);
    Training training;
    PracticeLog *log = store.startChild(child, training);
    if (!log)
        return 2;
    for (qint64 i = first; i < first + count; ++i) {
        // The number rides as the digit's time: the test looks for each one.
        log->digitWritten(DigitRecord{TrainerKind::TwoRow, Cell{Part::Sum, 0, int(i % 7)}, int(i % 10), true, true}, i);
        if (!store.isStoring())
            return 3; // said so on screen; the test counts nothing after it
        std::printf("%lld\n", static_cast<long long>(i));
        std::fflush(stdout);
        if (i % 64 == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return 0;
}

// The numbers of the digits stored for `child`, each as often as it is stored.
std::multiset<qint64> stored(const QString &file, qint64 child)
{
    std::multiset<qint64> numbers;
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        raw.setDatabaseName(file);
        raw.open();
        QSqlQuery q(raw);
        q.exec(QStringLiteral("SELECT ms FROM event WHERE kind = 2 AND child_id = %1").arg(child));
        while (q.next())
            numbers.insert(q.value(0).toLongLong());
        q.finish();
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return numbers;
}

std::set<qint64> acknowledged(QProcess &writer)
{
    std::set<qint64> numbers;
    const QList<QByteArray> lines = writer.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        if (!line.isEmpty())
            numbers.insert(line.toLongLong());
    }
    // A line cut off by the kill is a number the writer had acknowledged too; without its
    // newline it may be cut short, so it is left out.
    if (!lines.isEmpty() && !lines.last().isEmpty())
        numbers.erase(lines.last().toLongLong());
    return numbers;
}

} // namespace

class StoreProcessesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void killedAtAnyMoment();
    void twoProgramsOneFile();

private:
    void startWriter(QProcess &writer, qint64 child, qint64 first, qint64 count);

    QTemporaryDir m_dir;
    QString m_file;
    QList<qint64> m_children;
};

void StoreProcessesTest::init()
{
    m_file = m_dir.filePath(QStringLiteral("klasse-%1.sqlite").arg(QRandomGenerator::global()->generate()));
    SqliteStore store(m_file);
    QVERIFY(store.setUpClass(QStringLiteral("3a"), QStringLiteral("4711"), {QStringLiteral("Ada"), QStringLiteral("Ben")}));
    m_children.clear();
    for (const ChildEntry &child : store.children())
        m_children << child.id;
}

void StoreProcessesTest::startWriter(QProcess &writer, qint64 child, qint64 first, qint64 count)
{
    writer.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--write"), m_file, QString::number(child), QString::number(first),
                  QString::number(count)});
    QVERIFY(writer.waitForStarted());
}

void StoreProcessesTest::killedAtAnyMoment()
{
    // Rounds on one file: each writer killed at a random moment, the next run takes over
    // what the killed one left in its journal.
    std::set<qint64> all;
    qint64 first = 0;
    for (int round = 0; round < 8; ++round) {
        QProcess writer;
        startWriter(writer, m_children[0], first, 1'000'000);
        // Killed at a random moment once it writes.
        QVERIFY(writer.waitForReadyRead(10000));
        QTest::qWait(QRandomGenerator::global()->bounded(400));
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished());
        const std::set<qint64> shown = acknowledged(writer);
        QVERIFY2(writer.exitStatus() == QProcess::CrashExit,
                 qPrintable(QStringLiteral("the writer ended by itself with %1: %2")
                                .arg(writer.exitCode()).arg(QString::fromLocal8Bit(writer.readAllStandardError()))));
        all.insert(shown.begin(), shown.end());
        qDebug("round %d: %zu digits acknowledged", round, shown.size());
        first += 10'000'000;
    }
    SqliteStore reopened(m_file); // moves the last killed writer's journal
    QVERIFY(reopened.isStoring());
    const std::multiset<qint64> numbers = stored(m_file, m_children[0]);
    const std::set<qint64> once(numbers.begin(), numbers.end());
    QCOMPARE(numbers.size(), once.size()); // nothing twice
    std::vector<qint64> lost;
    std::set_difference(all.begin(), all.end(), once.begin(), once.end(), std::back_inserter(lost));
    QVERIFY2(lost.empty(), qPrintable(QStringLiteral("%1 acknowledged digits lost, the first %2")
                                          .arg(lost.size()).arg(lost.empty() ? 0 : lost.front())));
    // No journal is left behind.
    QVERIFY(QDir(SqliteStore::journalFolder(m_file)).entryList(QDir::Files).size() <= 1);
}

void StoreProcessesTest::twoProgramsOneFile()
{
    constexpr qint64 count = 4000;
    QProcess a, b;
    startWriter(a, m_children[0], 0, count);
    startWriter(b, m_children[1], 0, count);
    QVERIFY(a.waitForFinished(60000));
    QVERIFY(b.waitForFinished(60000));
    QCOMPARE(a.exitCode(), 0);
    QCOMPARE(b.exitCode(), 0);
    for (qint64 child : {m_children[0], m_children[1]}) {
        const std::multiset<qint64> numbers = stored(m_file, child);
        QCOMPARE(qint64(numbers.size()), count);
        QCOMPARE(qint64(std::set<qint64>(numbers.begin(), numbers.end()).size()), count);
    }
    // Each left nothing to move.
    QCOMPARE(QDir(SqliteStore::journalFolder(m_file)).entryList(QDir::Files).size(), 0);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--write"))
        return writeDigits(args.value(2), args.value(3).toLongLong(), args.value(4).toLongLong(),
                           args.value(5).toLongLong());
    StoreProcessesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_store_processes.moc"
