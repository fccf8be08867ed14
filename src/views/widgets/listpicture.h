#pragma once

#include <QPixmap>
#include <QString>

#include "platform/directories.h"

// The side of a list item's picture wherever one is drawn at full size.
inline constexpr int kListPictureSize = 32;

// The picture of a list item: the file of that name in the item's image
// folder, else the program's built-in picture of that name, else the broken
// image; magenta is transparent.
QPixmap ListPicture(ImageFolder folder, const QString& imageName);
