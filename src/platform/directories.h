#pragma once

#include <QString>

// The program's folder tree under the documents root R:
//   R/Outlaysheet          reports (and temporary report output)
//   R/Outlaysheet/Trash    deleted files
//   R/Outlaysheet/Data     reference lists
//   R/Outlaysheet/Images   item pictures, in category, paidwith, class,
//                          expensetype and other
//   R/Scripts              exports
// Each getter computes its path on first use, creates the folder when it is
// missing and remembers the path in the platform's cache. `trailing` asks for
// a final "/". An unresolvable root gives empty paths, and nothing is cached.

QString GetDocumentsRoot(bool trailing = false);
// The folder of the program's own libraries (the synchronisation provider).
QString GetSystemFolder(bool trailing = false);
// The folder of the running program file; not cached.
QString GetProgramFolder(bool trailing = false);

QString GetReportsDirectory(bool trailing = false);
QString GetReportsTempDirectory(bool trailing = false);
QString GetTrashDirectory(bool trailing = false);
QString GetDataDirectory(bool trailing = false);
QString GetExportsDirectory(bool trailing = false);
// Computing the images path also creates its missing sub-folders.
QString GetImagesDirectory(bool trailing = false);

enum class ImageFolder { Category, PaidWith, Class, ExpenseType, Other };
QString ImageFolderName(ImageFolder folder);
QString GetImagesSubdirectory(ImageFolder folder, bool trailing = false);

enum InitDirectoryFlag : int {
    kInitReports = 1,  // Reports, Reports Temp and Trash
    kInitData = 2,
    kInitExports = 4,
    kInitImages = 8,
};

// Empties the cached folder paths (not the root and the system folder) and
// computes the selected ones again, logging each that fails. Always succeeds.
bool InitDirectories(int flags);
