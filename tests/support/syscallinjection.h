#pragma once

#include <gtest/gtest.h>

#include <QString>

// strace, to make a program's system calls fail one by one; empty, with the
// reason in `why`, where that cannot be done here: without strace, or in a
// sanitizer build, whose runtime makes system calls of its own (UBSan probes
// memory by writing it to a pipe) that the injection would count and fail,
// and whose leak check cannot run under a tracer at all.
QString StraceForInjection(QString& why);

// Declares `strace` as StraceForInjection gives it, or skips the test with
// the reason. A macro, as only the test body itself can return to skip.
#define STRACE_FOR_INJECTION_OR_SKIP(strace)                \
    QString strace##Why;                                    \
    const QString strace = StraceForInjection(strace##Why); \
    if (strace.isEmpty()) {                                 \
        GTEST_SKIP() << strace##Why.toStdString();          \
    }
