#pragma once

#include <QPixmap>
#include <QString>

#include "platform/directories.h"

// The picture of a list item: the file of that name in the item's image
// folder, else the program's built-in picture of that name, else the broken
// image; magenta is transparent.
QPixmap ListPicture(ImageFolder folder, const QString& imageName);
