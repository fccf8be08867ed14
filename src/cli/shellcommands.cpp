#include "shellcommands.h"

#include <QJsonArray>
#include <QTextStream>

#include "app/firstrundata.h"
#include "app/syncprovider.h"
#include "cli/clioptions.h"
#include "cli/clitool.h"
#include "platform/directories.h"
#include "platform/installation.h"

using Result = ShellCommands::Result;

QJsonObject ShellCommands::ReportShippedData(const ShippedDataResult& data) {
    for (const QString& failure : data.images.failures) {
        QTextStream(stderr) << failure << Qt::endl;
    }
    if (!data.currencyTable.Succeeded()) {
        QTextStream(stderr) << data.currencyTable.failure << Qt::endl;
    }
    return QJsonObject{
        {QStringLiteral("images"),
         QJsonObject{
             {QStringLiteral("installed"), data.images.installed},
             {QStringLiteral("kept"), data.images.kept},
             {QStringLiteral("failures"), QJsonArray::fromStringList(data.images.failures)}}},
        {QStringLiteral("currencyTable"),
         QJsonObject{{QStringLiteral("installed"), data.currencyTable.installed},
                     {QStringLiteral("kept"), data.currencyTable.kept},
                     {QStringLiteral("failure"), data.currencyTable.failure}}},
    };
}

Result ShellCommands::Init(const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        return CliUsageError(QStringLiteral("init takes no arguments"));
    }
    const FirstRunResult done = RunFirstRunDataStep();
    QJsonObject output = ReportShippedData(done.shippedData);
    output.insert(
        QStringLiteral("distanceUnit"),
        QJsonObject{{QStringLiteral("internationalTraveler"), done.internationalTraveler},
                    {QStringLiteral("distanceInMiles"), done.distanceInMiles}});
    output.insert(
        QStringLiteral("personalInfo"),
        QJsonObject{{QStringLiteral("ownerRecord"), done.ownerRecordFound},
                    {QStringLiteral("filled"), QJsonArray::fromStringList(done.filledFields)},
                    {QStringLiteral("saved"), done.personalInfoSaved}});
    if (!done.personalInfoSaved) {
        QTextStream(stderr) << "outlaysheet-cli: the personal information could not be saved"
                            << Qt::endl;
    }
    return {done.Succeeded() ? CliTool::kSuccess : CliTool::kFailed, output};
}

Result ShellCommands::Install(const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        return CliUsageError(QStringLiteral("install takes no arguments"));
    }
    const QString folder = GetProgramFolder();
    if (folder.isEmpty() || !SetAppPath(folder)) {
        return CliFailed(QStringLiteral("the installation folder could not be recorded"));
    }
    Result result = Init({});
    result.output.insert(QStringLiteral("appPath"), folder);
    return result;
}

Result ShellCommands::ForceSync(const QStringList& arguments) {
    bool images = false;
    for (const QString& argument : arguments) {
        if (argument != QLatin1String("--images")) {
            return CliUsageError(QStringLiteral("unknown option \"%1\"").arg(argument));
        }
        images = true;
    }
    return {CliTool::kSuccess,
            QJsonObject{{QStringLiteral("touched"), ForceSynchronization(images)}}};
}

Result ShellCommands::CheckSync(const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        return CliUsageError(QStringLiteral("check-sync takes no arguments"));
    }
    const char* status = "ready";
    switch (CheckSyncProvider()) {
        case SyncProviderStatus::Ready:
            break;
        case SyncProviderStatus::Missing:
            status = "missing";
            break;
        case SyncProviderStatus::NotLoadable:
            status = "notLoadable";
            break;
        case SyncProviderStatus::WrongVersion:
            status = "wrongVersion";
            break;
    }
    const QJsonObject output{{QStringLiteral("provider"), SyncProviderPath()},
                             {QStringLiteral("status"), QString::fromLatin1(status)}};
    return {qstrcmp(status, "ready") == 0 ? CliTool::kSuccess : CliTool::kFailed, output};
}
