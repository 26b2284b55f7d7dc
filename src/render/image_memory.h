#pragma once

#include <QImage>
#include <QSize>

// A new opaque image (QImage::Format_RGB32, contents undefined) of size. Large images take their
// pixels from memory that the system is asked to back with huge pages, where it can: first
// touching the pixels of a plot picture then costs a few page faults instead of one for every
// 4 KiB, which on some machines took longer than drawing and encoding the picture together.
// A null image when the memory cannot be had.
QImage NewOpaqueImage(QSize size);
