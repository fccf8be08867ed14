#pragma once

#include <QList>
#include <QString>

#include "platform/clock.h"

// The deleted reports waiting in the trash folder, and the two things a user
// does with them: move one back among the reports, or delete them all. The
// questions before either belong to the screen that offers them.
class TrashFolder {
public:
    struct Item {
        QString fileName;
        QString path;
        qint64 size = 0;
        TimeStamp modified = 0;
        // The last-write date in the short date format and its time without
        // seconds, separated by one blank.
        QString dateText;
        // The size in bytes followed by " bytes".
        QString sizeText;
    };

    enum class RestoreResult { Restored, AlreadyExists, Missing, Failed };

    // The reports in the trash, in name order.
    static QList<Item> List();

    // Moves a report back into the reports folder. When the reports hold one
    // of that name, both stay where they are and the user is told.
    static RestoreResult Restore(const QString& fileName);

    // Deletes every report in the trash; the number deleted. Files that
    // cannot be deleted stay and are not counted.
    static int DeleteAll();
};
