#pragma once

#include <QString>
#include <QStringList>

#include "platform/directories.h"

// The pictures of list items live in one image folder per kind of item and
// are named by their bare file name.

// The file name at the end of `path`: everything after its last "\" or "/".
QString ImageFileNameOf(const QString& path);

// The image folder of `folder` with a trailing "/", followed by the file name
// of `imageName`; just that file name when there is no image folder. As on
// the device, a picture is found whatever the letter case of its name: when
// no file has exactly that name, the path is that of the one file whose name
// differs in case alone. When several do, none is chosen and the path is
// the missing exact one.
QString ListImagePath(ImageFolder folder, const QString& imageName);

// True when the image of that name is a file in the image folder, found as
// ListImagePath finds it.
bool ListImageExists(ImageFolder folder, const QString& imageName);

// The files of the image folder whose names are the file name of
// `imageName` without regard to case, sorted; for telling the user why a
// picture that several files could be counts as missing.
QStringList ListImageMatches(ImageFolder folder, const QString& imageName);
