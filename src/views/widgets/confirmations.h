#pragma once

#include <QString>

// The questions several screens ask in the same words.

// Before a screen closes without saving: true when it may close, because
// nothing changed or the user agreed to lose the changes.
bool MayCancelChanges(bool modified);

// Before an entry of a list goes for good: true for Yes.
bool AskDeleteFromDatabase(const QString& name);
