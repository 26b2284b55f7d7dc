#include "render/image_file.h"

#include "render/png_encoder.h"

#include "support/file_access.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImage>

namespace {
constexpr const char* kReasonCannotEncode = "the picture cannot be stored in this format";
}

bool WriteImageFile(const QImage& image, const QString& path, std::string& reason) {
    QString format = QFileInfo(path).suffix().toLower();
    if (format.isEmpty())
        format = "png";
    QByteArray bytes;
    if (format == "png")
        bytes = EncodeOpaquePng(image);
    if (bytes.isEmpty()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, format.toLatin1().constData())) {
            reason = kReasonCannotEncode;
            return false;
        }
    }
    return WriteFileSafely(path.toStdString(),
                           {bytes.constData(), static_cast<size_t>(bytes.size())}, reason);
}
