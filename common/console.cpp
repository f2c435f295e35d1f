#include "common/console.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace common {

void clearConsole() {
  if (isatty(STDOUT_FILENO)) {
    std::fputs("\x1b[2J\x1b[H", stdout);
    std::fflush(stdout);
  }
}

void waitForKey() {
  std::fflush(stdout);
  if (!isatty(STDIN_FILENO)) return;
  termios saved;
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return;
  termios raw = saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  char key;
  ssize_t got;
  do {
    got = read(STDIN_FILENO, &key, 1);
  } while (got < 0 && errno == EINTR);
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
}

}  // namespace common
