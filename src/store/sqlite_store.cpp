#include "store/sqlite_store.h"

#include "store/child_replay.h"
#include "store/event_journal.h"
#include "training/training_snapshot.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <condition_variable>
#include <thread>

namespace {

// SQLite's primary result codes the store tells apart.
enum SqliteCode {
    sqliteOk = 0, sqlitePerm = 3, sqliteBusy = 5, sqliteLocked = 6, sqliteReadOnly = 8, sqliteIoErr = 10,
    sqliteCorrupt = 11, sqliteFull = 13, sqliteCantOpen = 14, sqliteConstraint = 19, sqliteNotADb = 26,
};

int codeOf(const QSqlError &error)
{
    if (error.type() == QSqlError::NoError)
        return sqliteOk;
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : sqliteIoErr;
}

// The schema, one step per version: step i brings a file of version i to version i + 1.
// A step, once released, never changes; a new version adds a step.
const char *const migrations[] = {
    // 1: the class, its children, their sittings and what they did.
    "CREATE TABLE class (id INTEGER PRIMARY KEY CHECK (id = 1), name TEXT NOT NULL,"
    " pin_salt BLOB NOT NULL, pin_hash BLOB NOT NULL, pin_rounds INTEGER NOT NULL,"
    " created_ms INTEGER NOT NULL);"
    "CREATE TABLE child (id INTEGER PRIMARY KEY, name TEXT NOT NULL, colour TEXT NOT NULL,"
    " initial TEXT NOT NULL, created_ms INTEGER NOT NULL);"
    "CREATE TABLE session (id INTEGER PRIMARY KEY,"
    " child_id INTEGER NOT NULL REFERENCES child(id) ON DELETE CASCADE,"
    " started_ms INTEGER NOT NULL, journal TEXT NOT NULL, number INTEGER NOT NULL,"
    " UNIQUE (journal, number));"
    "CREATE TABLE event (seq INTEGER PRIMARY KEY,"
    " child_id INTEGER NOT NULL REFERENCES child(id) ON DELETE CASCADE,"
    " session_id INTEGER NOT NULL, kind INTEGER NOT NULL, ms INTEGER NOT NULL,"
    " trainer INTEGER NOT NULL, cell INTEGER, digit INTEGER, right INTEGER, first_try INTEGER,"
    " reward INTEGER, problem BLOB);"
    "CREATE INDEX event_of_child ON event (child_id, seq);"
    "CREATE TABLE journal_moved (journal TEXT PRIMARY KEY, upto INTEGER NOT NULL);",
    // 2: the children's order on the menu, how long history is kept, the last sitting.
    "ALTER TABLE child ADD COLUMN position INTEGER NOT NULL DEFAULT 0;"
    "UPDATE child SET position = id;"
    "ALTER TABLE class ADD COLUMN retention_months INTEGER NOT NULL DEFAULT 0;"
    "CREATE INDEX session_of_child ON session (child_id, started_ms);"
    // A cache of what the history made of the child: upto is the last event read into it.
    "CREATE TABLE snapshot (child_id INTEGER PRIMARY KEY REFERENCES child(id) ON DELETE CASCADE,"
    " upto INTEGER NOT NULL, version INTEGER NOT NULL, state BLOB NOT NULL);",
};
static_assert(std::size(migrations) == SqliteStore::schemaVersion);

// Colours of the children's buttons, light enough for black letters.
const char *const palette[] = {
    "#ffb3b3", "#ffd699", "#fff099", "#c2f0a3", "#a3e0d6", "#a8d1ff",
    "#c9b8ff", "#f5b3e6", "#e0c9a6", "#d9d9d9", "#b3f0f0", "#f0c2a3",
};

constexpr int pinRounds = 60000;

QByteArray pinHash(const QByteArray &salt, const QString &pin, int rounds)
{
    const QByteArray secret = pin.toUtf8();
    QByteArray hash = QCryptographicHash::hash(salt + secret, QCryptographicHash::Sha256);
    for (int i = 1; i < rounds; ++i)
        hash = QCryptographicHash::hash(hash + salt + secret, QCryptographicHash::Sha256);
    return hash;
}

QString initialOf(const QString &name)
{
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("?") : trimmed.left(1).toUpper();
}

// A journal record: a sitting begun, one event of it, or a snapshot of the child's state.
constexpr quint8 sittingBegun = 0;
constexpr quint8 snapshotTaken = 0x10;

QByteArray recordOf(qint64 child, quint32 sitting, quint8 type, qint64 msecs, const PracticeEvent *event)
{
    QByteArray record;
    record.reserve(48);
    QDataStream out(&record, QIODevice::WriteOnly);
    out << type << child << sitting << msecs;
    if (!event)
        return record;
    out << quint8(event->trainer);
    switch (event->kind) {
    case PracticeEvent::Kind::ProblemStarted:
        out << problemCode(event->problem);
        break;
    case PracticeEvent::Kind::DigitWritten:
        out << quint16(cellCode(event->digit.cell)) << qint8(event->digit.digit ? *event->digit.digit : -1)
            << event->digit.right << event->digit.firstTry;
        break;
    case PracticeEvent::Kind::ProblemSolved:
        break;
    case PracticeEvent::Kind::RewardTaken:
        out << quint8(event->reward);
        break;
    }
    return record;
}

QByteArray recordOf(qint64 child, quint32 sitting, quint8 type, qint64 msecs, const QByteArray &bytes)
{
    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out << type << child << sitting << msecs << bytes;
    return record;
}

struct Record
{
    quint8 type = sittingBegun;
    qint64 child = 0;
    quint32 sitting = 0;
    qint64 msecs = 0;
    quint8 trainer = 0;
    QByteArray problem;
    quint16 cell = 0;
    qint8 digit = -1;
    bool right = false, firstTry = false;
    quint8 reward = 0;
};

bool readRecord(const QByteArray &bytes, Record &r)
{
    QDataStream in(bytes);
    in >> r.type >> r.child >> r.sitting >> r.msecs;
    if (r.type == snapshotTaken)
        in >> r.problem;
    else if (r.type != sittingBegun) {
        in >> r.trainer;
        switch (PracticeEvent::Kind(r.type)) {
        case PracticeEvent::Kind::ProblemStarted: in >> r.problem; break;
        case PracticeEvent::Kind::DigitWritten: in >> r.cell >> r.digit >> r.right >> r.firstTry; break;
        case PracticeEvent::Kind::ProblemSolved: break;
        case PracticeEvent::Kind::RewardTaken: in >> r.reward; break;
        default: return false;
        }
    }
    return in.status() == QDataStream::Ok;
}

bool run(QSqlDatabase db, const QString &statement, int *code = nullptr)
{
    QSqlQuery query(db);
    const bool ok = query.exec(statement);
    if (code)
        *code = codeOf(query.lastError());
    return ok;
}

bool runAll(QSqlDatabase db, const char *statements, int *code)
{
    for (const QString &statement : QString::fromUtf8(statements).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!run(db, statement, code))
            return false;
    }
    return true;
}

