#pragma once

#include <QString>

#include "support/testplatform.h"

// A user after the tool's first run, with an empty report "Trip" made by the
// tool itself.
class TripPlatform : public TestPlatform {
public:
    TripPlatform();
    QString Trip() const;
};
