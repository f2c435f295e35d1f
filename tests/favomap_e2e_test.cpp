// Favomap5 in batch mode, run as a user runs it.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support/picture_compare.h"
#include "tests/process.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const fs::path kFavomap = FAVOMAP_EXE;
const fs::path kSom = fs::path(EXAMPLES_DIR) / "som";

// A folder with the example map's files and no settings file of its own.
fs::path exampleDir(const std::string& name) {
  fs::path dir = freshDir(name);
  for (const char* f : {"iris.bmu", "iris.wgt", "iris.cls", "iris_ext.dat"}) {
    fs::copy_file(kSom / f, dir / f);
  }
  return dir;
}

TEST(FavomapE2e, DrawsTheExampleMapInEveryBatchForm) {
  struct Case {
    std::vector<std::string> args;
    std::string caption;
  } cases[] = {
      {{"--bmu", "iris.bmu"}, "Favomap [iris.bmu]"},
      {{"--bmu", "iris.bmu", "--first", "51", "--num", "10", "--connect", "--count"},
       "Favomap [iris.bmu]"},
      {{"--bmu", "iris.bmu", "--option", "4", "--classes", "iris.cls"},
       "Favomap [iris.bmu, iris.cls]"},
      {{"--bmu", "iris.bmu", "--option", "2", "--wgt", "iris.wgt", "--var", "2", "--distance"},
       "Favomap [iris.bmu, iris.wgt, var. #2]"},
      {{"--bmu", "iris.bmu", "--option", "2", "--wgt", "iris.wgt", "--histogram"},
       "Favomap [iris.bmu, iris.wgt, all vars histogram]"},
      {{"--bmu", "iris.bmu", "--option", "3", "--data", "iris_ext.dat", "--column", "2"},
       "Favomap [iris.bmu, iris_ext.dat]"},
  };
  for (const Case& c : cases) {
    fs::path dir = exampleDir("draw");
    RunResult run = runProgram(kFavomap, c.args, dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, c.caption + "\nFavomap_output.bmp\n");
    const std::string bmp = readFile(dir / "Favomap_output.bmp");
    EXPECT_EQ(bmp.substr(0, 2), "BM");
  }
}

// A data file with a row of column names, left out with --data-header, draws
// the map of the file without it; without the option the names are no number.
TEST(FavomapE2e, DataHeaderIsLeftOut) {
  fs::path dir = exampleDir("data_header");
  writeFile(dir / "named.dat", "petal width\tsepal length\r\n" + readFile(dir / "iris_ext.dat"));
  const std::vector<std::string> plain = {"--bmu", "iris.bmu", "--option", "3", "--column", "2"};
  auto with = [&](std::vector<std::string> more) {
    std::vector<std::string> args = plain;
    args.insert(args.end(), more.begin(), more.end());
    return runProgram(kFavomap, args, dir);
  };
  ASSERT_EQ(with({"--data", "iris_ext.dat", "--output", "a.bmp"}).status, 0);
  const RunResult named = with({"--data", "named.dat", "--data-header", "--output", "b.bmp"});
  ASSERT_EQ(named.status, 0) << named.err;
  EXPECT_EQ(readFile(dir / "b.bmp"), readFile(dir / "a.bmp"));
  const RunResult unnamed = with({"--data", "named.dat", "--output", "c.bmp"});
  EXPECT_EQ(unnamed.status, 1);
  EXPECT_NE(unnamed.err.find("named.dat: item 1 (line 1): type mismatch"), std::string::npos)
      << unnamed.err;
}

