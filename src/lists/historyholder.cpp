#include "lists/historyholder.h"

#include "lists/listfile.h"
#include "lists/listimage.h"

namespace {

struct KindData {
    const char* name;
    const char* fileStem;
    const char* image;
};

KindData DataOf(CHistoryHolder::Kind kind) {
    switch (kind) {
        case CHistoryHolder::Kind::Purpose:
            return {"Purpose", "Purpose", "OTHERPURPOSEU.BMP"};
        case CHistoryHolder::Kind::ExpenseLocations:
            return {"Expense Slip Locations", "LocationExpense", "OTHERLOCATIONEXPENSEU.BMP"};
        case CHistoryHolder::Kind::Contacts:
            return {" Contacts", "Contacts", "OTHERCONTACTSU.BMP"};
        case CHistoryHolder::Kind::ReportLocations:
            return {"Report Locations", "LocationReport", "OTHERLOCATIONREPORTU.BMP"};
    }
    return {"", "", ""};
}

}  // namespace

CHistoryHolder::CHistoryHolder(Kind kind) : kind_(kind) {
    history_.SetFilePath(DataFilePath(FileName(kind)));
    SetImageMissing(!ListImageExists(ImageFolder::Other, GetImageName()));
}

QString CHistoryHolder::GetName() const {
    return QString::fromLatin1(DataOf(kind_).name);
}

QString CHistoryHolder::GetImageName() const {
    return QString::fromLatin1(DataOf(kind_).image);
}

QString CHistoryHolder::GetImagePath() const {
    return ListImagePath(ImageFolder::Other, GetImageName());
}

QString CHistoryHolder::GetImageReference() const {
    return IsImageMissing() ? GetImageName() : GetImagePath();
}

QString CHistoryHolder::FileName(Kind kind) {
    return QString::fromLatin1(DataOf(kind).fileStem) + QStringLiteral(".dat");
}
