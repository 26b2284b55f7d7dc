#include "shell/shell_open.h"

#include "support/hand_over.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

CShellOpenServer::CShellOpenServer(QObject* parent)
    : QObject(parent), m_pServer(new QLocalServer(this)) {
    connect(m_pServer, &QLocalServer::newConnection, this, &CShellOpenServer::OnConnection);
}

bool CShellOpenServer::Listen(const QString& name) {
    if (name.isEmpty())
        return false;
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

// Each connection's bytes are gathered until the request is whole. The acknowledgement goes
// out first and the paths are opened from queued calls: opening may show a message with its own
// event loop, during which the connection may end and its socket be deleted.
void CShellOpenServer::OnConnection() {
    while (QLocalSocket* next = m_pServer->nextPendingConnection()) {
        QPointer<QLocalSocket> socket(next);
        connect(next, &QLocalSocket::disconnected, next, &QObject::deleteLater);
        auto received = std::make_shared<std::string>();
        connect(next, &QLocalSocket::readyRead, this, [this, socket, received] {
            if (!socket)
                return;
            const QByteArray bytes = socket->readAll();
            received->append(bytes.constData(), static_cast<size_t>(bytes.size()));
            std::vector<std::string> paths;
            switch (ParseHandOverRequest(*received, paths)) {
            case EHandOverRequest::Incomplete:
                return;
            case EHandOverRequest::Refused:
                socket->abort();
                return;
            case EHandOverRequest::Complete:
                break;
            }
            received->clear();
            socket->write(kHandOverAcknowledge.data(), qint64(kHandOverAcknowledge.size()));
            socket->flush();
            socket->disconnectFromServer();
            for (const std::string& path : paths)
                QMetaObject::invokeMethod(
                    this, [this, path = QString::fromStdString(path)] { emit OpenRequested(path); },
                    Qt::QueuedConnection);
        });
    }
}

QString ShellOpenServerName() {
    std::string reason;
    const std::string folder = PrivateRuntimeFolder(reason);
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    return QString::fromStdString(HandOverSocketPath(folder, display.toStdString()));
}

bool HandOverToRunningProgram(const QString& name, const QStringList& paths, int timeoutMs) {
    if (name.isEmpty())
        return false;
    std::vector<std::string> absolute;
    for (const QString& path : paths)
        absolute.push_back(QDir::current().absoluteFilePath(path).toStdString());
    const std::string request = HandOverRequest(absolute);
    if (request.empty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(request.data(), qint64(request.size()));
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    return socket.readLine().toStdString() == kHandOverAcknowledge;
}
