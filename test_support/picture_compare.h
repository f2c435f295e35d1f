// For tests of the vector and scaled pictures: copies drawn back into
// pixels, and how far they stand from the exact picture.
#ifndef TEST_SUPPORT_PICTURE_COMPARE_H_
#define TEST_SUPPORT_PICTURE_COMPARE_H_

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace support {

// A Qt application for the drawing below, off-screen, for the rest of the
// test program.
inline void ensurePictureApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}

// The share of the exact picture's pixels (0 to 1) that no pixel of the
// other picture within one pixel of the same place matches to within
// "distance" in every channel: a smooth copy's edges and glyphs, a pixel
// off, do not count; a missing line, a wrong colour or a shifted shape do.
// The other picture is scaled smoothly to the exact size first, or cut to it
// when it is at most 2 pixels larger (a page rounded up).
inline double differingShare(const QImage& exact, const QImage& other, int distance = 64) {
  if (exact.isNull() || other.isNull()) return 1.0;
  const QImage a = exact.convertToFormat(QImage::Format_RGB32);
  QImage b = other.convertToFormat(QImage::Format_RGB32);
  const QSize extra = b.size() - a.size();
  if (extra.width() >= 0 && extra.height() >= 0 && extra.width() <= 2 && extra.height() <= 2) {
    b = b.copy(0, 0, a.width(), a.height());
  } else {
    b = b.scaled(a.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  auto close = [distance](QRgb p, QRgb q) {
    return std::abs(qRed(p) - qRed(q)) <= distance && std::abs(qGreen(p) - qGreen(q)) <= distance &&
           std::abs(qBlue(p) - qBlue(q)) <= distance;
  };
  long differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      bool matched = false;
      for (int dy = -1; dy <= 1 && !matched; ++dy) {
        for (int dx = -1; dx <= 1 && !matched; ++dx) {
          const int u = x + dx, v = y + dy;
          matched = u >= 0 && v >= 0 && u < b.width() && v < b.height() && close(p, b.pixel(u, v));
        }
      }
      differing += !matched;
    }
  }
  return static_cast<double>(differing) / (static_cast<double>(a.width()) * a.height());
}

// How many pixels of "picture" lie within "distance" of the colour "rgb" in
// every channel.
inline long pixelsNear(const QImage& picture, QRgb rgb, int distance = 48) {
  const QImage a = picture.convertToFormat(QImage::Format_RGB32);
  long n = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      n += std::abs(qRed(p) - qRed(rgb)) <= distance &&
           std::abs(qGreen(p) - qGreen(rgb)) <= distance &&
           std::abs(qBlue(p) - qBlue(rgb)) <= distance;
    }
  }
  return n;
}

// How many pixels of "picture" lean to the hue of the pure colour "rgb" (red,
// green or blue): its channel above the other two by more than 60.  Smooth
// thin lines blend their colour with what lies under them; this still
// tells blue from black or red.
inline long pixelsOfHue(const QImage& picture, QRgb rgb) {
  const QImage a = picture.convertToFormat(QImage::Format_RGB32);
  long n = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const int r = qRed(p), g = qGreen(p), b = qBlue(p);
      if (qRed(rgb) == 255) n += r - std::max(g, b) > 60;
      if (qGreen(rgb) == 255) n += g - std::max(r, b) > 60;
      if (qBlue(rgb) == 255) n += b - std::max(r, g) > 60;
    }
  }
  return n;
}

// An SVG file drawn into pixels at "size" on white.
inline QImage rasterizeSvg(const std::string& path, QSize size) {
  ensurePictureApplication();
  QSvgRenderer renderer(QString::fromStdString(path));
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  if (!renderer.isValid()) return {};
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

// A PDF file's first page drawn into pixels at 96 dots per inch (pdftoppm).
inline QImage rasterizePdf(const std::string& path) {
  const std::string out = path + ".page";
  const std::string command = "pdftoppm -r 96 -png -singlefile '" + path + "' '" + out + "'";
  if (std::system(command.c_str()) != 0) return {};
  QImage image(QString::fromStdString(out + ".png"));
  std::remove((out + ".png").c_str());
  return image;
}

// The text of a PDF file (pdftotext), "" when it cannot be read.
inline std::string pdfText(const std::string& path) {
  const std::string out = path + ".txt";
  const std::string command = "pdftotext '" + path + "' '" + out + "'";
  if (std::system(command.c_str()) != 0) return "";
  std::FILE* f = std::fopen(out.c_str(), "rb");
  std::string text;
  if (f != nullptr) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
    std::fclose(f);
  }
  std::remove(out.c_str());
  return text;
}

}  // namespace support

#endif  // TEST_SUPPORT_PICTURE_COMPARE_H_
