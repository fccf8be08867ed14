#pragma once

#include <QString>
#include <QStringList>

// Hands a file or a folder to the desktop's default program for it. This one
// opens nothing and only notes what it was asked to open, which is all the
// command line and the tests need; the window puts in one that asks the
// desktop.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;

    // False when nothing could open `path`.
    virtual bool Open(const QString& path) {
        opened_.append(path);
        return true;
    }

    // What Open was asked for, in order.
    const QStringList& Opened() const { return opened_; }

private:
    QStringList opened_;
};