TEST(FavomapE2e, ProgramMessagesGoToStandardErrorAndStopTheRun) {
  fs::path dir = exampleDir("messages");
  writeFile(dir / "square.bmu", "  square \n2\n2,2\nA,1,1\nB,2,2\n");
  writeFile(dir / "bad.cls", "1 2 3 4 5 17\n");
  writeFile(dir / "Favomap_output.bmp", "earlier picture");
  writeFile(dir / "none.wgt", "w\n8 12 0\n");
  writeFile(dir / "minus.wgt", "w\n8 12 -2\n");
  std::string settings = readFile(kSom / "Favomap5.cfg");
  const std::size_t second = settings.find('\n') + 1;
  for (const char* hexSize : {"0", "-600", "1e308", "0.001"}) {
    std::string s = settings;
    s.replace(second, s.find('\r', second) - second, hexSize);
    writeFile(dir / (std::string("hex") + hexSize + ".cfg"), s);
  }
  const std::string drawsNothing =
      " draws nothing: the spacing of the units takes a number of twips from 15 (a pixel) up, "
      "small enough for the map to fit a window (600 in the example settings)\n";
  struct Case {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"--bmu", "square.bmu"},
       "Favomap5: Warning: This program does not support SOMs with square grids!\n"},
      {{"--bmu", "iris.bmu", "--option", "4", "--classes", "bad.cls"},
       "Favomap5: Class ID must be >0 and <15)\n"},
      {{"--bmu", "missing.bmu"},
       "Favomap5: cannot open \"missing.bmu\": file not found (No such file or directory)\n"},
      {{"--bmu", "iris.bmu", "--option", "4", "--classes", "iris.bmu"},
       "Favomap5: iris.bmu: item 1 (line 1): type mismatch: expected a number, got "
       "\"hexa\"\n"},
      {{"--bmu", "iris.bmu", "--first", "149", "--num", "5"},
       "Favomap5: iris.bmu: item 454 (line 154): input past end of file\n"},
      {{"--bmu", "iris.bmu", "--output", "no/such/folder/map.bmp"},
       "Favomap5: cannot write \"no/such/folder/map.bmp\": bad file name or path (No such file or "
       "directory)\n"},
      {{"--bmu", "iris.bmu", "--config", "nothing.cfg"},
       "Favomap5: cannot open \"nothing.cfg\": file not found (No such file or directory)\n"},
      {{"--bmu", "iris.bmu", "--option", "5"},
       "Favomap5: --option takes 1, 2, 3 or 4 (see --help)\n"},
      {{"--bmu", "iris.bmu", "--option", "2"},
       "Favomap5: --option 2 needs --wgt FILE (see --help)\n"},
      {{"--bmu", "iris.bmu", "--option", "3"},
       "Favomap5: --option 3 needs --data FILE (see --help)\n"},
      {{"--bmu", "iris.bmu", "--option", "4"},
       "Favomap5: --option 4 needs --classes FILE (see --help)\n"},
      {{"--option", "1"}, "Favomap5: --bmu FILE is required (see --help)\n"},
      {{"--bmu", "m.bmu", "extra"}, "Favomap5: unexpected argument \"extra\" (see --help)\n"},
      {{"--bmu", "iris.bmu", "--option", "3", "--data", "iris.cls"},
       "Favomap5: Errore nel file di dati\n"},
      {{"--bmu", "iris.bmu", "--config", "hex0.cfg"},
       "Favomap5: hex0.cfg: line 2: hexSize 0" + drawsNothing},
      {{"--bmu", "iris.bmu", "--config", "hex-600.cfg"},
       "Favomap5: hex-600.cfg: line 2: hexSize -600" + drawsNothing},
      {{"--bmu", "iris.bmu", "--config", "hex1e308.cfg"},
       "Favomap5: hex1e308.cfg: line 2: hexSize 1e+308" + drawsNothing},
      {{"--bmu", "iris.bmu", "--config", "hex0.001.cfg"},
       "Favomap5: hex0.001.cfg: line 2: hexSize 0.001" + drawsNothing},
      {{"--bmu", "iris.bmu", "--option", "2", "--wgt", "none.wgt", "--histogram"},
       "Favomap5: none.wgt: line 2: subscript out of range: the header gives 0 values per unit: "
       "there is no variable to draw\n"},
      {{"--bmu", "iris.bmu", "--option", "2", "--wgt", "minus.wgt", "--histogram"},
       "Favomap5: minus.wgt: line 2: subscript out of range: the header gives -2 values per unit: "
       "there is no variable to draw\n"},
      {{"--bmu", "iris.bmu", "--style", "fancy"},
       "Favomap5: --style takes exact or paper, not \"fancy\" (see --help)\n"},
      {{"--bmu", "iris.bmu", "--style=paper", "--size", "0x5"},
       "Favomap5: --size takes WxH in centimetres (both above 0, at most 100), not \"0x5\" (see "
       "--help)\n"},
      {{"--bmu", "iris.bmu", "--option", "4", "--classes", "iris.cls", "--style", "paper",
        "--class-names", "names.txt"},
       "Favomap5: cannot open \"names.txt\": file not found (No such file or directory)\n"},
      {{"--bmu", "iris.bmu", "--option", "4", "--classes", "iris.cls", "--class-names", "iris.cls"},
       "Favomap5: --class-names names the classes of --style paper's legend: give --style paper "
       "(see --help)\n"},
      {{"--bmu", "iris.bmu", "--option", "2", "--wgt", "iris.wgt", "--histogram", "--style",
        "paper"},
       "Favomap5: --style paper draws colour and class maps, not --histogram or --outline (see "
       "--help)\n"},
  };
  for (const Case& c : cases) {
    RunResult run = runProgram(kFavomap, c.args, dir);
    EXPECT_EQ(run.status, 1) << c.args[1];
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(readFile(dir / "Favomap_output.bmp"), "earlier picture");
  }
}

