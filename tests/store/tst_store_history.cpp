// A child's history through a real SQLite file: what the store rebuilds after the program
// is closed and started again must be what the child had, and a file of the first schema
// opens with its history intact.
#include "practising_child.h"
#include "store/sqlite_store.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class StoreHistoryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replay_data();
    void replay();
    void childrenAreApart();
    void firstSchemaMigrates();
    void pin();
    void snapshotAndHistoryAgree();
};

namespace {

QString repeated(const QString &problem, int times)
{
    QString script;
    for (int i = 0; i < times; ++i)
        script += problem + QLatin1Char(';');
    return script;
}

qint64 setUp(SqliteStore &store, const QStringList &children = {QStringLiteral("Ada"), QStringLiteral("Ben")})
{
    if (!store.setUpClass(QStringLiteral("3a"), QStringLiteral("4711"), children))
        qFatal("no class: %s", qPrintable(store.problem()));
    return store.children().constFirst().id;
}

} // namespace

void StoreHistoryTest::replay_data()
{
    QTest::addColumn<QString>("script");
    // Points/errors/problems towards Memory of the one-, two- and three-row trainer, as a
    // child who did the script has them: counted by hand.
    QTest::addColumn<QString>("scores");

    QTest::newRow("one problem right") << "one 4321 3; all" << "5/0/1 0/0/0 0/0/0";
    QTest::newRow("wrong digits and a key") << "one 4321 3; ok 2; bad; key; bad; all" << "5/3/1 0/0/0 0/0/0";
    QTest::newRow("a problem left half done") << "one 4321 3; ok 3" << "3/0/0 0/0/0 0/0/0";
    QTest::newRow("gap problem") << "onegap 4321 3 1; all" << "-/0/1 0/0/0 0/0/0";
    QTest::newRow("Memory taken starts the star again")
        << repeated(QStringLiteral("one 1111 2; all"), 18) + "memory; one 1111 2; all" << "76/0/1 0/0/0 0/0/0";
    QTest::newRow("Zahlfange changes no count") << "one 1111 2; all; catching" << "4/0/1 0/0/0 0/0/0";
    QTest::newRow("two rows, staircase, errors") << "two 5123 47 stair; ok 3; bad; bad; all" << "0/0/0 -/2/1 0/0/0";
    QTest::newRow("three trainers") << "one 4321 3; all; two 5123 47; bad; all; three 4567 238; ok 5; bad"
                                    << "5/0/1 -/1/1 5/1/0";
}

void StoreHistoryTest::replay()
{
    QFETCH(QString, script);
    QFETCH(QString, scores);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("klasse.sqlite"));
    QStringList report;
    std::array<Score, trainerKindCount> live;
    qint64 ada = 0;
    {
        SqliteStore store(file);
        ada = setUp(store);
        Training training;
        PractisingChild child(store.startChild(ada, training));
        child.play(script);
        report = child.report();
        live = child.live.scores;
    }
    SqliteStore reopened(file);
    QVERIFY2(reopened.isStoring(), qPrintable(reopened.problem()));
    Training training;
    training.score(TrainerKind::OneRow).awardPoint(); // whatever was on before goes
    QVERIFY(reopened.startChild(ada, training));
    const QStringList expected = scores.split(QLatin1Char(' '));
    for (TrainerKind t : trainerKinds()) {
        const QStringList e = expected[int(t)].split(QLatin1Char('/'));
        const Score &s = training.score(t);
        // "-": as many points as the problem had digits to write, which the trainer's
        // layout decides.
        if (e[0] != QLatin1String("-"))
            QCOMPARE(s.points(), e[0].toInt());
        QCOMPARE(s.points(), live[std::size_t(t)].points());
        QCOMPARE(s.errors(), e[1].toInt());
        QCOMPARE(s.solvedSinceMemory(), e[2].toInt());
    }
    QCOMPARE(reportLines(training.statistics), report);
}

