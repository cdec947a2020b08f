#include "controls/artwork.h"

#include <QFile>
#include <QString>

namespace tq370 {

QImage loadArtwork(int resourceNumber) {
    for (const char* folder : {"png", "bitmap", "icon"}) {
        const QString path = QStringLiteral(":/%1/%2.png").arg(folder).arg(resourceNumber);
        if (QFile::exists(path)) {
            return QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
    }
    return {};
}

}  // namespace tq370
