#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace tessel {

// Where the running instance takes the files a later start is given: a Unix-domain socket in
// the user's runtime folder, absolute paths each ended by a NUL (the one byte no path holds),
// read to the end of the stream.
//
// Written on the system's sockets rather than with Qt's local sockets: those are all the
// program would need Qt's network module for, and loading that module and the libraries it
// pulls in (Kerberos among them) costs every start a tenth more time before the first frame.
class FileHandoffServer : public QObject
{
    Q_OBJECT
public:
    explicit FileHandoffServer(QObject *parent = nullptr);
    ~FileHandoffServer() override;

    // Listens at `path`, in place of any socket an instance that crashed left there (only the
    // instance holding the lock listens). False when it cannot.
    bool listen(const QString &path);

signals:
    // The paths one later start handed over, in its order, once it has sent them all.
    void filesReceived(const QStringList &paths);

private:
    void acceptConnections();

    int m_socket = -1;
    QString m_path;
};

// Hands `files` to the instance listening at `path`, waiting up to `timeoutMs` for one that is
// still starting; false when none took them.
bool handFilesOver(const QString &path, const QStringList &files, int timeoutMs);

} // namespace tessel
