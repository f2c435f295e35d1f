// The kept shapes of a picture as an SVG or PDF drawing, or as a bitmap
// drawn larger than the exact picture.
#ifndef SURFACE_INTERNAL_VECTOR_FILES_H_
#define SURFACE_INTERNAL_VECTOR_FILES_H_

#include <QImage>
#include <QSize>

#include "surface/internal/shapes.h"

class QIODevice;

namespace surface::internal {

// An SVG drawing "size" pixels wide and tall (at 96 dots per inch) to
// "device"; false when it could not be written.
bool writeSvg(const ShapeList& shapes, QSize size, QIODevice& device);

// A one-page PDF of the picture's size at 96 dots per inch, text as text.
bool writePdf(const ShapeList& shapes, QSize size, QIODevice& device);

// The picture drawn "scale" times as wide and tall, anti-aliased.
QImage drawScaled(const ShapeList& shapes, QSize size, int scale);

}  // namespace surface::internal

#endif  // SURFACE_INTERNAL_VECTOR_FILES_H_
