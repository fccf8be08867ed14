#pragma once

#include <QString>

// The installation folder the install step recorded: "App Path" under the
// machine-wide key "Software\Apps\Outlaysheet", else under
// "Software\Apps\Tillhouse Outlaysheet"; empty when neither is set.
QString GetAppPath();

// Records the installation folder as the device's installer did.
bool SetAppPath(const QString& folder);

// The file version of a loaded module as "major.minor.build.revision", read
// from the version block every module of ours carries. An empty `module`
// means the running program; otherwise the file name or path of a loaded
// shared library. Empty text when the module or its version is unknown.
QString GetModuleVersion(const QString& module = {});

// "Pocket PC 2000", "Pocket PC 2002", "Pocket PC 2003" or "Unknown" for an
// operating system version and platform type.
QString PlatformEditionFor(int majorVersion, const QString& platformType);
// The edition of the system we run on. Linux is none of the handheld
// editions, so this is "Unknown" here.
QString GetPlatformEdition();
