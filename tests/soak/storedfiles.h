#pragma once

#include <QStringList>

// What a run may never leave behind in the documents root `root`: a report
// or list file (".xpf", ".dat", any folder below) that does not load, and a
// report whose stored totals differ from those of its expenses, worked out
// and rounded as opening the report works them out. One line per fault,
// naming the file; none when all is well. Reads only: nothing is written,
// nothing is shown.
QStringList CheckStoredFiles(const QString& root);
