#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <atomic>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// A print server's socket that takes every connection and then never says a word (a
// stalled or overloaded server), or hangs up at once.
class MuteServer
{
public:
    MuteServer(const QString &path, bool hangUp)
    {
        const QByteArray name = QFile::encodeName(path);
        QDir().mkpath(QFileInfo(path).path());
        ::unlink(name.constData());
        m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
        if (::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
            || ::listen(m_socket, 16) != 0) {
            ::close(m_socket);
            m_socket = -1;
            return;
        }
        m_thread = std::thread([this, hangUp] {
            while (!m_stop) {
                pollfd waiting{m_socket, POLLIN, 0};
                if (::poll(&waiting, 1, 20) <= 0)
                    continue;
                const int connection = ::accept(m_socket, nullptr, nullptr);
                if (connection < 0)
                    continue;
                if (hangUp)
                    ::close(connection);
                else
                    m_connections.push_back(connection);
            }
        });
        m_path = name;
    }
    ~MuteServer()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        for (int connection : m_connections)
            ::close(connection);
        if (m_socket >= 0)
            ::close(m_socket);
        if (!m_path.isEmpty())
            ::unlink(m_path.constData());
    }
    bool listening() const { return m_socket >= 0; }

private:
    int m_socket = -1;
    QByteArray m_path;
    std::atomic<bool> m_stop{false};
    std::vector<int> m_connections; // of the thread, until it is joined
    std::thread m_thread;
};
