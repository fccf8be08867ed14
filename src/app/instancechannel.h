#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// The line between the running program and any other local process of the
// same user and settings folder: a second start asks the first to come
// forward instead of starting again, and a process that changed the user's
// files asks it to read them again (the "Outlaysheet for Pocket PC Refresh
// Files Message"). One channel per registry folder, so that programs run on
// separate test folders never meet.
class InstanceChannel : public QObject {
    Q_OBJECT

public:
    enum class Request { Raise, Refresh };

    explicit InstanceChannel(QObject* parent = nullptr);
    ~InstanceChannel() override;

    // The local socket name for the current platform's registry folder.
    static QString ServerName();
    // Sends `request` to a running program; false when none answers.
    static bool Send(Request request, int timeoutMs = 1000);

    // Starts answering as the running program. False when another program
    // already answers (the caller should send Raise and leave) or the socket
    // cannot be made.
    bool Listen();

signals:
    void raiseRequested();
    void refreshRequested();

private:
    void ReadRequest();

    QLocalServer* server_;  // owned through the QObject tree
};