// The picture is written in the format its name's ending names; an ending
// that names none is refused before the map is drawn, with the formats.
TEST(FavomapE2e, PictureFormatFollowsTheName) {
  fs::path dir = exampleDir("formats");
  struct Case {
    std::string name;
    std::string start;   // the file's first bytes; "" when the name is refused
    bool paper = false;  // --style paper: the figure, its legend's text as text
  } cases[] = {
      {"map.bmp", "BM"},
      {"map", "BM"},
      {"map.PNG", "\x89PNG"},
      {"map.jpg", "\xFF\xD8\xFF"},
      {"map.jpeg", "\xFF\xD8\xFF"},
      {"map.svg", "<?xml"},
      {"map.pdf", "%PDF"},
      {"map.xyz", ""},
      {"map.bmp.txt", ""},
      {"paper.svg", "<?xml", true},
      {"paper.pdf", "%PDF", true},
      {"paper.png", "\x89PNG", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args = {"--bmu", "iris.bmu", "--output", c.name};
    if (c.paper) {
      args.insert(args.end(), {"--style", "paper", "--title", "Iris classes", "--option", "4",
                               "--classes", "iris.cls"});
    }
    const RunResult run = runProgram(kFavomap, args, dir);
    if (c.start.empty()) {
      EXPECT_EQ(run.status, 1);
      const std::string ending = c.name.substr(c.name.rfind('.'));
      const std::string start =
          "Favomap5: --output: no picture format ends in \"" + ending + "\"; name a ";
      EXPECT_EQ(run.err.substr(0, start.size()), start) << run.err;
      for (const char* format : {".bmp, ", ".jpg, ", ".pdf, ", ".png, ", ".svg"}) {
        EXPECT_NE(run.err.find(format), std::string::npos) << run.err;
      }
      EXPECT_FALSE(fs::exists(dir / c.name));
    } else {
      EXPECT_EQ(run.status, 0) << run.err;
      EXPECT_EQ(run.err, "");
      EXPECT_EQ(readFile(dir / c.name).substr(0, c.start.size()), c.start);
    }
    if (!c.paper) continue;
    const std::string path = (dir / c.name).string();
    if (c.name.ends_with(".svg")) {
      const std::string svg = readFile(path);
      for (const char* text : {">Iris classes</text>", ">Class 3</text>", ">se09</text>"}) {
        EXPECT_NE(svg.find(text), std::string::npos) << text;
      }
    } else if (c.name.ends_with(".pdf")) {
      const std::string text = support::pdfText(path);
      for (const char* piece : {"Iris classes", "Class 3", "se09"}) {
        EXPECT_NE(text.find(piece), std::string::npos) << piece;
      }
    } else {
      EXPECT_EQ(QImage(QString::fromStdString(path)).width(),
                454);  // 12 cm at 96 dpi, 453.5 pixels
    }
  }
}

// Headers that announce more than a small file can hold fail at once,
// without allocating what they announce.
TEST(FavomapE2e, HugeHeadersFailQuickly) {
  fs::path dir = exampleDir("huge");
  writeFile(dir / "wide.bmu", "hexa\n1\n100000,100000\nA,1,1\n");
  writeFile(dir / "big.bmu", "hexa\n1\n30000,30000\nA,1,1\n");
  writeFile(dir / "big.wgt", "w\n30000 30000 30000\n1 2 3\n");
  struct Case {
    std::vector<std::string> args;
    std::string fault;
  } cases[] = {
      {{"--bmu", "wide.bmu"}, "overflow"},
      {{"--bmu", "big.bmu"}, "too large"},
      {{"--bmu", "iris.bmu", "--option", "2", "--wgt", "big.wgt"}, "too large"},
  };
  for (const Case& c : cases) {
    RunResult run = runProgram(kFavomap, c.args, dir, "", 20);
    EXPECT_EQ(run.status, 1) << c.args[1];
    EXPECT_NE(run.err.find(c.fault), std::string::npos) << run.err;
  }
}

TEST(FavomapE2e, CorrectedColumnsAreReportedAsTheDialogShowsThem) {
  fs::path dir = exampleDir("corrected");
  RunResult var = runProgram(
      kFavomap, {"--bmu", "iris.bmu", "--option", "2", "--wgt", "iris.wgt", "--var", "9"}, dir);
  EXPECT_EQ(var.status, 0) << var.err;
  EXPECT_EQ(var.out,
            "Favomap [iris.bmu, iris.wgt, var. #4]\nFavomap_output.bmp\n"
            "color coded variable (.wgt file column #): 4\n");
  RunResult column = runProgram(
      kFavomap, {"--bmu", "iris.bmu", "--option", "3", "--data", "iris_ext.dat", "--column", "5"},
      dir);
  EXPECT_EQ(column.status, 0) << column.err;
  EXPECT_EQ(column.out,
            "Favomap [iris.bmu, iris_ext.dat]\nFavomap_output.bmp\n"
            "color coded variable (data file column #): 2\n");
}

TEST(FavomapE2e, SettingsInTheCurrentFolderWin) {
  fs::path dir = exampleDir("settings");
  // A settings file whose hexSize is 300 gives a smaller picture than the
  // copy beside the program (600).
  std::string settings = readFile(kSom / "Favomap5.cfg");
  const std::size_t second = settings.find('\n') + 1;
  settings.replace(second, settings.find('\r', second) - second, "300");
  writeFile(dir / "Favomap5.cfg", settings);
  RunResult small = runProgram(kFavomap, {"--bmu", "iris.bmu", "--output", "small.bmp"}, dir);
  fs::remove(dir / "Favomap5.cfg");
  RunResult large = runProgram(kFavomap, {"--bmu", "iris.bmu", "--output", "large.bmp"}, dir);
  ASSERT_EQ(small.status, 0) << small.err;
  ASSERT_EQ(large.status, 0) << large.err;
  EXPECT_LT(fs::file_size(dir / "small.bmp") * 3, fs::file_size(dir / "large.bmp"));
}

}  // namespace
}  // namespace e2e