// Moves the records of `journal` from `from` into the database in one transaction, with the
// position reached, so that a run that ends in between moves nothing twice. `sittings`
// keeps the sittings' ids by their number in the journal.
int moveJournal(QSqlDatabase db, EventJournal &journal, quint64 from, quint64 *next,
                QHash<quint32, qint64> &sittings)
{
    const QList<QByteArray> records = journal.read(from, next);
    if (records.isEmpty())
        return sqliteOk;
    int code = sqliteOk;
    if (!run(db, QStringLiteral("BEGIN IMMEDIATE"), &code))
        return code;
    QSqlQuery beginSitting(db), findSitting(db), insert(db), moved(db);
    beginSitting.prepare(QStringLiteral("INSERT OR IGNORE INTO session (child_id, started_ms, journal, number)"
                                        " VALUES (?, ?, ?, ?)"));
    findSitting.prepare(QStringLiteral("SELECT id FROM session WHERE journal = ? AND number = ?"));
    insert.prepare(QStringLiteral("INSERT INTO event (child_id, session_id, kind, ms, trainer, cell, digit,"
                                  " right, first_try, reward, problem) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const auto fail = [&](const QSqlQuery &query) {
        const int failed = codeOf(query.lastError());
        run(db, QStringLiteral("ROLLBACK"));
        sittings.clear(); // the ids of the rolled back sittings are gone
        return failed;
    };
    const QVariant none;
    for (const QByteArray &bytes : records) {
        Record r;
        if (!readRecord(bytes, r))
            continue;
        if (r.type == snapshotTaken) {
            QSqlQuery snapshot(db);
            snapshot.prepare(QStringLiteral("INSERT OR REPLACE INTO snapshot (child_id, upto, version, state)"
                                            " VALUES (?, ?, ?, ?)"));
            snapshot.addBindValue(r.child);
            snapshot.addBindValue(r.msecs);
            snapshot.addBindValue(TrainingSnapshot::version);
            snapshot.addBindValue(r.problem);
            if (!snapshot.exec() && codeOf(snapshot.lastError()) != sqliteConstraint)
                return fail(snapshot);
            continue;
        }
        if (r.type == sittingBegun) {
            beginSitting.addBindValue(r.child);
            beginSitting.addBindValue(r.msecs);
            beginSitting.addBindValue(journal.name());
            beginSitting.addBindValue(r.sitting);
            if (!beginSitting.exec() && codeOf(beginSitting.lastError()) != sqliteConstraint)
                return fail(beginSitting); // a child deleted meanwhile is no failure
        }
        qint64 sitting = sittings.value(r.sitting, -1);
        if (sitting < 0) {
            findSitting.addBindValue(journal.name());
            findSitting.addBindValue(r.sitting);
            if (!findSitting.exec())
                return fail(findSitting);
            if (!findSitting.next())
                continue; // its child is gone
            sitting = findSitting.value(0).toLongLong();
            findSitting.finish();
            sittings.insert(r.sitting, sitting);
        }
        if (r.type == sittingBegun)
            continue;
        const auto kind = PracticeEvent::Kind(r.type);
        const bool digit = kind == PracticeEvent::Kind::DigitWritten;
        insert.addBindValue(r.child);
        insert.addBindValue(sitting);
        insert.addBindValue(int(r.type));
        insert.addBindValue(r.msecs);
        insert.addBindValue(int(r.trainer));
        insert.addBindValue(digit ? QVariant(int(r.cell)) : none);
        insert.addBindValue(digit && r.digit >= 0 ? QVariant(int(r.digit)) : none);
        insert.addBindValue(digit ? QVariant(int(r.right)) : none);
        insert.addBindValue(digit ? QVariant(int(r.firstTry)) : none);
        insert.addBindValue(kind == PracticeEvent::Kind::RewardTaken ? QVariant(int(r.reward)) : none);
        insert.addBindValue(kind == PracticeEvent::Kind::ProblemStarted ? QVariant(r.problem) : none);
        if (!insert.exec() && codeOf(insert.lastError()) != sqliteConstraint)
            return fail(insert);
    }
    moved.prepare(QStringLiteral("INSERT OR REPLACE INTO journal_moved (journal, upto) VALUES (?, ?)"));
    moved.addBindValue(journal.name());
    moved.addBindValue(qint64(*next));
    if (!moved.exec())
        return fail(moved);
    if (!run(db, QStringLiteral("COMMIT"), &code)) {
        run(db, QStringLiteral("ROLLBACK"));
        sittings.clear();
        return code;
    }
    return sqliteOk;
}

QString failureText(int code, const QString &file)
{
    switch (code) {
    case sqliteFull:
        return QStringLiteral("Der Datenträger ist voll: Die Klassendatei „%1“ kann nicht wachsen.").arg(file);
    case sqliteReadOnly: case sqlitePerm: case sqliteCantOpen:
        return QStringLiteral("Die Klassendatei „%1“ oder ihr Ordner ist schreibgeschützt.").arg(file);
    case sqliteCorrupt: case sqliteNotADb:
        return QStringLiteral("Die Klassendatei „%1“ ist beschädigt.").arg(file);
    default:
        return QStringLiteral("Die Klassendatei „%1“ kann nicht beschrieben werden (Fehler %2).").arg(file).arg(code);
    }
}

QSqlDatabase addConnection(const QString &name, const QString &file)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(file);
    // Another program's commit is waited for; only the writer thread and the teacher's
    // changes write, never a drop.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    return db;
}

