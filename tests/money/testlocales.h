#pragma once

#include <initializer_list>
#include <utility>

#include "platform/localeinfo.h"

// A locale that supplies only the items given.
inline LocaleInfo LocaleWith(std::initializer_list<std::pair<LocaleItem, const char*>> items) {
    LocaleInfo locale;
    for (const auto& [item, value] : items) {
        locale.Set(item, QString::fromUtf8(value));
    }
    return locale;
}
