#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The Info-ZIP tools (zip, unzip, zipnote, zipinfo): the reference our
// archives are checked against, and the maker of archives from elsewhere.
struct InfoZipRun {
    int exitCode = -1;  // -1 when the tool did not run or did not finish
    QString out;
};

bool HaveInfoZip();

// Skips a test that needs the tools when they are missing, unless the run
// requires them (OUTLAYSHEET_REQUIRE_INFOZIP set, as ./dev test does): then
// the test fails rather than passing without having run.
#define SKIP_WITHOUT_INFOZIP()                                                   \
    do {                                                                         \
        if (!HaveInfoZip()) {                                                    \
            if (qEnvironmentVariableIsSet("OUTLAYSHEET_REQUIRE_INFOZIP")) {      \
                FAIL() << "Info-ZIP (zip, unzip, zipnote, zipinfo) is required"; \
            }                                                                    \
            GTEST_SKIP() << "Info-ZIP is not installed";                         \
        }                                                                        \
    } while (false)

InfoZipRun InfoZip(const QString& tool, const QStringList& arguments, const QString& folder = {},
                   const QByteArray& input = {});

// Rewrites an archive's entry comments and names with zipnote -w: for each
// entry name in `comments` its new comment, and for each in `renames` its new
// name. False when zipnote fails.
bool EditWithZipnote(const QString& archive, const QList<QPair<QString, QString>>& comments,
                     const QList<QPair<QString, QString>>& renames = {});
