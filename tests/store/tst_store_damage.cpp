// Files the store cannot use: it says so once in German, practice goes on without storing,
// and the file is never overwritten or deleted; a damaged one is set aside under a dated
// name. Folders that cannot be written and a full disk are real mounts where the test may
// make them (as root), otherwise the cases are skipped.
#include "practising_child.h"
#include "store/sqlite_store.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

class StoreDamageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unusableFile_data();
    void unusableFile();
    void readOnlyFolder();
    void fullDisk();
};

namespace {

QByteArray digest(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

bool sh(const QString &command)
{
    return QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), command}) == 0;
}

// A class of two children, one of whom solved a problem; the store closed again.
qint64 makeClass(const QString &file)
{
    SqliteStore store(file);
    if (!store.setUpClass(QStringLiteral("3a"), QStringLiteral("4711"), {QStringLiteral("Ada"), QStringLiteral("Ben")}))
        qFatal("no class: %s", qPrintable(store.problem()));
    Training training;
    const qint64 ada = store.children()[0].id;
    PractisingChild(store.startChild(ada, training)).play(QStringLiteral("one 4321 3; all"));
    return ada;
}

void execute(const QString &file, const QString &statement)
{
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        raw.setDatabaseName(file);
        raw.open();
        QSqlQuery(raw).exec(statement);
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
}

// A small disk of the test's own on a folder, gone with the test.
struct Mount
{
    explicit Mount(const QString &folder, const QString &size) : path(folder)
    {
        mounted = sh(QStringLiteral("mount -t tmpfs -o size=%1 tmpfs '%2'").arg(size, path));
    }
    ~Mount()
    {
        if (mounted)
            sh(QStringLiteral("umount -l '%1'").arg(path));
    }
    QString path;
    bool mounted = false;
};

} // namespace

void StoreDamageTest::unusableFile_data()
{
    QTest::addColumn<QString>("damage"); // a shell command on $F, the class file
    QTest::addColumn<QString>("said");   // in the message
    QTest::addColumn<bool>("setAside");
    QTest::addColumn<bool>("rootIgnores"); // permissions mean nothing to root

    QTest::newRow("garbage") << "head -c 20000 /dev/urandom > \"$F\"; rm -f \"$F-wal\" \"$F-shm\"" << "beschädigt" << true << false;
    QTest::newRow("header overwritten") << "printf 'kein SQLite-Format!' | dd of=\"$F\" conv=notrunc 2>/dev/null" << "beschädigt" << true << false;
    QTest::newRow("pages overwritten")
        << "dd if=/dev/urandom of=\"$F\" bs=1024 seek=1 count=40 conv=notrunc 2>/dev/null" << "beschädigt" << true << false;
    QTest::newRow("newer version") << "" << "neueren Version" << false << false;
    QTest::newRow("not readable") << "chmod 000 \"$F\"" << "keine Berechtigung" << false << true;
    QTest::newRow("not writable") << "chmod 444 \"$F\"" << "keine Berechtigung" << false << true;
}

