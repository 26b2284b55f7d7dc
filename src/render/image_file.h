#pragma once

#include <QString>

#include <string>

class QImage;

// Writes the image to path in the format its extension names (PNG without one) through the
// core's safe writer: a failure leaves the previous file and gives the reason.
bool WriteImageFile(const QImage& image, const QString& path, std::string& reason);
