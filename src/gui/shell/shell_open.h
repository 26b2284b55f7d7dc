#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

// Shell open between two launches of the program: the first launch listens; a later launch with
// project paths hands them over and exits, and the first opens them and comes to the front.
class CShellOpenServer : public QObject {
    Q_OBJECT
public:
    explicit CShellOpenServer(QObject* parent = nullptr);
    // Starts listening under name; false when another live program already does, or without a
    // name (no private place for the socket: every launch opens a window of its own).
    bool Listen(const QString& name);

signals:
    void OpenRequested(const QString& path);

private:
    void OnConnection();
    QLocalServer* m_pServer;
};

// The socket path under which this user's program on this display listens: in the user's
// private runtime folder; empty when there is no such folder or no display.
QString ShellOpenServerName();
// Hands paths to the program listening under name; true when it took them (never without a
// name).
bool HandOverToRunningProgram(const QString& name, const QStringList& paths, int timeoutMs = 2000);
