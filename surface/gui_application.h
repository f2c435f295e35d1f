// The Qt application that the drawing surface needs for its fonts, and the
// test for a display.  Drawing needs no window: without a display, Qt runs on
// its "offscreen" platform.
#ifndef SURFACE_GUI_APPLICATION_H_
#define SURFACE_GUI_APPLICATION_H_

namespace surface {

// True when a window can be shown: an X11 or Wayland display is named in
// the environment and Qt has not been told to run off-screen.
bool hasDisplay();

// Before any Qt application starts: chooses Qt's "offscreen" platform when
// there is no display (unless a platform is named), and makes the private
// runtime folder Qt asks for when the session names none.
void prepareHeadless();

// Makes sure a Qt application exists (fonts need one): when there is none,
// starts an off-screen QGuiApplication for the rest of the process.  A
// program with windows starts its own QApplication first.
void ensureGuiApplication();

// When no Qt application exists, starts one of type App (QGuiApplication or
// QApplication) for the rest of the process, off-screen without a display.
template <class App>
void ensureApplicationOf() {
  if (App::instance() != nullptr) return;
  prepareHeadless();
  static int argc = 1;
  static char name[] = "toolkit";
  static char* argv[] = {name, nullptr};
  static App* app = new App(argc, argv);  // lives to the end
  (void)app;
}

}  // namespace surface

#endif  // SURFACE_GUI_APPLICATION_H_
