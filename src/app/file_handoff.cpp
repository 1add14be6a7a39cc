#include "app/file_handoff.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QThread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace tessel {

namespace {

// More than any list of paths a start is given; a peer that sends more is cut off.
constexpr qsizetype kMessageLimit = 1 << 20;

std::optional<sockaddr_un> socketAddress(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= qsizetype(sizeof address.sun_path))
        return std::nullopt;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return address;
}

const sockaddr *asSocketAddress(const sockaddr_un &address)
{
    return reinterpret_cast<const sockaddr *>(&address);
}

bool sendAll(int socket, const QByteArray &message)
{
    for (qsizetype sent = 0; sent < message.size();) {
        const ssize_t written =
            ::send(socket, message.constData() + sent, size_t(message.size() - sent), MSG_NOSIGNAL);
        if (written < 0 && errno != EINTR)
            return false;
        sent += std::max<ssize_t>(written, 0);
    }
    return true;
}

// One later start's connection: what it sends, gathered until it closes its end.
class Connection : public QObject
{
public:
    Connection(int socket, FileHandoffServer &server)
        : QObject(&server)
        , m_socket(socket)
        , m_notifier(socket, QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this, &server] { read(server); });
    }
    ~Connection() override { ::close(m_socket); }

private:
    void read(FileHandoffServer &server)
    {
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(m_socket, buffer, sizeof buffer);
            if (got > 0 && m_message.size() + got <= kMessageLimit) {
                m_message.append(buffer, got);
                continue;
            }
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            // The end of the stream, an error, or more than a start could mean.
            m_notifier.setEnabled(false);
            deleteLater();
            if (got == 0)
                emit server.filesReceived(paths());
            return;
        }
    }

    QStringList paths() const
    {
        QStringList paths;
        for (const QByteArray &path : m_message.split('\0')) {
            if (!path.isEmpty())
                paths.append(QFile::decodeName(path));
        }
        return paths;
    }

    int m_socket;
    QSocketNotifier m_notifier;
    QByteArray m_message;
};

} // namespace

FileHandoffServer::FileHandoffServer(QObject *parent)
    : QObject(parent)
{}

FileHandoffServer::~FileHandoffServer()
{
    if (m_socket < 0)
        return;
    ::close(m_socket);
    QFile::remove(m_path);
}

bool FileHandoffServer::listen(const QString &path)
{
    const std::optional<sockaddr_un> address = socketAddress(path);
    if (m_socket >= 0 || !address)
        return false;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return false;
    ::unlink(address->sun_path);
    if (::bind(socket, asSocketAddress(*address), sizeof *address) != 0 ||
        ::listen(socket, SOMAXCONN) != 0) {
        ::close(socket);
        return false;
    }
    m_socket = socket;
    m_path = path;
    auto *notifier = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &FileHandoffServer::acceptConnections);
    return true;
}

void FileHandoffServer::acceptConnections()
{
    for (;;) {
        const int connection = ::accept4(m_socket, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (connection < 0 && errno == EINTR)
            continue;
        if (connection < 0)
            return;
        // Only this user's own starts may have files opened here, wherever the socket lies.
        ucred peer{};
        socklen_t size = sizeof peer;
        if (::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
            peer.uid == ::getuid())
            new Connection(connection, *this);
        else
            ::close(connection);
    }
}

bool handFilesOver(const QString &path, const QStringList &files, int timeoutMs)
{
    const std::optional<sockaddr_un> address = socketAddress(path);
    if (!address)
        return false;
    QByteArray message;
    for (const QString &file : files)
        message += QFile::encodeName(QFileInfo(file).absoluteFilePath()) + '\0';
    // The running instance may be starting still, its lock taken before it listens.
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (socket < 0)
            return false;
        if (::connect(socket, asSocketAddress(*address), sizeof *address) == 0) {
            const bool sent = sendAll(socket, message);
            ::close(socket);
            return sent;
        }
        ::close(socket);
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
}

} // namespace tessel
