#include "commandlineinfo.h"

void CExpenseCommandLineInfo::ParseParam(const QString&, bool, bool) {}

void CExpenseCommandLineInfo::Parse(const QStringList&) {}
