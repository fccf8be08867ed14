#include "support/tripplatform.h"

#include <gtest/gtest.h>

#include "support/clirunner.h"

TripPlatform::TripPlatform() {
    EXPECT_EQ(RunCli(*this, {"init-data"}).exitCode, 0);
    EXPECT_EQ(RunCli(*this, {"new-report", "Trip"}).exitCode, 0);
}

QString TripPlatform::Trip() const {
    return Root() + "/Outlaysheet/Trip.xpf";
}
