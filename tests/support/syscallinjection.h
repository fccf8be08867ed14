#pragma once

#include <QString>

// strace, to make a program's system calls fail one by one; empty, with the
// reason in `why`, where that cannot be done here: without strace, or in a
// sanitizer build, whose runtime makes system calls of its own (UBSan probes
// memory by writing it to a pipe) that the injection would count and fail,
// and whose leak check cannot run under a tracer at all.
QString StraceForInjection(QString& why);
