#pragma once

#include <QTemporaryDir>
#include <memory>

// Gives the test program a home of its own, so that nothing a test does, by
// mistake or through a default path, reaches the real home folder or the
// real settings. Keep the folder for the whole run.
std::unique_ptr<QTemporaryDir> MakeTestHome();
