#include "lists/listfile.h"

#include <QFileInfo>

#include "archive/expenseobject.h"
#include "archive/objectfile.h"
#include "lists/unreadablefile.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/platform.h"

QString DataFilePath(const QString& fileName) {
    const QString data = Platform::HasCurrent() ? GetDataDirectory(true) : QString();
    return data.isEmpty() ? QString() : data + fileName;
}

bool LoadListFile(CExpenseObject& object, const QString& path, bool reportErrors,
                  const std::function<bool()>& accept, const std::function<void()>& makeDefaults,
                  bool* keptUnreadable) {
    if (keptUnreadable != nullptr) {
        *keptUnreadable = false;
    }
    if (path.isEmpty()) {
        return false;
    }
    bool keepOldFile = false;
    // A missing file is the normal first start, not an error: it is not read,
    // so that it is neither reported nor asked about before it is created.
    if (FileExists(path)) {
        const bool read = LoadObjectFromFile(path, &object, false, reportErrors, true);
        if (read && accept()) {
            object.SetModified(false);
            return true;
        }
        keepOldFile = !read && QFileInfo(path).size() > 0;
    }
    makeDefaults();
    if (keepOldFile) {
        // The defaults take the file's place, but what the user had must
        // survive: a file that holds anything is moved aside first, and one
        // that cannot be moved is not overwritten.
        if (!KeepUnreadableFile(path)) {
            return false;
        }
        if (keptUnreadable != nullptr) {
            *keptUnreadable = true;
        }
        object.SetValid(true);  // nothing is left to overwrite
    }
    object.SetModified(true);
    object.SetLoaded(true);
    return SaveListFile(object, path, reportErrors);
}

bool SaveListFile(CExpenseObject& object, const QString& path, bool reportErrors) {
    if (path.isEmpty()) {
        return false;
    }
    if (!object.IsModified()) {
        return true;
    }
    if (!SaveObjectToFile(path, &object, reportErrors)) {
        return false;
    }
    object.SetModified(false);
    return true;
}