// Every connection: the child's data go with it when a child is deleted, deleted data are
// overwritten in the file, and a commit is on the disk when it ends.
bool setUpConnection(QSqlDatabase db, int *code)
{
    return run(db, QStringLiteral("PRAGMA foreign_keys = ON"), code)
           && run(db, QStringLiteral("PRAGMA secure_delete = ON"), code)
           && run(db, QStringLiteral("PRAGMA synchronous = FULL"), code);
}

QAtomicInteger<quint64> connectionSerial;

} // namespace

// Moves this run's journal into the database, on a thread of its own.
class SqliteStore::Writer
{
public:
    Writer(const QString &file, EventJournal &journal, std::function<void(int)> failed)
        : m_file(file), m_journal(journal), m_failed(std::move(failed))
    {
        m_thread = std::thread([this] { work(); });
    }

    ~Writer()
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

    // Never waits: the window's thread takes no lock the writer might hold while the
    // scheduler has put it aside. A wake-up that slips in just before the writer sleeps is
    // caught by its next look, at most a moment later.
    void wake() { m_wake.notify_one(); }

    bool flush(int timeoutMs)
    {
        const quint64 end = m_journal.end();
        wake();
        std::unique_lock<std::mutex> lock(m_lock);
        return m_movedCondition.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                         [&] { return m_moved >= end || m_failing; });
    }

    bool allMoved()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_moved >= m_journal.end();
    }

private:
    void work()
    {
        const QString name = QStringLiteral("malrechnen-writer-%1").arg(++connectionSerial);
        {
            QSqlDatabase db = addConnection(name, m_file);
            int code = sqliteOk;
            if (!db.open() || !setUpConnection(db, &code))
                report(code ? code : sqliteCantOpen);
            QHash<quint32, qint64> sittings;
            for (;;) {
                {
                    std::unique_lock<std::mutex> lock(m_lock);
                    const auto due = [&] { return m_stop || m_journal.end() > m_moved; };
                    if (m_failing)
                        m_wake.wait_for(lock, std::chrono::seconds(5), [&] { return m_stop; });
                    else
                        m_wake.wait_for(lock, std::chrono::milliseconds(50), due);
                    if (m_stop && (m_failing || m_journal.end() <= m_moved))
                        break;
                }
                quint64 next = 0;
                const int code = db.isOpen() ? moveJournal(db, m_journal, m_moved, &next, sittings) : sqliteCantOpen;
                if (code == sqliteBusy || code == sqliteLocked)
                    continue; // another program writes for a long while: try again
                std::lock_guard<std::mutex> lock(m_lock);
                if (code != sqliteOk) {
                    if (!m_failing)
                        m_failed(code);
                    m_failing = true;
                } else {
                    m_failing = false;
                    if (next > m_moved) {
                        m_moved = next;
                        m_journal.moved(next);
                    }
                }
                m_movedCondition.notify_all();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        std::lock_guard<std::mutex> lock(m_lock);
        m_movedCondition.notify_all();
    }

    void report(int code)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_failing = true;
        m_failed(code);
    }

    QString m_file;
    EventJournal &m_journal;
    std::function<void(int)> m_failed;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_movedCondition;
    bool m_stop = false;
    bool m_failing = false;
    quint64 m_moved = 0;
    std::thread m_thread;
};

// The practice log of the child at the computer: each event into the journal, nothing more
// on the window's thread.
class SqliteStore::ChildLog final : public PracticeLog
{
public:
    ChildLog(SqliteStore &store, qint64 child, quint32 sitting)
        : m_store(store), m_child(child), m_sitting(sitting)
    {
        m_store.handOn(recordOf(m_child, m_sitting, sittingBegun, QDateTime::currentMSecsSinceEpoch(), nullptr));
    }

