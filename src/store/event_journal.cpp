#include "store/event_journal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr quint64 journalMagic = 0x314c4e524a524d4dULL; // "MMRJRNL1"
constexpr quint32 maxRecord = 1 << 16;
const QLatin1String suffix(".journal");
} // namespace

struct EventJournal::Header
{
    quint64 magic;
    quint64 capacity;
    std::atomic<quint64> end;
    quint64 reserved[5];
};

EventJournal::~EventJournal()
{
    if (m_header)
        ::munmap(m_header, m_mappedSize);
    if (m_fd >= 0)
        ::close(m_fd); // and with it the lock
}

bool EventJournal::map(int fd, quint64 size)
{
    // Populated now: the first event into a page must not wait for it.
    void *at = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, fd, 0);
    if (at == MAP_FAILED)
        return false;
    m_mappedSize = size;
    m_header = static_cast<Header *>(at);
    m_ring = static_cast<char *>(at) + sizeof(Header);
    return true;
}

std::unique_ptr<EventJournal> EventJournal::create(const QString &folder, quint64 capacity, QString *error)
{
    std::unique_ptr<EventJournal> journal(new EventJournal);
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("Ordner „%1“ kann nicht angelegt werden").arg(folder);
        return nullptr;
    }
    journal->m_name = QUuid::createUuid().toString(QUuid::WithoutBraces);
    journal->m_path = QDir(folder).filePath(journal->m_name + suffix);
    const QByteArray path = QFile::encodeName(journal->m_path);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    journal->m_fd = fd;
    const quint64 size = sizeof(Header) + capacity;
    // Held as long as this run lives; the kernel lets go of it when the run ends, however.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::posix_fallocate(fd, 0, off_t(size)) != 0
        || !journal->map(fd, size)) {
        *error = QString::fromLocal8Bit(std::strerror(errno ? errno : ENOSPC));
        ::unlink(path.constData());
        return nullptr;
    }
    journal->m_capacity = capacity;
    journal->m_header->capacity = capacity;
    journal->m_header->end.store(0, std::memory_order_relaxed);
    // The magic last: a journal cut short while it was made is no journal.
    std::atomic_thread_fence(std::memory_order_release);
    journal->m_header->magic = journalMagic;
    return journal;
}

std::unique_ptr<EventJournal> EventJournal::adopt(const QString &path)
{
    std::unique_ptr<EventJournal> journal(new EventJournal);
    journal->m_path = path;
    journal->m_name = QFileInfo(path).completeBaseName();
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    journal->m_fd = fd;
    struct stat opened = {}, named = {};
    // A run that ended while another adopts it was removed already: the second finds the
    // name gone or another file under it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &opened) != 0 || ::stat(name.constData(), &named) != 0
        || opened.st_ino != named.st_ino)
        return nullptr;
    if (quint64(opened.st_size) <= sizeof(Header)) {
        journal->remove(); // cut short while it was made
        return nullptr;
    }
    if (!journal->map(fd, quint64(opened.st_size)))
        return nullptr;
    if (journal->m_header->magic != journalMagic
        || journal->m_header->capacity != quint64(opened.st_size) - sizeof(Header)) {
        // Cut short while it was made: it never held an event.
        journal->remove();
        return nullptr;
    }
    journal->m_capacity = journal->m_header->capacity;
    return journal;
}

QStringList EventJournal::journalsIn(const QString &folder)
{
    QStringList paths;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QLatin1String("*") + suffix}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

void EventJournal::copyIn(quint64 position, const char *data, quint64 size)
{
    const quint64 at = position % m_capacity;
    const quint64 first = std::min(size, m_capacity - at);
    std::memcpy(m_ring + at, data, first);
    std::memcpy(m_ring, data + first, size - first);
}

void EventJournal::copyOut(quint64 position, char *data, quint64 size) const
{
    const quint64 at = position % m_capacity;
    const quint64 first = std::min(size, m_capacity - at);
    std::memcpy(data, m_ring + at, first);
    std::memcpy(data + first, m_ring, size - first);
}

bool EventJournal::append(const QByteArray &record)
{
    const quint32 length = quint32(record.size());
    const quint64 end = m_header->end.load(std::memory_order_relaxed);
    if (length > maxRecord || end + sizeof length + length - m_moved.load(std::memory_order_acquire) > m_capacity)
        return false;
    copyIn(end, reinterpret_cast<const char *>(&length), sizeof length);
    copyIn(end + sizeof length, record.constData(), length);
    m_header->end.store(end + sizeof length + length, std::memory_order_release);
    return true;
}

quint64 EventJournal::end() const
{
    return m_header->end.load(std::memory_order_acquire);
}

QList<QByteArray> EventJournal::read(quint64 from, quint64 *next) const
{
    QList<QByteArray> records;
    const quint64 end = this->end();
    quint64 at = from;
    while (at + sizeof(quint32) <= end) {
        quint32 length = 0;
        copyOut(at, reinterpret_cast<char *>(&length), sizeof length);
        if (length > maxRecord || at + sizeof length + length > end)
            break;
        QByteArray record(qsizetype(length), Qt::Uninitialized);
        copyOut(at + sizeof length, record.data(), length);
        records << record;
        at += sizeof length + length;
    }
    *next = at;
    return records;
}

void EventJournal::remove()
{
    ::unlink(QFile::encodeName(m_path).constData());
}
