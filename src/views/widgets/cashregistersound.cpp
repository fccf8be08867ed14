#include "views/widgets/cashregistersound.h"

#include <QSoundEffect>
#include <QUrl>

#include "platform/shippeddata.h"

CashRegisterSound::CashRegisterSound(QObject* parent) : QObject(parent) {}

void CashRegisterSound::Play() {
    ++playCount_;
    if (effect_ == nullptr) {
        effect_ = new QSoundEffect(this);
        effect_->setSource(QUrl(QStringLiteral("qrc") + QString::fromLatin1(kCashRegisterSound)));
    }
    effect_->play();
}
