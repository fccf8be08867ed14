// A program that saves one BulkObject, so that tests can disturb a save from
// outside: inject system-call errors, limit the file size or kill it midway.
//   savechild PATH GENERATION STRINGS [--pause-midway] [--file-size-limit BYTES]
// Exit status: 0 saved, 1 the save failed, 2 usage.
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimeZone>
#include <csignal>
#include <cstdio>

#include "archive/objectfile.h"
#include "platform/platform.h"
#include "platform/scriptedprompts.h"
#include "sampleobjects.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        return 2;
    }
    BulkObject object(arguments[2].toInt(), arguments[3].toInt());
    if (arguments.contains("--pause-midway")) {
        object.midway = [] {
            std::fputs("midway\n", stdout);
            std::fflush(stdout);
            ::sleep(60);
        };
    }
    const qsizetype limitAt = arguments.indexOf("--file-size-limit");
    if (limitAt > 0 && limitAt + 1 < arguments.size()) {
        // The write then fails with EFBIG instead of the signal killing us.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = arguments[limitAt + 1].toULongLong();
        const struct rlimit bound = {limit, limit};
        setrlimit(RLIMIT_FSIZE, &bound);
    }
    PlatformPaths paths;
    Platform platform(paths, std::make_unique<FixedClock>(0, QTimeZone::utc()),
                      std::make_unique<ScriptedPrompts>(), LocaleInfo());
    PlatformScope scope(platform);
    return SaveObjectToFile(arguments[1], &object, false) ? 0 : 1;
}