void StoreDamageTest::unusableFile()
{
    QFETCH(QString, damage);
    QFETCH(QString, said);
    QFETCH(bool, setAside);
    QFETCH(bool, rootIgnores);
    if (rootIgnores && geteuid() == 0)
        QSKIP("root reads and writes any file whatever its permissions");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("klasse.sqlite"));
    const qint64 ada = makeClass(file);
    if (damage.isEmpty())
        execute(file, QStringLiteral("PRAGMA user_version = %1").arg(SqliteStore::schemaVersion + 1));
    else
        QVERIFY(sh(QStringLiteral("F='%1'; %2").arg(file, damage)));
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    const QByteArray bytes = digest(file);

    SqliteStore store(file);
    QStringList told;
    store.setFailureHandler([&](const QString &text) { told << text; });
    QVERIFY(!store.isStoring());
    QVERIFY2(store.problem().contains(said), qPrintable(store.problem()));
    QVERIFY(store.problem().contains(QStringLiteral("nichts gespeichert")));
    // The child practises all the same; nothing is written.
    Training training;
    PracticeLog *log = store.startChild(ada, training);
    PractisingChild(log).play(QStringLiteral("one 4321 3; all"));
    QVERIFY(told.isEmpty()); // said once, when opened
    if (setAside) {
        QVERIFY(!QFileInfo::exists(file));
        const QStringList aside = QDir(dir.path()).entryList({QStringLiteral("klasse-beschaedigt-*.sqlite")});
        QCOMPARE(aside.size(), 1);
        QVERIFY(store.problem().contains(aside[0]));
        QCOMPARE(digest(dir.filePath(aside[0])), bytes);
        QVERIFY(!store.hasClass());
    } else {
        QCOMPARE(digest(file), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), before);
    }
    sh(QStringLiteral("chmod 644 '%1' 2>/dev/null").arg(file));
}

void StoreDamageTest::readOnlyFolder()
{
    if (geteuid() != 0)
        QSKIP("a read-only mount needs root; a read-only folder means nothing to root");
    QTemporaryDir dir;
    const Mount disk(dir.path(), QStringLiteral("8m"));
    QVERIFY(disk.mounted);
    const QString file = dir.filePath(QStringLiteral("klasse.sqlite"));
    const qint64 ada = makeClass(file);
    const QByteArray bytes = digest(file);
    QVERIFY(sh(QStringLiteral("mount -o remount,ro '%1'").arg(dir.path())));
    SqliteStore store(file);
    QVERIFY(!store.isStoring());
    QVERIFY2(store.problem().contains(QStringLiteral("schreib")), qPrintable(store.problem()));
    Training training;
    PractisingChild(store.startChild(ada, training)).play(QStringLiteral("one 4321 3; all"));
    QCOMPARE(digest(file), bytes);
}

void StoreDamageTest::fullDisk()
{
    if (geteuid() != 0)
        QSKIP("a small disk of its own (tmpfs) needs root");
    QTemporaryDir dir;
    const Mount disk(dir.path(), QStringLiteral("1m"));
    QVERIFY(disk.mounted);
    const QString file = dir.filePath(QStringLiteral("klasse.sqlite"));
    SqliteStore::Options small;
    small.journalCapacity = 256 * 1024;
    int problems = 0;
    qint64 ada = 0;
    std::array<Score, trainerKindCount> had;
    {
        SqliteStore store(file, small);
        QVERIFY(store.setUpClass(QStringLiteral("3a"), QStringLiteral("4711"), {QStringLiteral("Ada")}));
        ada = store.children()[0].id;
        QStringList told;
        store.setFailureHandler([&](const QString &text) { told << text; });
        Training training;
        PractisingChild child(store.startChild(ada, training));
        // Until the disk is full, and a little beyond: the journal still takes the digits.
        int after = 0;
        while (after < 20 && problems < 20000) {
            child.play(QStringLiteral("three 4567 238; bad; all"));
            ++problems;
            store.flush(2000);
            if (!store.isStoring())
                ++after;
        }
        QVERIFY(!store.isStoring());
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(QStringLiteral("voll")), qPrintable(told[0]));
        had = child.live.scores;
    }
    QVERIFY(QFileInfo::exists(file));
    // With room again, the next run moves what the full disk kept out.
    QVERIFY(sh(QStringLiteral("mount -o remount,size=64m '%1'").arg(dir.path())));
    SqliteStore store(file);
    QVERIFY2(store.isStoring(), qPrintable(store.problem()));
    Training training;
    store.startChild(ada, training);
    QCOMPARE(training.score(TrainerKind::ThreeRow).points(), had[2].points());
    QCOMPARE(training.score(TrainerKind::ThreeRow).errors(), problems);
}

QTEST_GUILESS_MAIN(StoreDamageTest)
#include "tst_store_damage.moc"
