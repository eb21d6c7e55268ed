#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <memory>

// The events a run has handed on and the database does not hold yet, in a file mapped into
// memory. Appending copies the bytes into the mapping: no system call, nothing waits for a
// disk, and once the copy is done the kernel holds the bytes, so a killed program loses
// none of them. A writer thread moves them into the database; what a run could not move
// there the next run finds in the journal's folder and moves for it.
//
// The file is a ring: a header (magic, capacity, end of what was written) and records of a
// length and bytes. Each run holds a lock on its own journal while it runs, so another
// run takes over only the journals of runs that ended.
class EventJournal
{
public:
    ~EventJournal();
    EventJournal(const EventJournal &) = delete;
    EventJournal &operator=(const EventJournal &) = delete;

    // A new journal of this run in `folder` (created if missing), its room taken on the disk
    // now, so that a full disk cannot fail a write into the mapping later.
    static std::unique_ptr<EventJournal> create(const QString &folder, quint64 capacity, QString *error);
    // The journal of an ended run at `path`; nothing if a running program holds it or it is
    // no journal.
    static std::unique_ptr<EventJournal> adopt(const QString &path);
    // The journals in `folder`, by path.
    static QStringList journalsIn(const QString &folder);

    // Its name in the database's bookkeeping of what was moved already.
    QString name() const { return m_name; }

    // False if the ring is full (the writer has not kept up with `capacity` bytes).
    bool append(const QByteArray &record);
    // The position after the last record appended.
    quint64 end() const;
    // The records from `from` on; `next` is the position after the last one read.
    QList<QByteArray> read(quint64 from, quint64 *next) const;
    // The database holds everything before `position`: its room may be reused.
    void moved(quint64 position) { m_moved.store(position, std::memory_order_release); }
    // Everything is in the database: the file goes.
    void remove();

private:
    struct Header;
    EventJournal() = default;
    bool map(int fd, quint64 size);
    void copyIn(quint64 position, const char *data, quint64 size);
    void copyOut(quint64 position, char *data, quint64 size) const;

    QString m_path;
    QString m_name;
    int m_fd = -1;
    Header *m_header = nullptr;
    char *m_ring = nullptr;
    quint64 m_capacity = 0;
    quint64 m_mappedSize = 0;
    std::atomic<quint64> m_moved{0};
};
