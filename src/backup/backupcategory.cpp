#include "backupcategory.h"

namespace BackupCategory {

std::optional<ImageFolder> ImageFolderOf(QChar code) {
    for (const ImageCategory& category : kImageCategories) {
        if (category.code == code) {
            return category.folder;
        }
    }
    return std::nullopt;
}

QChar FromComment(const QString& comment) {
    return comment.isEmpty() ? kNone : comment.front();
}

}  // namespace BackupCategory