    void problemStarted(const ProblemRecord &problem, qint64 msecs) override
    {
        PracticeEvent event;
        event.kind = PracticeEvent::Kind::ProblemStarted;
        event.trainer = problem.trainer;
        event.problem = problem;
        hand(event, msecs);
    }
    void digitWritten(const DigitRecord &digit, qint64 msecs) override
    {
        PracticeEvent event;
        event.kind = PracticeEvent::Kind::DigitWritten;
        event.trainer = digit.trainer;
        event.digit = digit;
        hand(event, msecs);
    }
    void problemSolved(TrainerKind trainer, qint64 msecs) override
    {
        PracticeEvent event;
        event.kind = PracticeEvent::Kind::ProblemSolved;
        event.trainer = trainer;
        hand(event, msecs);
    }
    void rewardTaken(TrainerKind trainer, RewardKind reward, qint64 msecs) override
    {
        PracticeEvent event;
        event.kind = PracticeEvent::Kind::RewardTaken;
        event.trainer = trainer;
        event.reward = reward;
        hand(event, msecs);
    }

private:
    void hand(const PracticeEvent &event, qint64 msecs)
    {
        m_store.handOn(recordOf(m_child, m_sitting, quint8(event.kind), msecs, &event));
    }

    SqliteStore &m_store;
    qint64 m_child;
    quint32 m_sitting;
};

SqliteStore::SqliteStore(const QString &file)
    : SqliteStore(file, Options())
{
}

SqliteStore::SqliteStore(const QString &file, const Options &options)
    : m_file(QFileInfo(file).absoluteFilePath())
    , m_options(options)
    , m_connection(QStringLiteral("malrechnen-store-%1").arg(++connectionSerial))
{
    open();
}

SqliteStore::~SqliteStore()
{
    m_log.reset();
    m_writer.reset(); // moves what it can first
    if (m_journal) {
        // A journal the writer could not empty waits for the next run.
        if (m_storing)
            m_journal->remove();
        m_journal.reset();
    }
    if (QSqlDatabase::contains(m_connection)) {
        db().close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QSqlDatabase SqliteStore::db() const
{
    return QSqlDatabase::database(m_connection, false);
}

QString SqliteStore::journalFolder(const QString &file)
{
    return QFileInfo(file).absoluteFilePath() + QStringLiteral(".journale");
}

bool SqliteStore::isStoring() const
{
    return m_storing;
}

QString SqliteStore::problem() const
{
    std::lock_guard<std::mutex> lock(m_problemLock);
    return m_problem;
}

void SqliteStore::setFailureHandler(std::function<void(const QString &)> handler)
{
    std::lock_guard<std::mutex> lock(m_problemLock);
    m_onFailure = std::move(handler);
}

void SqliteStore::stopStoring(const QString &problem)
{
    std::function<void(const QString &)> tell;
    const QString text = problem + QStringLiteral(" Es wird weiter geübt, aber nichts gespeichert.");
    {
        std::lock_guard<std::mutex> lock(m_problemLock);
        m_storing = false;
        if (!m_problem.isEmpty())
            return; // said once
        m_problem = text;
        tell = m_onFailure;
    }
    if (tell)
        tell(text);
}

bool SqliteStore::openConnection(int *failed)
{
    QSqlDatabase db = addConnection(m_connection, m_file);
    if (!db.open()) {
        *failed = codeOf(db.lastError());
        return false;
    }
    return setUpConnection(db, failed);
}

void SqliteStore::setAside(const QString &why)
{
    db().close();
    QSqlDatabase::removeDatabase(m_connection);
    const QFileInfo info(m_file);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    const QString aside = info.dir().filePath(
        QStringLiteral("%1-beschaedigt-%2.%3").arg(info.completeBaseName(), stamp, info.suffix()));
    bool moved = QFile::rename(m_file, aside);
    for (const char *companion : {"-wal", "-shm"}) {
        if (QFile::exists(m_file + QLatin1String(companion)))
            QFile::rename(m_file + QLatin1String(companion), aside + QLatin1String(companion));
    }
    m_hasClass = false;
    stopStoring(moved ? QStringLiteral("%1 Sie wurde als „%2“ beiseitegelegt; eine Klasse kann neu eingerichtet "
                                       "werden.").arg(why, QFileInfo(aside).fileName())
                      : why);
}

void SqliteStore::open()
{
    const QFileInfo info(m_file);
    if (!info.exists())
        return; // no class: nothing is written
    if (!info.isReadable() || !info.isWritable()) {
        stopStoring(QStringLiteral("Die Klassendatei „%1“ darf dieses Programm nicht %2 (keine Berechtigung).")
                        .arg(m_file, info.isReadable() ? QStringLiteral("beschreiben")
                                                       : QStringLiteral("lesen")));
        return;
    }
    if (!QFileInfo(info.absolutePath()).isWritable()) {
        stopStoring(QStringLiteral("Im Ordner „%1“ darf dieses Programm nicht schreiben.").arg(info.absolutePath()));
        return;
    }
    // The header tells a file of another program or of a newer version before SQLite
    // touches it (opening it would add its companions).
    QFile header(m_file);
    if (header.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = header.read(100);
        if (bytes.size() < 100 || !bytes.startsWith(QByteArrayLiteral("SQLite format 3\0"))) {
            setAside(QStringLiteral("Die Klassendatei „%1“ ist beschädigt und kann nicht gelesen werden.").arg(m_file));
            return;
        }
        const int stamped = int(quint8(bytes[60])) << 24 | int(quint8(bytes[61])) << 16 | int(quint8(bytes[62])) << 8
                            | int(quint8(bytes[63]));
        if (stamped > schemaVersion) {
            stopStoring(QStringLiteral("Die Klassendatei „%1“ stammt von einer neueren Version von Malrechnen und "
                                       "wird nicht verändert.").arg(m_file));
            return;
        }
    }
    int opened = sqliteOk;
    if (!openConnection(&opened)) {
        if (opened == sqliteCorrupt || opened == sqliteNotADb)
            setAside(QStringLiteral("Die Klassendatei „%1“ ist beschädigt und kann nicht gelesen werden.").arg(m_file));
        else
            stopStoring(failureText(opened, m_file));
        return;
    }
    QSqlQuery query(db());
    int version = 0;
    if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next())
        version = query.value(0).toInt();
    const int code = codeOf(query.lastError());
    query.finish();
    if (code == sqliteCorrupt || code == sqliteNotADb) {
        setAside(QStringLiteral("Die Klassendatei „%1“ ist beschädigt und kann nicht gelesen werden.").arg(m_file));
        return;
    }
    if (code != sqliteOk) {
        stopStoring(failureText(code, m_file));
        return;
    }
    if (version > schemaVersion) {
        stopStoring(QStringLiteral("Die Klassendatei „%1“ stammt von einer neueren Version von Malrechnen und "
                                   "wird nicht verändert.").arg(m_file));
        return;
    }
    int failed = sqliteOk;
    if (!run(db(), QStringLiteral("PRAGMA journal_mode = WAL"), &failed) || !migrate(version, &failed)) {
        if (failed == sqliteCorrupt || failed == sqliteNotADb)
            setAside(QStringLiteral("Die Klassendatei „%1“ ist beschädigt und kann nicht gelesen werden.").arg(m_file));
        else
            stopStoring(failureText(failed, m_file));
        return;
    }
    QSqlQuery check(db());
    if (!check.exec(QStringLiteral("SELECT count(*) FROM class")) || !check.next()) {
        const int failed = codeOf(check.lastError());
        check.finish();
        if (failed == sqliteCorrupt || failed == sqliteNotADb || failed == sqliteOk)
            setAside(QStringLiteral("Die Klassendatei „%1“ ist beschädigt und kann nicht gelesen werden.").arg(m_file));
        else
            stopStoring(failureText(failed, m_file));
        return;
    }
    m_hasClass = check.value(0).toInt() == 1;
    check.finish();
    if (m_hasClass && startWriting())
        deleteExpired();
}

bool SqliteStore::migrate(int version, int *failed)
{
    if (version == schemaVersion)
        return true;
    int &code = *failed;
    if (!run(db(), QStringLiteral("BEGIN IMMEDIATE"), &code))
        return false;
    // Another program may have migrated the file meanwhile.
    QSqlQuery query(db());
    if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next())
        version = query.value(0).toInt();
    query.finish();
    bool ok = true;
    for (int step = version; ok && step < schemaVersion; ++step)
        ok = runAll(db(), migrations[step], &code);
    ok = ok && run(db(), QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion), &code)
         && run(db(), QStringLiteral("COMMIT"), &code);
    if (!ok)
        run(db(), QStringLiteral("ROLLBACK"));
    return ok;
}

