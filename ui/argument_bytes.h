// Command-line arguments as Qt's parser sees them and as the system gave
// them.
//
// A file name on Linux is bytes, not text: "r\xe9sultat.out" (Latin-1) is a
// name as good as any.  Qt decodes arguments as UTF-8 and turns every
// invalid byte into the same replacement character, so two different names
// would become one.  Here each byte that is not part of valid UTF-8 becomes a
// lone surrogate U+DC80..U+DCFF instead, which no valid text holds, so the
// original bytes come back exactly.
#ifndef UI_ARGUMENT_BYTES_H_
#define UI_ARGUMENT_BYTES_H_

#include <QString>
#include <QStringList>
#include <string>

namespace ui {

// The arguments argv[0 .. argc-1], each decoded as UTF-8 with its invalid
// bytes kept as lone surrogates.
QStringList argumentsOf(int argc, char** argv);

// The bytes of an argument decoded by argumentsOf() (or of any text, as
// UTF-8): a file name as the system takes it.
std::string argumentBytes(const QString& argument);

}  // namespace ui

#endif  // UI_ARGUMENT_BYTES_H_
