#include "views/pads/numberpadaccessible.h"

#include <QPointer>

#include "views/pads/numberpad.h"
#include "views/widgets/accessibleproxy.h"

namespace {

// One key, found again by its place on the pad.
class NumberKeyAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    NumberKeyAccessible(CNumberPad* pad, int index) : pad_(pad), index_(index) {}

    bool isValid() const override { return pad_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(pad_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override {
        return isValid() && kind == QAccessible::Name ? pad_->KeyName(index_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid() || !pad_->isVisible()) {
            return QRect();
        }
        const QRect key = pad_->KeyRect(index_);
        return QRect(pad_->mapToGlobal(key.topLeft()), key.size());
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invalid = !isValid();
        state.invisible = !isValid() || !pad_->isVisible();
        state.pressed = isValid() && pad_->Pressed() == index_;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface*>(this)
                   : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && isValid()) {
            pad_->PressKey(index_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<CNumberPad> pad_;
    int index_;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("CNumberPad") && object != nullptr && object->isWidgetType()) {
        return new CNumberPadAccessible(static_cast<CNumberPad*>(object));
    }
    return nullptr;
}

}  // namespace

CNumberPadAccessible::CNumberPadAccessible(CNumberPad* pad)
    : QAccessibleWidget(pad, QAccessible::Grouping) {}

CNumberPadAccessible::~CNumberPadAccessible() {
    for (QAccessible::Id id : std::as_const(keys_)) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

void CNumberPadAccessible::Install() {
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(Factory);
        // The proxies stay the first to be asked.
        CAccessibleProxy::Install();
    }
}

CNumberPad* CNumberPadAccessible::Pad() const {
    return static_cast<CNumberPad*>(widget());
}

int CNumberPadAccessible::childCount() const {
    return CNumberPad::kKeyCount;
}

QAccessibleInterface* CNumberPadAccessible::child(int index) const {
    if (index < 0 || index >= CNumberPad::kKeyCount) {
        return nullptr;
    }
    if (keys_.isEmpty()) {
        for (int key = 0; key < CNumberPad::kKeyCount; ++key) {
            keys_.append(
                QAccessible::registerAccessibleInterface(new NumberKeyAccessible(Pad(), key)));
        }
    }
    return QAccessible::accessibleInterface(keys_[index]);
}

int CNumberPadAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int index = 0; index < keys_.size(); ++index) {
        if (QAccessible::accessibleInterface(keys_[index]) == child) {
            return index;
        }
    }
    return -1;
}

QAccessibleInterface* CNumberPadAccessible::childAt(int x, int y) const {
    const int key = Pad()->KeyAt(Pad()->mapFromGlobal(QPoint(x, y)));
    return key >= 0 ? child(key) : nullptr;
}
