#include "ui/caption_frame.h"

#include <QPainter>

namespace ui {

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

QRect CaptionFrame::captionRect() const {
  const QFontMetrics metrics = fontMetrics();
  return {8, 0, metrics.horizontalAdvance(title()) + 4, metrics.height()};
}

void CaptionFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  // The border's top line runs through the middle of the caption.
  const int top = metrics.height() / 2;
  const QRect border(0, top, width() - 1, height() - 1 - top);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(border.adjusted(0, 0, -1, -1));
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(border.adjusted(1, 1, 0, 0));
  if (title().isEmpty()) return;
  const QRect caption = captionRect();
  painter.fillRect(caption, palette().color(QPalette::Window));
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace ui
