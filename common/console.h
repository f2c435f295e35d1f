// The console operations of the console programs.
#ifndef COMMON_CONSOLE_H_
#define COMMON_CONSOLE_H_

namespace common {

// Clears the console: writes the ANSI clear sequence, only when standard
// output is a terminal.
void clearConsole();

// Waits for one key press on the terminal (no echo, no Enter needed).
// Returns at once when standard input is not a terminal or is at its end.
void waitForKey();

}  // namespace common

#endif  // COMMON_CONSOLE_H_