bool SqliteStore::startWriting()
{
    // Journals of runs that ended before their writer had moved everything: moved now,
    // before any child's history is read.
    const QString folder = journalFolder(m_file);
    for (const QString &path : EventJournal::journalsIn(folder)) {
        std::unique_ptr<EventJournal> orphan = EventJournal::adopt(path);
        if (!orphan)
            continue;
        QSqlQuery query(db());
        quint64 from = 0;
        query.prepare(QStringLiteral("SELECT upto FROM journal_moved WHERE journal = ?"));
        query.addBindValue(orphan->name());
        if (query.exec() && query.next())
            from = quint64(query.value(0).toLongLong());
        query.finish();
        QHash<quint32, qint64> sittings;
        quint64 next = 0;
        const int code = moveJournal(db(), *orphan, from, &next, sittings);
        if (code != sqliteOk) {
            stopStoring(failureText(code, m_file));
            return false;
        }
        orphan->remove();
    }
    QString error;
    m_journal = EventJournal::create(folder, m_options.journalCapacity, &error);
    if (!m_journal) {
        stopStoring(QStringLiteral("Der Zwischenspeicher im Ordner „%1“ kann nicht angelegt werden (%2).")
                        .arg(folder, error));
        return false;
    }
    m_storing = true;
    m_writer = std::make_unique<Writer>(m_file, *m_journal, [this](int code) {
        stopStoring(failureText(code, m_file)
                    + QStringLiteral(" Was jetzt geübt wird, holt Malrechnen beim nächsten Start nach, wenn es "
                                     "dann geht."));
    });
    return true;
}

void SqliteStore::deleteExpired()
{
    const int months = retentionMonths();
    if (months <= 0)
        return;
    const qint64 cutoff = QDateTime::currentDateTime().addMonths(-months).toMSecsSinceEpoch();
    QSqlQuery query(db());
    query.prepare(QStringLiteral("DELETE FROM event WHERE ms < ?"));
    query.addBindValue(cutoff);
    query.exec();
    // A sitting lasts less than a day: one begun a day before the limit has no events left.
    query.prepare(QStringLiteral("DELETE FROM session WHERE started_ms < ?"));
    query.addBindValue(cutoff - 24 * 3600 * 1000);
    query.exec();
    // What the deleted history made of the children is read anew from what is left.
    query.exec(QStringLiteral("DELETE FROM snapshot"));
}

