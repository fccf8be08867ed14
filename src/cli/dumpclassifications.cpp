#include "dumpclassifications.h"

#include <QJsonArray>

#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "cli/dumpers.h"
#include "lists/classification.h"
#include "lists/classificationgroup.h"
#include "lists/classificationgroupmgr.h"

namespace {

// Reads a classification file as it is, in file order and with every entry:
// the manager would file groups and classifications by name, merging
// duplicates and reordering them.
class ClassificationGroupsReader : public CExpenseObject {
public:
    void Serialize(CExpenseArchive& archive, int context) override {
        SerializeFileHeader(archive, kFileTypeClassificationGroups,
                            CurrentFileVersion(kFileTypeClassificationGroups));
        currentGroupName_ =
            CClassificationGroupMgr::ReadEntries(archive, [&](CExpenseArchive& source) {
                QJsonArray classifications;
                const QString name = CClassificationGroup::ReadEntries(
                    source, context, [&](CClassification& entry) {
                        classifications.append(ClassificationJson(entry));
                    });
                groups_.append(QJsonObject{{QStringLiteral("name"), name},
                                           {QStringLiteral("classifications"), classifications}});
            });
    }
    void Reset() override {
        CExpenseObject::Reset();
        currentGroupName_.clear();
        groups_ = QJsonArray();
    }

    QJsonObject Contents() const {
        return QJsonObject{{QStringLiteral("currentGroupName"), currentGroupName_},
                           {QStringLiteral("groups"), groups_}};
    }

private:
    QString currentGroupName_;
    QJsonArray groups_;
};

std::optional<QJsonObject> DumpClassificationGroups(const QString& path) {
    ClassificationGroupsReader reader;
    if (!LoadObjectFromFile(path, &reader, false, true, true)) {
        return std::nullopt;
    }
    return reader.Contents();
}

[[maybe_unused]] const bool registered =
    RegisterDumper(kFileTypeClassificationGroups, &DumpClassificationGroups);

}  // namespace

QJsonObject ClassificationJson(const CClassification& classification) {
    return QJsonObject{
        {QStringLiteral("name"), classification.GetName()},
        {QStringLiteral("imageName"), classification.GetImageName()},
    };
}
