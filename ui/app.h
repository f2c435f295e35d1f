// Start-up of the programs that open windows.
#ifndef UI_APP_H_
#define UI_APP_H_

#include <functional>
#include <memory>

class QApplication;

namespace ui {

// The application object of a program.  Without a display it runs on Qt's
// "offscreen" platform, so pictures, fonts and even hidden widgets work on a
// bare machine.  "argc" and "argv" must outlive the application.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv);

// What "end the program" does in a window program: every window closes and
// the event loop of "app" ends with "status".
std::function<void(int status)> programEnder(QApplication& app);

// Makes sure a widget application exists (for tests of windows), starting an
// off-screen one for the rest of the process if there is none.  Must come
// before anything starts a plain QGuiApplication.
void ensureApplication();

}  // namespace ui

#endif  // UI_APP_H_
