#include "views/widgets/confirmations.h"

#include "platform/platform.h"

bool MayCancelChanges(bool modified) {
    return !modified || Platform::Get().GetPrompts().AskYesNo(QStringLiteral(
                            "Are you sure you want to cancel without saving your changes?"));
}

bool AskDeleteFromDatabase(const QString& name) {
    return Platform::Get().GetPrompts().AskYesNo(
        QStringLiteral("Are you sure you want to delete \"%1\" from the database?").arg(name));
}
