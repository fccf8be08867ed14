#pragma once

#include <QString>

// The folder paths computed so far, without a trailing separator; empty until
// first computed. Lives in the platform; only InitDirectories empties it.
struct DirectoryCache {
    QString documentsRoot;
    QString systemFolder;
    QString reports;
    QString reportsTemp;
    QString trash;
    QString data;
    QString exports;
    QString images;
};
