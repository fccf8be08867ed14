#pragma once

#include <QStringList>

#include "cli/reportcommands.h"

// outlaysheet-cli lists: the user's categories, payment sources and the
// classifications of the current group, as the program shows them, each
// with its picture as the program finds it in the image folder.
class ListsCommand {
public:
    static ReportCommands::Result Run(const QStringList& arguments);
};
