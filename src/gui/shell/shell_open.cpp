#include "shell/shell_open.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr const char* kOpenCommand = "open ";
constexpr const char* kAcknowledge = "ok\n";
// A request longer than this is not a list of paths: the connection is dropped.
constexpr qint64 kMaxRequestBytes = 64 * 1024;

} // namespace

CShellOpenServer::CShellOpenServer(QObject* parent)
    : QObject(parent), m_pServer(new QLocalServer(this)) {
    connect(m_pServer, &QLocalServer::newConnection, this, &CShellOpenServer::OnConnection);
}

bool CShellOpenServer::Listen(const QString& name) {
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (m_pServer->listen(name))
        return true;
    // A socket left behind by a program that ended without closing it: take it over, unless a
    // live program answers on it.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(200))
        return false;
    QLocalServer::removeServer(name);
    return m_pServer->listen(name);
}

void CShellOpenServer::OnConnection() {
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxRequestBytes) {
                socket->abort();
                return;
            }
            while (socket->canReadLine()) {
                const QString line = QString::fromUtf8(socket->readLine()).chopped(1);
                if (line.isEmpty()) { // the end of the request
                    socket->write(kAcknowledge);
                    socket->flush();
                    continue;
                }
                if (line.startsWith(kOpenCommand))
                    emit OpenRequested(line.mid(int(strlen(kOpenCommand))));
            }
        });
    }
}

QString ShellOpenServerName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QDir::home().dirName();
    return "CorviFIR-shell-open-" + user;
}

bool HandOverToRunningProgram(const QString& name, const QStringList& paths, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray request;
    for (const QString& path : paths)
        request += kOpenCommand + QDir::current().absoluteFilePath(path).toUtf8() + "\n";
    request += "\n";
    socket.write(request);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    return socket.readLine() == kAcknowledge;
}
