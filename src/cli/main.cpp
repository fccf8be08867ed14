#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

#include "cli/clitool.h"
#include "cli/consoleprompts.h"
#include "cli/exportcommand.h"
#include "platform/platform.h"

int main(int argc, char* argv[]) {
    QStringList raw;
    for (int i = 1; i < argc; ++i) {
        raw.append(QString::fromLocal8Bit(argv[i]));
    }
    // Only a PDF export needs fonts, and so the GUI application; on the
    // offscreen platform it runs without a display, like every other command.
    std::unique_ptr<QCoreApplication> application;
    if (ExportCommand::IsCommandOf(raw)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("outlaysheet-cli"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    auto platform = Platform::CreateDefault(arguments, std::make_unique<ConsolePrompts>());
    PlatformScope scope(*platform);
    return CliTool().Run(arguments);
}
