#pragma once

#include "platform/desktopshell.h"

// Opens files and folders with the desktop's default programs.
class GuiShell : public DesktopShell {
public:
    bool Open(const QString& path) override;
};
