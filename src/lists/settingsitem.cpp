#include "lists/settingsitem.h"

#include <iterator>

#include "lists/listimage.h"

namespace {

struct ItemText {
    const char* caption;
    const char* image;
};

// By type, from 1. The currency caption keeps its blanks: the button
// centres it with them, as the other captions are longer.
constexpr ItemText kItems[] = {
    {"Personal Info", "OTHERPERSONALINFOU.BMP"},
    {"Payment Sources", "OTHERPAYMENTSU.BMP"},
    {"General", "OTHERGENERALU.BMP"},
    {"Classification", "OTHERCLASSU.BMP"},
    {" Currency ", "OTHERCURRENCYU.BMP"},
    {"Account Numbers", "OTHERACCOUNTSU.BMP"},
    {"Custom Categories", "OTHERCUSTOMU.BMP"},
    {"Reports", "OTHERREPORTSU.BMP"},
    {"Backup", "OTHERBACKUPU.BMP"},
    {"", "BROKENIMAGEU.BMP"},
};

const ItemText* Find(int type) {
    constexpr int count = static_cast<int>(std::size(kItems));
    return type >= 1 && type <= count ? &kItems[type - 1] : nullptr;
}

}  // namespace

void SettingsItem::SetType(int type) {
    type_ = type;
    SetImageMissing(!ListImageExists(ImageFolder::Other, GetImageName()));
}

QString SettingsItem::GetCaption() const {
    const ItemText* item = Find(type_);
    return item != nullptr ? QString::fromLatin1(item->caption) : QString();
}

QString SettingsItem::GetImageName() const {
    const ItemText* item = Find(type_);
    return item != nullptr ? QString::fromLatin1(item->image) : CExpenseObject::GetImageName();
}

QString SettingsItem::GetImagePath() const {
    return ListImagePath(ImageFolder::Other, GetImageName());
}

QString SettingsItem::GetImageReference() const {
    return IsImageMissing() ? GetImageName() : GetImagePath();
}
