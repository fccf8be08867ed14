#include <QCoreApplication>

#include "cli/clitool.h"
#include "cli/consoleprompts.h"
#include "platform/platform.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("outlaysheet-cli"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    auto platform = Platform::CreateDefault(arguments, std::make_unique<ConsolePrompts>());
    PlatformScope scope(*platform);
    return CliTool().Run(arguments);
}
