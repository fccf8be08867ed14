#pragma once

#include <QObject>

class QSoundEffect;

// The cash-register sound played after an expense is saved. It plays
// without waiting and stays silent where the machine has no sound device.
class CashRegisterSound : public QObject {
    Q_OBJECT

public:
    explicit CashRegisterSound(QObject* parent = nullptr);

    void Play();
    // How often Play was asked, for those who cannot hear it.
    int PlayCount() const { return playCount_; }

private:
    QSoundEffect* effect_ = nullptr;  // made on the first play
    int playCount_ = 0;
};
