#pragma once

#include <QString>

#include "platform/directories.h"

// The pictures of list items live in one image folder per kind of item and
// are named by their bare file name.

// The file name at the end of `path`: everything after its last "\" or "/".
QString ImageFileNameOf(const QString& path);

// The image folder of `folder` with a trailing "/", followed by the file name
// of `imageName`; just that file name when there is no image folder.
QString ListImagePath(ImageFolder folder, const QString& imageName);

// True when the image of that name is a file in the image folder.
bool ListImageExists(ImageFolder folder, const QString& imageName);