void StoreHistoryTest::childrenAreApart()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("klasse.sqlite"));
    {
        SqliteStore store(file);
        setUp(store);
        const QList<ChildEntry> children = store.children();
        Training a, b;
        PractisingChild(store.startChild(children[0].id, a)).play(QStringLiteral("one 4321 3; all"));
        PractisingChild(store.startChild(children[1].id, b)).play(QStringLiteral("one 4321 3; bad; ok 2"));
        // Back to the first child in the same run: what it did a moment ago is back.
        Training again;
        store.startChild(children[0].id, again);
        QCOMPARE(again.score(TrainerKind::OneRow).points(), 5);
        QVERIFY(store.removeChild(children[0].id));
    }
    SqliteStore store(file);
    QCOMPARE(store.children().size(), 1);
    QCOMPARE(store.children()[0].name, QStringLiteral("Ben"));
    Training b;
    store.startChild(store.children()[0].id, b);
    QCOMPARE(b.score(TrainerKind::OneRow).points(), 2);
    QCOMPARE(b.score(TrainerKind::OneRow).errors(), 1);
    QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
    raw.setDatabaseName(file);
    QVERIFY(raw.open());
    QSqlQuery orphans(raw);
    QVERIFY(orphans.exec(QStringLiteral("SELECT (SELECT count(*) FROM event WHERE child_id NOT IN (SELECT id FROM child))"
                                        " + (SELECT count(*) FROM session WHERE child_id NOT IN (SELECT id FROM child))")));
    QVERIFY(orphans.next());
    QCOMPARE(orphans.value(0).toInt(), 0);
    orphans.finish();
    raw.close();
    raw = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
}

void StoreHistoryTest::firstSchemaMigrates()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("klasse.sqlite"));
    // A file as the first version wrote it: its schema copied here, never from the code.
    const QStringList firstVersion = {
        "CREATE TABLE class (id INTEGER PRIMARY KEY CHECK (id = 1), name TEXT NOT NULL, pin_salt BLOB NOT NULL,"
        " pin_hash BLOB NOT NULL, pin_rounds INTEGER NOT NULL, created_ms INTEGER NOT NULL)",
        "CREATE TABLE child (id INTEGER PRIMARY KEY, name TEXT NOT NULL, colour TEXT NOT NULL,"
        " initial TEXT NOT NULL, created_ms INTEGER NOT NULL)",
        "CREATE TABLE session (id INTEGER PRIMARY KEY, child_id INTEGER NOT NULL REFERENCES child(id) ON DELETE CASCADE,"
        " started_ms INTEGER NOT NULL, journal TEXT NOT NULL, number INTEGER NOT NULL, UNIQUE (journal, number))",
        "CREATE TABLE event (seq INTEGER PRIMARY KEY, child_id INTEGER NOT NULL REFERENCES child(id) ON DELETE CASCADE,"
        " session_id INTEGER NOT NULL, kind INTEGER NOT NULL, ms INTEGER NOT NULL, trainer INTEGER NOT NULL,"
        " cell INTEGER, digit INTEGER, right INTEGER, first_try INTEGER, reward INTEGER, problem BLOB)",
        "CREATE INDEX event_of_child ON event (child_id, seq)",
        "CREATE TABLE journal_moved (journal TEXT PRIMARY KEY, upto INTEGER NOT NULL)",
        // PIN 4711, salt "salz", one round: SHA-256("salz4711").
        QStringLiteral("INSERT INTO class VALUES (1, '4b', 'salz', X'%1', 1, 0)")
            .arg(QString::fromLatin1(QCryptographicHash::hash("salz4711", QCryptographicHash::Sha256).toHex())),
        "INSERT INTO child VALUES (7, 'Zoe', '#ffb3b3', 'Z', 0)",
        "INSERT INTO child VALUES (3, 'Max', '#a8d1ff', 'M', 0)",
        "INSERT INTO session VALUES (1, 7, 0, 'j', 1)",
        "PRAGMA user_version = 1",
    };
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("first"));
        raw.setDatabaseName(file);
        QVERIFY(raw.open());
        for (const QString &statement : firstVersion) {
            QSqlQuery q(raw);
            QVERIFY2(q.exec(statement), qPrintable(statement));
        }
        // Zoe's one problem, 4321 · 3 all right, as the first version stored it.
        const Exercise exercise = oneRowSingle(WrittenMultiplication(4321, {3}));
        QSqlQuery q(raw);
        q.prepare(QStringLiteral("INSERT INTO event (child_id, session_id, kind, ms, trainer, problem)"
                                 " VALUES (7, 1, 1, 1, 0, ?)"));
        q.addBindValue(problemCode(problemRecordOf(TrainerKind::OneRow, exercise)));
        QVERIFY(q.exec());
        int ms = 2;
        for (const Cell &field : exercise.fields()) {
            if (isCarry(field))
                continue;
            q.prepare(QStringLiteral("INSERT INTO event (child_id, session_id, kind, ms, trainer, cell, digit, right,"
                                     " first_try) VALUES (7, 1, 2, ?, 0, ?, ?, 1, 1)"));
            q.addBindValue(ms++);
            q.addBindValue(cellCode(field));
            q.addBindValue(exercise.expectedDigit(field));
            QVERIFY(q.exec());
        }
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("first"));

    SqliteStore store(file);
    QVERIFY2(store.isStoring(), qPrintable(store.problem()));
    QCOMPARE(store.className(), QStringLiteral("4b"));
    QVERIFY(store.checkPin(QStringLiteral("4711")));
    QCOMPARE(store.retentionMonths(), 0);
    // The order of the menu is the order the children were entered in.
    QCOMPARE(store.children().size(), 2);
    QCOMPARE(store.children()[0].name, QStringLiteral("Max"));
    Training zoe;
    QVERIFY(store.startChild(7, zoe));
    QCOMPARE(zoe.score(TrainerKind::OneRow).points(), 5);
    QCOMPARE(zoe.score(TrainerKind::OneRow).solvedSinceMemory(), 1);
}

