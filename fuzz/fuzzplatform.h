#pragma once

#include <QString>

// One platform for a whole fuzzing run: a temporary documents root and
// registry, invariant regional settings, a fixed clock and prompts that
// answer every question and forget every message.
class FuzzPlatform {
public:
    static FuzzPlatform& Get();

    // A scratch file path inside the temporary folder.
    QString ScratchFile(const QString& name) const;
    // The folder every file the program writes must stay in.
    QString Root() const;
    // The temporary folder around the root: nothing may appear here.
    QString Outside() const;
};
