#pragma once

#include "store/class_store.h"

#include <QString>

#include <atomic>
#include <memory>
#include <mutex>

class EventJournal;
class QSqlDatabase;

// The class in one SQLite file (through Qt's SQL module). The children's events are the
// source of truth; points, errors and the tutor's estimates are rebuilt from them.
//
// What a child does goes into a journal mapped into memory on the window's thread and into
// the database on a writer thread of its own: WAL with synchronous=FULL, so every commit
// is on the disk when it ends. A killed program loses nothing it showed (the next run moves
// its journal into the database); a power cut loses what the writer had not committed,
// which is the last moments' events (see docs/datenschutz.md). Several programs may use the
// file at once; each has its own journal and waits for the others' commits on its writer
// thread only.
//
// A file it cannot use (damaged, from a newer version, not readable or writable, on a
// full disk) is never overwritten: a damaged one is set aside under a dated name, and the
// store stops storing with a German message in problem().
class SqliteStore final : public ClassStore
{
public:
    // The first schema is 1; each later one is reached from the one before by a migration.
    static constexpr int schemaVersion = 2;

    struct Options
    {
        // Bytes of events the journal holds that the writer has not moved yet.
        quint64 journalCapacity = 1 << 20;
    };

    // The class at `file`; a missing file is no class, and nothing is written until one is set
    // up.
    explicit SqliteStore(const QString &file);
    SqliteStore(const QString &file, const Options &options);
    ~SqliteStore() override;

    // Waits until the writer has moved every event handed on into the database, at most
    // `timeoutMs`; false if it has not. The window's thread calls it only where a child
    // changes or the program ends.
    bool flush(int timeoutMs = 10000) const;
    QString file() const { return m_file; }
    // Where the journals of the runs wait for the database.
    static QString journalFolder(const QString &file);

    bool isStoring() const override;
    QString problem() const override;
    void setFailureHandler(std::function<void(const QString &)> handler) override;

    bool hasClass() const override { return m_hasClass; }
    QString className() const override;
    QList<ChildEntry> children() const override;

    bool setUpClass(const QString &name, const QString &pin, const QStringList &children) override;
    bool renameClass(const QString &name) override;
    std::optional<qint64> addChild(const QString &name) override;
    bool renameChild(qint64 child, const QString &name) override;
    bool removeChild(qint64 child) override;
    bool removeClass() override;
    bool checkPin(const QString &pin) const override;

    int retentionMonths() const override;
    bool setRetentionMonths(int months) override;

    PracticeLog *startChild(qint64 child, Training &training) override;
    QString disclosure(qint64 child) const override;

    void childState(qint64 child, Training &training) override;
    ChildActivity activity(qint64 child, qint64 sinceMsecs) override;
    // The child's whole history, oldest first, as the replay reads it (tests, benchmarks).
    int replayInto(qint64 child, Training &training) const;

private:
    class Writer;
    class ChildLog;
    friend class ChildLog;

    // The events after `after` into `training`, which is as the events up to there left
    // it (0: all of them into a fresh one); `last` the last event read.
    int replayInto(qint64 child, Training &training, qint64 after, qint64 *last) const;
    void open();
    bool openConnection(int *failed);
    bool startWriting();
    void stopStoring(const QString &problem);
    void setAside(const QString &why);
    // Brings the open file from `version` to this one; `failed` the SQLite code if not.
    bool migrate(int version, int *failed);
    void deleteExpired();
    qint64 insertChild(const QString &name, int position);
    bool handOn(const QByteArray &record);
    QSqlDatabase db() const;

    QString m_file;
    Options m_options;
    QString m_connection;
    bool m_hasClass = false;
    std::atomic<bool> m_storing{false};
    std::atomic<bool> m_told{false};
    mutable std::mutex m_problemLock; // the writer may stop storing
    QString m_problem;
    std::function<void(const QString &)> m_onFailure;
    std::unique_ptr<EventJournal> m_journal;
    std::unique_ptr<Writer> m_writer;
    std::unique_ptr<ChildLog> m_log;
    quint32 m_sessions = 0;
};
