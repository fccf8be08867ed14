#pragma once

#include <QString>
#include <QStringList>

// The data that ships with the program. Pictures for the user's image folders
// are plain files under the shipped data folder; the built-in pictures, the
// cash-register sound and the help page are resources inside the program
// (linked in from the outlaysheet_resources library).

inline constexpr char kCashRegisterSound[] = ":/sounds/IDR_CASHREGISTER.wav";
inline constexpr char kHelpPage[] = ":/help/OL_Help.htm";

// "share/outlaysheet" beside the folder of the running program: the programs
// sit in "bin" both in a build tree and under an installation prefix. Empty
// when that folder does not exist.
QString GetShippedDataFolder();

// The resource path of a built-in picture (":/images/NAME.BMP"), found
// without regard to the case of `imageName` as on the device; empty when the
// program has no picture of that name. A path in front of the name is ignored.
QString GetBuiltInImagePath(const QString& imageName);

struct ImageInstallResult {
    int installed = 0;     // pictures copied into the user's folders
    int kept = 0;          // pictures the user's folders already had
    QStringList failures;  // one line per picture or folder that failed
    bool Succeeded() const { return failures.isEmpty(); }
};

// The first-run step for pictures: copies every picture of
// `dataFolder`/images/<folder>/ into the user's image folder of the same name
// (category, paidwith, class, expensetype, other) when that folder holds no
// file of the same name in any letter case. A picture the user already has,
// perhaps one of their own under a shipped name, is never replaced. Failures
// are logged and returned; the other pictures are still installed.
ImageInstallResult InstallShippedImages(const QString& dataFolder);
