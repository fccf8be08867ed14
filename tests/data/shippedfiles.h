#pragma once

#include <QRegularExpression>
#include <QStringList>

// The shipped data folder of this build.
QString ShareFolder();

// The image folders the pictures ship in: category, class, paidwith,
// expensetype, other.
QStringList ImageFolderNames();

// The picture files of one shipped image folder, sorted.
QStringList ShippedPictures(const QString& folder);

// Every text that `pattern`'s first group captures in the program's sources
// (src/, *.h and *.cpp), without repeats. `filesRead` counts the files seen,
// so that a test can tell an empty answer from a wrong folder.
QStringList FindInSources(const QRegularExpression& pattern, int* filesRead);
