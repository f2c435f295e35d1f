// How the toolkit writes numbers as text.
//
// The console form of the console programs: a double by "%.16g", a single by
// "%.7g", a trailing decimal point dropped, and one leading blank when the
// value is not negative ("0.5" prints " 0.5", "-1.5" prints "-1.5").  Whole
// numbers print with the same leading blank.  Every form is locale-independent
// and spells the IEEE specials as nan, inf and -inf.
#ifndef COMMON_NUMBER_FORMS_H_
#define COMMON_NUMBER_FORMS_H_

#include <cstdint>
#include <string>

namespace common {

// "value" by the conversion "%.<digits>g", with no blank before it, a
// trailing decimal point dropped, and negative zero written as 0.
std::string generalForm(double value, int digits);

// The single value widened to double, by "%.7g" with no blanks: the form of
// numbers in point lists ("0.3333333", "1e-05").
std::string shortSingle(float value);

// The form of numbers in the window programs' output files: a sign position
// (a blank, or "-"), up to 15 significant digits in general notation, and one
// trailing blank: " 0.5 ", "-1.25e-07 ".
std::string fileNumber(double value);

// Appends fileNumber(value) to "out" without a temporary string.
void appendFileNumber(std::string& out, double value);

// Console form of a double ("%.16g"), with the leading blank.
std::string consoleDouble(double value);

// Console form of a single ("%.7g" of the widened value), with the leading blank.
std::string consoleSingle(float value);

// Appends consoleSingle(value) to "out" without a temporary string.
void appendConsoleSingle(std::string& out, float value);

// The longest console single ("-1.234567e-38"), with room to spare.
inline constexpr int kLongestConsoleSingle = 24;

// consoleSingle(value) written at "at" (room for kLongestConsoleSingle
// characters); returns the end.
char* writeConsoleSingle(char* at, float value);

// Console form of a whole number: one leading blank when not negative.
std::string consoleInteger(std::int64_t value);

}  // namespace common

#endif  // COMMON_NUMBER_FORMS_H_
