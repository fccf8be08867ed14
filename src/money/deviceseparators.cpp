#include "money/deviceseparators.h"

#include "platform/platform.h"
#include "platform/regionalsettings.h"

DeviceSeparators DeviceSeparators::From(const RegionalSettings& regional) {
    // An empty item counts as missing: a separator of nothing cannot be typed
    // or found again in a text.
    return {regional.Text(LocaleItem::MonDecimal, QStringLiteral(".")),
            regional.Text(LocaleItem::MonThousand, QStringLiteral(","))};
}

DeviceSeparators DeviceSeparators::Current() {
    return From(Platform::Get().GetRegional());
}