bool SqliteStore::handOn(const QByteArray &record)
{
    if (!m_journal)
        return false;
    if (!m_journal->append(record)) {
        stopStoring(QStringLiteral("Die Klassendatei „%1“ kommt mit dem Speichern nicht nach.").arg(m_file));
        return false;
    }
    m_writer->wake();
    return true;
}

bool SqliteStore::flush(int timeoutMs) const
{
    return m_writer ? m_writer->flush(timeoutMs) && m_writer->allMoved() : false;
}

QString SqliteStore::className() const
{
    QSqlQuery query(db());
    if (m_hasClass && query.exec(QStringLiteral("SELECT name FROM class")) && query.next())
        return query.value(0).toString();
    return QString();
}

QList<ChildEntry> SqliteStore::children() const
{
    QList<ChildEntry> children;
    if (!m_hasClass)
        return children;
    QSqlQuery query(db());
    query.exec(QStringLiteral("SELECT id, name, colour, initial FROM child ORDER BY position, id"));
    while (query.next())
        children << ChildEntry{query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString(),
                               query.value(3).toString()};
    return children;
}

qint64 SqliteStore::insertChild(const QString &name, int position)
{
    QSqlQuery query(db());
    query.prepare(QStringLiteral("INSERT INTO child (name, colour, initial, created_ms, position)"
                                 " VALUES (?, ?, ?, ?, ?)"));
    query.addBindValue(name.trimmed());
    query.addBindValue(QString::fromLatin1(palette[position % std::size(palette)]));
    query.addBindValue(initialOf(name));
    query.addBindValue(QDateTime::currentMSecsSinceEpoch());
    query.addBindValue(position);
    return query.exec() ? query.lastInsertId().toLongLong() : -1;
}

bool SqliteStore::setUpClass(const QString &name, const QString &pin, const QStringList &children)
{
    if (m_hasClass || QFileInfo::exists(m_file) || pin.size() < 4
        || !std::all_of(pin.cbegin(), pin.cend(), [](QChar c) { return c.isDigit(); }))
        return false;
    if (!QDir().mkpath(QFileInfo(m_file).absolutePath())) {
        stopStoring(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.").arg(QFileInfo(m_file).absolutePath()));
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(m_problemLock);
        m_problem.clear();
    }
    int opened = sqliteOk;
    if (!openConnection(&opened)) {
        stopStoring(failureText(opened, m_file));
        return false;
    }
    const QByteArray salt = [] {
        QByteArray bytes(16, Qt::Uninitialized);
        QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), 4);
        return bytes;
    }();
    int failed = sqliteOk;
    bool ok = run(db(), QStringLiteral("PRAGMA journal_mode = WAL"), &failed) && migrate(0, &failed)
              && run(db(), QStringLiteral("BEGIN IMMEDIATE"));
    if (ok) {
        QSqlQuery query(db());
        query.prepare(QStringLiteral("INSERT INTO class (id, name, pin_salt, pin_hash, pin_rounds, created_ms)"
                                     " VALUES (1, ?, ?, ?, ?, ?)"));
        query.addBindValue(name.trimmed());
        query.addBindValue(salt);
        query.addBindValue(pinHash(salt, pin, pinRounds));
        query.addBindValue(pinRounds);
        query.addBindValue(QDateTime::currentMSecsSinceEpoch());
        ok = query.exec();
        int position = 0;
        for (const QString &child : children) {
            if (ok && !child.trimmed().isEmpty())
                ok = insertChild(child, position++) >= 0;
        }
        ok = ok && run(db(), QStringLiteral("COMMIT"));
        if (!ok)
            run(db(), QStringLiteral("ROLLBACK"));
    }
    if (!ok) {
        // Only the file just made goes; nobody else's class was in it.
        stopStoring(failureText(failed, m_file));
        db().close();
        QSqlDatabase::removeDatabase(m_connection);
        for (const char *companion : {"", "-wal", "-shm"})
            QFile::remove(m_file + QLatin1String(companion));
        return false;
    }
    m_hasClass = true;
    return startWriting();
}

bool SqliteStore::renameClass(const QString &name)
{
    QSqlQuery query(db());
    query.prepare(QStringLiteral("UPDATE class SET name = ?"));
    query.addBindValue(name.trimmed());
    return m_hasClass && !name.trimmed().isEmpty() && query.exec();
}

std::optional<qint64> SqliteStore::addChild(const QString &name)
{
    if (!m_hasClass || name.trimmed().isEmpty())
        return std::nullopt;
    QSqlQuery query(db());
    int position = 0;
    if (query.exec(QStringLiteral("SELECT coalesce(max(position), -1) + 1 FROM child")) && query.next())
        position = query.value(0).toInt();
    query.finish();
    const qint64 id = insertChild(name, position);
    return id >= 0 ? std::optional<qint64>(id) : std::nullopt;
}

bool SqliteStore::renameChild(qint64 child, const QString &name)
{
    QSqlQuery query(db());
    query.prepare(QStringLiteral("UPDATE child SET name = ?, initial = ? WHERE id = ?"));
    query.addBindValue(name.trimmed());
    query.addBindValue(initialOf(name));
    query.addBindValue(child);
    return m_hasClass && !name.trimmed().isEmpty() && query.exec() && query.numRowsAffected() == 1;
}

