#pragma once

#include <QString>

class QWidget;

// The file dialog for a backup archive (".xbf"): an existing one to restore
// from, or one to save to, asked before it replaces a file. Starts at `path`
// when set and sets it to the chosen file; false when the user cancelled.
bool ChooseArchive(QWidget* parent, bool forOpen, QString& path);
