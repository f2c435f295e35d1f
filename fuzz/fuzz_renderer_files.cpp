// The map renderer's readers: the item reader, the settings file, the .bmu
// grid check and records, the weights file, the data file, the class file and
// the outline coefficients, each run on the same input.
#include <cstdint>
#include <string>

#include "common/errors.h"
#include "fuzz/fuzz_support.h"
#include "map/item_reader.h"
#include "map/settings.h"
#include "map/som_files.h"

using fuzz::tolerant;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tolerant([&] { map::parseSettings(text, "Favomap5.cfg"); });
  tolerant([&] {
    map::ItemReader in(text, "items.txt");
    for (int i = 0; i < 64 && !in.atEnd(); ++i) {
      switch (i % 5) {
        case 0:
          in.readText();
          break;
        case 1:
          in.readNumber();
          break;
        case 2:
          in.readInteger();
          break;
        case 3:
          in.readLong();
          break;
        default:
          in.readLine();
      }
    }
  });
  fuzz::TempFile file(data, size);
  tolerant([&] { map::checkGridType(file.path()); });
  tolerant([&] {
    map::BmuReader bmu(file.path());
    for (int i = 0; i < 1000 && !bmu.atEnd(); ++i) bmu.next();
  });
  tolerant([&] {
    map::draw::SomGrid grid;
    map::readWeights(file.path(), grid);
  });
  tolerant([&] {
    map::draw::SomGrid grid;
    map::readOutlineCoefficients(file.path(), grid);
  });
  tolerant([&] {
    bool enable = false;
    map::measureDataFile(file.path(), 3, enable);
  });
  tolerant([&] {
    map::ClassReader classes(file.path());
    for (int i = 0; i < 1000; ++i) classes.next();
  });
  return 0;
}
