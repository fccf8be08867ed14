#pragma once

#include <QString>
#include <QStringList>

#include "platform/directories.h"

// The pictures an item editor offers: the user's own image folder, plus for
// categories the custom pictures built into the program.

// Every item picture is this wide and this high.
inline constexpr int kListImageSize = 32;

// True when `path` is a Windows bitmap of the standard item picture size.
// A file that is not a bitmap, or is cut short, is not.
bool IsStandardListImage(const QString& path);

// The file names of every "*u.bmp" of `folder` (any letter case) that is a
// bitmap of the standard size, sorted without regard to case.
QStringList StandardListImages(ImageFolder folder);

// The pictures a user-defined category may take: `folderImages` without
// those of the built-in categories, followed by the built-in custom pictures
// "CATCUSTOM01U.BMP" to "CATCUSTOM10U.BMP" the folder does not already hold
// (compared without regard to case).
QStringList CategoryImageChoices(const QStringList& folderImages);
