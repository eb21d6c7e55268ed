#include "platform/program_icon.h"

#include "platform/icon_pictures.h"

#include <QImage>
#include <QPixmap>

QIcon programIcon()
{
    QIcon icon;
    for (int i = 0; i < iconPictureCount; ++i) {
        const IconPicture &picture = iconPictures[i];
        const QImage image(reinterpret_cast<const uchar *>(picture.argb), picture.size,
                           picture.size, QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