bool SqliteStore::removeChild(qint64 child)
{
    if (!m_hasClass)
        return false;
    flush();
    bool ok = run(db(), QStringLiteral("BEGIN IMMEDIATE"));
    for (const char *table : {"event WHERE child_id", "session WHERE child_id", "snapshot WHERE child_id", "child WHERE id"}) {
        QSqlQuery query(db());
        query.prepare(QStringLiteral("DELETE FROM %1 = ?").arg(QLatin1String(table)));
        query.addBindValue(child);
        ok = ok && query.exec();
    }
    ok = ok && run(db(), QStringLiteral("COMMIT"));
    if (!ok) {
        run(db(), QStringLiteral("ROLLBACK"));
        return false;
    }
    // The deleted pages leave the write-ahead log too.
    run(db(), QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    return true;
}

bool SqliteStore::removeClass()
{
    if (!m_hasClass)
        return false;
    m_log.reset();
    m_writer.reset();
    if (m_journal) {
        m_journal->remove();
        m_journal.reset();
    }
    db().close();
    QSqlDatabase::removeDatabase(m_connection);
    bool ok = true;
    for (const char *companion : {"", "-wal", "-shm"}) {
        const QString path = m_file + QLatin1String(companion);
        ok = (!QFile::exists(path) || QFile::remove(path)) && ok;
    }
    QDir(journalFolder(m_file)).removeRecursively();
    m_hasClass = false;
    m_storing = false;
    return ok;
}

bool SqliteStore::checkPin(const QString &pin) const
{
    QSqlQuery query(db());
    if (!m_hasClass || !query.exec(QStringLiteral("SELECT pin_salt, pin_hash, pin_rounds FROM class")) || !query.next())
        return false;
    const QByteArray expected = query.value(1).toByteArray();
    const QByteArray given = pinHash(query.value(0).toByteArray(), pin, query.value(2).toInt());
    // Compared in full, whatever differs first.
    int differs = int(expected.size() != given.size());
    for (qsizetype i = 0; i < std::min(expected.size(), given.size()); ++i)
        differs |= expected[i] ^ given[i];
    return differs == 0;
}

int SqliteStore::retentionMonths() const
{
    QSqlQuery query(db());
    if (m_hasClass && query.exec(QStringLiteral("SELECT retention_months FROM class")) && query.next())
        return query.value(0).toInt();
    return 0;
}

bool SqliteStore::setRetentionMonths(int months)
{
    QSqlQuery query(db());
    query.prepare(QStringLiteral("UPDATE class SET retention_months = ?"));
    query.addBindValue(std::max(0, months));
    if (!m_hasClass || !query.exec())
        return false;
    deleteExpired();
    return true;
}

int SqliteStore::replayInto(qint64 child, Training &training) const
{
    return replayInto(child, training, 0, nullptr);
}

int SqliteStore::replayInto(qint64 child, Training &training, qint64 after, qint64 *last) const
{
    ChildReplay replay(training, after == 0 ? ChildReplay::Start::Afresh : ChildReplay::Start::AsItIs);
    QSqlQuery query(db());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT kind, ms, trainer, cell, digit, right, first_try, reward, problem, seq"
                                 " FROM event WHERE child_id = ? AND seq > ? ORDER BY seq"));
    query.addBindValue(child);
    query.addBindValue(after);
    if (!query.exec())
        return -1;
    int count = 0;
    PracticeEvent event;
    while (query.next()) {
        ++count;
        if (last)
            *last = query.value(9).toLongLong();
        event.kind = PracticeEvent::Kind(query.value(0).toInt());
        event.msecs = query.value(1).toLongLong();
        const int trainer = query.value(2).toInt();
        if (trainer < 0 || trainer >= trainerKindCount)
            continue;
        event.trainer = TrainerKind(trainer);
        switch (event.kind) {
        case PracticeEvent::Kind::ProblemStarted: {
            const std::optional<ProblemRecord> problem = problemOfCode(query.value(8).toByteArray());
            if (!problem)
                event.problem = ProblemRecord(); // played as nothing
            else
                event.problem = *problem;
            event.problem.trainer = event.trainer;
            break;
        }
        case PracticeEvent::Kind::DigitWritten: {
            event.digit.trainer = event.trainer;
            event.digit.cell = cellOfCode(query.value(3).toInt());
            const QVariant digit = query.value(4);
            event.digit.digit = digit.isNull() ? std::nullopt : std::optional<int>(digit.toInt());
            event.digit.right = query.value(5).toBool();
            event.digit.firstTry = query.value(6).toBool();
            break;
        }
        case PracticeEvent::Kind::RewardTaken:
            event.reward = RewardKind(query.value(7).toInt());
            break;
        case PracticeEvent::Kind::ProblemSolved:
            break;
        }
        replay.apply(event);
    }
    return count;
}

void SqliteStore::childState(qint64 child, Training &training)
{
    // What this run handed on before must be read back too.
    flush();
    // A snapshot of an earlier opening, and the sittings since: a sitting ends every problem
    // it began, so the history read on from there leaves nothing half done.
    QSqlQuery query(db());
    qint64 upto = 0;
    query.prepare(QStringLiteral("SELECT upto, state FROM snapshot WHERE child_id = ? AND version = ?"));
    query.addBindValue(child);
    query.addBindValue(TrainingSnapshot::version);
    if (query.exec() && query.next() && TrainingSnapshot::restore(query.value(1).toByteArray(), training))
        upto = query.value(0).toLongLong();
    query.finish();
    qint64 last = upto;
    replayInto(child, training, upto, &last);
    if (last > upto)
        handOn(recordOf(child, 0, snapshotTaken, last, TrainingSnapshot::of(training)));
}

