#pragma once

#include <QString>

class RegionalSettings;

// The monetary separators of the device: the user default locale's, else the
// system default locale's, else "." and ",".
struct DeviceSeparators {
    QString decimal;
    QString thousand;

    static DeviceSeparators From(const RegionalSettings& regional);
    // Those of the current platform.
    static DeviceSeparators Current();
};
