#include "ui/picture_window.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace ui {
namespace {

class PictureWidget : public QWidget {
 public:
  PictureWidget(const QImage& picture, QEventLoop& loop) : picture_(picture), loop_(loop) {
    setFixedSize(picture.size());
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
  }
  void keyPressEvent(QKeyEvent*) override { loop_.quit(); }
  void closeEvent(QCloseEvent*) override { loop_.quit(); }

 private:
  const QImage& picture_;
  QEventLoop& loop_;
};

}  // namespace

void showPictureUntilKey(const QImage& picture, const QString& title, const Saveable* save,
                         Toolkit* toolkit) {
  QEventLoop loop;
  PictureWidget widget(picture, loop);
  if (save != nullptr && toolkit != nullptr) addSaveMenu(widget, *save, *toolkit);
  widget.setWindowTitle(title);
  widget.show();
  widget.activateWindow();
  loop.exec();
}

}  // namespace ui