ChildActivity SqliteStore::activity(qint64 child, qint64 sinceMsecs)
{
    ChildActivity activity;
    if (!m_hasClass)
        return activity;
    flush();
    QSqlQuery query(db());
    query.prepare(QStringLiteral("SELECT max(started_ms) FROM session WHERE child_id = ?"));
    query.addBindValue(child);
    if (query.exec() && query.next())
        activity.lastMsecs = query.value(0).toLongLong();
    query.finish();
    // From the newest event back: only the recent part of the history is read.
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT kind, ms FROM event WHERE child_id = ? ORDER BY seq DESC"));
    query.addBindValue(child);
    if (query.exec()) {
        while (query.next() && query.value(1).toLongLong() >= sinceMsecs) {
            if (query.value(0).toInt() == int(PracticeEvent::Kind::ProblemSolved))
                ++activity.solvedSince;
        }
    }
    return activity;
}

PracticeLog *SqliteStore::startChild(qint64 child, Training &training)
{
    m_log.reset();
    if (!m_hasClass)
        return nullptr;
    QSqlQuery query(db());
    query.prepare(QStringLiteral("SELECT 1 FROM child WHERE id = ?"));
    query.addBindValue(child);
    if (!query.exec() || !query.next())
        return nullptr;
    query.finish();
    childState(child, training);
    m_log = std::make_unique<ChildLog>(*this, child, ++m_sessions);
    return m_log.get();
}

QString SqliteStore::disclosure(qint64 child) const
{
    flush(); // what the child did a moment ago belongs to it too
    QString text;
    QSqlQuery query(db());
    query.prepare(QStringLiteral("SELECT name, colour, initial, created_ms FROM child WHERE id = ?"));
    query.addBindValue(child);
    if (!m_hasClass || !query.exec() || !query.next())
        return text;
    const auto when = [](qint64 ms) {
        return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    };
    text += QStringLiteral("Auskunft: alles, was Malrechnen auf diesem Computer über ein Kind gespeichert hat\n");
    text += QStringLiteral("Klasse: %1\nDatei: %2\nErstellt am: %3\n\n")
                .arg(className(), m_file, when(QDateTime::currentMSecsSinceEpoch()));
    text += QStringLiteral("Name: %1\nFarbe: %2\nBuchstabe: %3\nEingetragen am: %4\n")
                .arg(query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                     when(query.value(3).toLongLong()));
    query.finish();
    text += QStringLiteral("Aufbewahrung: %1\n\n")
                .arg(retentionMonths() > 0 ? QStringLiteral("%1 Monate").arg(retentionMonths())
                                           : QStringLiteral("bis das Kind oder die Klasse gelöscht wird"));
    text += QStringLiteral("Übungsverlauf (Zeit; Trainer; was geschah):\n");
    query.prepare(QStringLiteral("SELECT e.ms, e.kind, e.trainer, e.cell, e.digit, e.right, e.first_try, e.reward,"
                                 " e.problem, s.started_ms FROM event e JOIN session s ON s.id = e.session_id"
                                 " WHERE e.child_id = ? ORDER BY e.seq"));
    query.addBindValue(child);
    query.setForwardOnly(true);
    qint64 sitting = -1;
    if (query.exec()) {
        while (query.next()) {
            if (query.value(9).toLongLong() != sitting) {
                sitting = query.value(9).toLongLong();
                text += QStringLiteral("\nSitzung vom %1\n").arg(when(sitting));
            }
            const int trainer = query.value(2).toInt();
            const QString trainerName = trainer >= 0 && trainer < trainerKindCount
                                            ? trainerKindName(TrainerKind(trainer))
                                            : QStringLiteral("?");
            QString what;
            switch (PracticeEvent::Kind(query.value(1).toInt())) {
            case PracticeEvent::Kind::ProblemStarted: {
                const std::optional<ProblemRecord> problem = problemOfCode(query.value(8).toByteArray());
                const std::optional<Exercise> exercise = problem ? exerciseOf(*problem) : std::nullopt;
                what = QStringLiteral("Aufgabe %1").arg(exercise ? exercise->problemText() : QStringLiteral("?"));
                break;
            }
            case PracticeEvent::Kind::DigitWritten: {
                const Cell cell = cellOfCode(query.value(3).toInt());
                what = QStringLiteral("Ziffer %1 in Kästchen %2/%3/%4: %5%6")
                           .arg(query.value(4).isNull() ? QStringLiteral("–") : query.value(4).toString())
                           .arg(int(cell.part))
                           .arg(cell.row)
                           .arg(cell.place)
                           .arg(query.value(5).toBool() ? QStringLiteral("richtig") : QStringLiteral("falsch"),
                                query.value(6).toBool() ? QStringLiteral(" (erster Versuch)") : QString());
                break;
            }
            case PracticeEvent::Kind::ProblemSolved:
                what = QStringLiteral("Aufgabe gelöst");
                break;
            case PracticeEvent::Kind::RewardTaken:
                what = query.value(7).toInt() == int(RewardKind::Memory) ? QStringLiteral("Belohnung: Memory")
                                                                         : QStringLiteral("Belohnung: Zahlfange");
                break;
            }
            text += QStringLiteral("%1; %2; %3\n").arg(when(query.value(0).toLongLong()), trainerName, what);
        }
    }
    return text;
}
