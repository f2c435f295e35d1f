// Start-up of the programs that draw or open windows.
#ifndef SURFACE_APP_H_
#define SURFACE_APP_H_

#include <functional>
#include <memory>

class QApplication;

namespace surface {

// True when a window can be shown: an X11 or Wayland display is named in
// the environment and Qt has not been told to run off-screen.
bool hasDisplay();

// The application object of a program.  Without a display it runs on Qt's
// "offscreen" platform, so pictures, fonts and even hidden widgets work on a
// bare machine.  "argc" and "argv" must outlive the application.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv);

// What "end the program" does in a window program: every window closes and
// the event loop of "app" ends with "status".
std::function<void(int status)> programEnder(QApplication& app);

// Makes sure a Qt application exists (fonts and widgets need one), starting
// an off-screen one for the rest of the process if there is none.
void ensureGuiApplication();

}  // namespace surface

#endif  // SURFACE_APP_H_
