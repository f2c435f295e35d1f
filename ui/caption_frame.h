// A frame in the classic look: an etched border whose caption stands on the
// top border line itself, interrupting it, rather than above the frame.
// Controls placed near the frame's top edge then sit inside the border,
// clear of the caption.
#ifndef UI_CAPTION_FRAME_H_
#define UI_CAPTION_FRAME_H_

#include <QGroupBox>

namespace ui {

class CaptionFrame : public QGroupBox {
 public:
  // "caption" is the frame's title; enabling and disabling work as for any
  // group box (the caption greys with the controls).
  CaptionFrame(const QString& caption, QWidget* parent);

  // Where the caption is painted, in the frame's coordinates: on the top
  // border, from 8 pixels in.
  QRect captionRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui

#endif  // UI_CAPTION_FRAME_H_