void StoreHistoryTest::pin()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("klasse.sqlite"));
    SqliteStore store(file);
    QVERIFY(!store.setUpClass(QStringLiteral("3a"), QStringLiteral("123"), {}));
    QVERIFY(!store.setUpClass(QStringLiteral("3a"), QStringLiteral("12a4"), {}));
    QVERIFY(!QFileInfo::exists(file));
    QVERIFY(store.setUpClass(QStringLiteral("3a"), QStringLiteral("0815"), {}));
    QVERIFY(store.checkPin(QStringLiteral("0815")));
    QVERIFY(!store.checkPin(QStringLiteral("0816")));
    QVERIFY(!store.checkPin(QStringLiteral("08150")));
    QFile bytes(file);
    QVERIFY(store.flush());
    QVERIFY(bytes.open(QIODevice::ReadOnly));
    QVERIFY(!bytes.readAll().contains("0815"));
}

void StoreHistoryTest::snapshotAndHistoryAgree()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("klasse.sqlite"));
    const QStringList sittings = {
        repeated(QStringLiteral("one 4321 3; bad; all; two 5123 47; ok 4; bad; all"), 6),
        QStringLiteral("three 4567 238; bad; bad; all; one 1111 2; key; all; memory"),
        repeated(QStringLiteral("two 5123 47 stair; bad; all; one 9876 5; ok 3"), 4),
    };
    qint64 ada = 0;
    {
        SqliteStore store(file);
        ada = setUp(store);
    }
    for (const QString &sitting : sittings) {
        SqliteStore store(file); // each sitting in a run of its own, as in school
        Training training;
        PractisingChild(store.startChild(ada, training)).play(sitting);
    }
    SqliteStore store(file);
    Training fromSnapshot, fromHistory;
    store.startChild(ada, fromSnapshot);
    store.replayInto(ada, fromHistory);
    QCOMPARE(reportLines(fromSnapshot.statistics), reportLines(fromHistory.statistics));
    for (TrainerKind t : trainerKinds()) {
        QCOMPARE(fromSnapshot.score(t).points(), fromHistory.score(t).points());
        QCOMPARE(fromSnapshot.score(t).errors(), fromHistory.score(t).errors());
        QCOMPARE(fromSnapshot.score(t).solvedSinceMemory(), fromHistory.score(t).solvedSinceMemory());
        QCOMPARE(fromSnapshot.statistics.trainer(t).rightDigits, fromHistory.statistics.trainer(t).rightDigits);
    }
    for (int i = 0; i < skillCount; ++i) {
        const Skill skill = Skill::fromIndex(i);
        QCOMPARE(fromSnapshot.statistics.skills().known(skill), fromHistory.statistics.skills().known(skill));
        QCOMPARE(fromSnapshot.statistics.skills().observations(skill), fromHistory.statistics.skills().observations(skill));
    }
    // One snapshot, renewed at this opening to the whole history.
    QVERIFY(store.flush());
    QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("snap"));
    raw.setDatabaseName(file);
    QVERIFY(raw.open());
    QSqlQuery q(raw);
    QVERIFY(q.exec(QStringLiteral("SELECT count(*), max(upto) = (SELECT max(seq) FROM event) FROM snapshot")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 1);
    QVERIFY(q.value(1).toBool());
    q.finish();
    raw.close();
    raw = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("snap"));
}

QTEST_GUILESS_MAIN(StoreHistoryTest)
#include "tst_store_history.moc"
