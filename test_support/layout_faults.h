// For the window programs' tests: what a user would notice in a window's
// layout, found without repeating the positions the window was built with
// (link toolkit::test_support_ui).
#ifndef TEST_SUPPORT_LAYOUT_FAULTS_H_
#define TEST_SUPPORT_LAYOUT_FAULTS_H_

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <string>
#include <vector>

#include "ui/caption_frame.h"

namespace support {

// The faults of "container"'s layout, one line each: a child that sticks out
// of the area "within" (the container's own rectangle when empty), two
// children that overlap (a group box and the controls inside it are
// checked the same way, one level down), a control that crosses its frame's
// caption, and a label or button too narrow for its text.  Hidden children count: a window's layout
// must hold whatever it later shows.
inline std::vector<std::string> layoutFaults(const QWidget& container, QRect within = {}) {
  std::vector<std::string> faults;
  if (within.isNull()) within = container.rect();
  std::vector<const QWidget*> children;
  for (const QObject* o : container.children()) {
    const auto* w = qobject_cast<const QWidget*>(o);
    if (w != nullptr && !w->isWindow() && !w->objectName().startsWith("qt_")) {
      children.push_back(w);
    }
  }
  auto name = [](const QWidget* w) { return w->objectName().toStdString(); };
  for (std::size_t i = 0; i < children.size(); ++i) {
    const QWidget* w = children[i];
    if (!within.contains(w->geometry())) faults.push_back(name(w) + " sticks out");
    for (std::size_t j = i + 1; j < children.size(); ++j) {
      if (w->geometry().intersects(children[j]->geometry())) {
        faults.push_back(name(w) + " overlaps " + name(children[j]));
      }
    }
    QString text;
    int room = w->width();
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
      if (!label->wordWrap()) text = label->text();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
      text = button->text();
      // Check boxes and option buttons give room to their indicator.
      if (button->inherits("QCheckBox") || button->inherits("QRadioButton")) room -= 16;
    }
    if (!text.isEmpty() && w->fontMetrics().horizontalAdvance(text) > room) {
      faults.push_back(name(w) + " is too narrow for \"" + text.toStdString() + "\"");
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(w)) {
      for (const std::string& f : layoutFaults(*box)) faults.push_back(name(w) + ": " + f);
    }
    if (const auto* frame = dynamic_cast<const ui::CaptionFrame*>(w)) {
      for (const QObject* o : frame->children()) {
        const auto* inside = qobject_cast<const QWidget*>(o);
        if (inside != nullptr && inside->geometry().intersects(frame->captionRect())) {
          faults.push_back(name(w) + ": " + name(inside) + " crosses the caption");
        }
      }
    }
  }
  return faults;
}

}  // namespace support

#endif  // TEST_SUPPORT_LAYOUT_FAULTS_H_
