#pragma once

#include <QJsonObject>
#include <QStringList>

#include "cli/reportcommands.h"

struct ShippedDataResult;

// The commands of outlaysheet-cli that do what the program's installer and
// start-up do without a window.
class ShellCommands {
public:
    using Result = ReportCommands::Result;

    // The first-run data step.
    static Result Init(const QStringList& arguments);
    // Records this program's folder as the installation folder, then Init.
    static Result Install(const QStringList& arguments);
    // force-sync [--images]: marks files as changed for the next
    // synchronisation.
    static Result ForceSync(const QStringList& arguments);
    // check-sync: registers and checks the synchronisation provider as the
    // program's start does; its message goes to standard error.
    static Result CheckSync(const QStringList& arguments);

    // The shipped data installed, as the members "images" and
    // "currencyTable"; each failure also goes to standard error.
    static QJsonObject ReportShippedData(const ShippedDataResult& data);
};
