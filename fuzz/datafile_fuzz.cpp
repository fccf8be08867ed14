// Every reader of the program's files, fed the same bytes: each must end in
// a loaded object or a reported error, never a crash, a hang or an
// allocation the file's size does not justify.
#include <QFile>
#include <cstddef>
#include <cstdint>

#include "archive/objectfile.h"
#include "fuzzplatform.h"
#include "lists/categoryex.h"
#include "lists/categoryexmanager.h"
#include "lists/classificationgroupmgr.h"
#include "lists/currencytable.h"
#include "lists/expensetypemanager.h"
#include "lists/historyholder.h"
#include "lists/paidwithmanager.h"
#include "lists/personalinfo.h"
#include "report/preferences.h"
#include "report/report.h"

namespace {

template <typename Object, typename... Arguments>
void Load(const QString& path, Arguments&&... arguments) {
    Object object(std::forward<Arguments>(arguments)...);
    LoadObjectFromFile(path, &object, false, true, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = FuzzPlatform::Get().ScratchFile(QStringLiteral("input.dat"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
                static_cast<qint64>(size)) {
            return 0;
        }
    }
    Load<CExpenseReport>(path);
    Load<CCurrencyTable>(path);
    Load<CPersonalInfo>(path);
    Load<CPreferences>(path);
    Load<CCategoryExManager>(path);
    Load<CCategoryEx>(path);
    Load<CPaidWithManager>(path);
    Load<CExpenseTypeManager>(path);
    Load<CClassificationGroupMgr>(path);
    Load<CHistoryHolder>(path, CHistoryHolder::Kind::Purpose);
    return 0;
}
