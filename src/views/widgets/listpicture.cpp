#include "views/widgets/listpicture.h"

#include <QBitmap>
#include <QColor>
#include <QFileInfo>

#include "lists/listimage.h"
#include "platform/shippeddata.h"

QPixmap ListPicture(ImageFolder folder, const QString& imageName) {
    QPixmap picture;
    const QString path = ListImagePath(folder, imageName);
    if (!imageName.isEmpty() && QFileInfo::exists(path)) {
        picture.load(path);
    }
    if (picture.isNull()) {
        // A picture the user deleted is still drawn by its bare name.
        picture.load(GetBuiltInImagePath(imageName));
    }
    if (picture.isNull()) {
        picture.load(GetBuiltInImagePath(QStringLiteral("BROKENIMAGEU.BMP")));
    }
    if (!picture.isNull()) {
        picture.setMask(picture.createMaskFromColor(QColor(255, 0, 255)));
    }
    return picture;
}
