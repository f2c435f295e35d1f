// The pictures of the four drawing programs as SVG, PDF and scaled bitmaps:
// each drawn back into pixels stands close to the exact bitmap, in its
// colours, with its text as text.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "test_support/picture_compare.h"
#include "tests/process.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(EXAMPLES_DIR);

struct Drawing {
  const char* name;
  fs::path exe;
  // The command line that saves the picture under "picture".
  std::vector<std::string> (*args)(const std::string& picture);
  const char* text;  // a piece of text the picture shows
};

std::vector<std::string> som(std::vector<std::string> extra, const std::string& picture) {
  std::vector<std::string> args = {"--bmu", (kExamples / "som/iris.bmu").string()};
  args.insert(args.end(), extra.begin(), extra.end());
  args.insert(args.end(), {"--output", picture});
  return args;
}

const Drawing kDrawings[] = {
    {"rocplot", ROCPLOT_EXE,
     [](const std::string& p) {
       return std::vector<std::string>{(kExamples / "roc/breast_cancer_scores.txt").string(),
                                       "--picture", p};
     },
     "AUC"},
    {"Favomap5 labels", FAVOMAP_EXE, [](const std::string& p) { return som({}, p); }, "se01"},
    {"Favomap5 variable and distances", FAVOMAP_EXE,
     [](const std::string& p) {
       return som({"--option", "2", "--wgt", (kExamples / "som/iris.wgt").string(), "--var", "3",
                   "--distance"},
                  p);
     },
     "se01"},
    {"Favomap5 external variable", FAVOMAP_EXE,
     [](const std::string& p) {
       return som({"--option", "3", "--data", (kExamples / "som/iris_ext.dat").string()}, p);
     },
     "se01"},
    {"Favomap5 classes and series", FAVOMAP_EXE,
     [](const std::string& p) {
       return som({"--option", "4", "--classes", (kExamples / "som/iris.cls").string(), "--first",
                   "51", "--num", "12", "--connect"},
                  p);
     },
     "se01"},
    {"Yieldex", YIELDEX_EXE,
     [](const std::string& p) {
       return std::vector<std::string>{(kExamples / "ebp/cancer.pat").string(),
                                       "--weights",
                                       (kExamples / "ebp/cancer.wgt").string(),
                                       "--output",
                                       "c.out",
                                       "--plot",
                                       p};
     },
     "OUTPUT"},
    {"Tremora", TREMORA_EXE,
     [](const std::string& p) {
       return std::vector<std::string>{"--noise",
                                       (kExamples / "ebp/noise.cfg").string(),
                                       "--results",
                                       "t.err",
                                       "--plot",
                                       p,
                                       (kExamples / "ebp/cancer.pat").string(),
                                       (kExamples / "ebp/cancer.wgt").string()};
     },
     "Inputs"},
};

TEST(VectorPictures, SvgPdfAndScaledBitmapsMatchTheExactPicture) {
  const fs::path dir = freshDir("vector");
  for (const Drawing& d : kDrawings) {
    SCOPED_TRACE(d.name);
    auto draw = [&](const std::string& picture, std::vector<std::string> more = {}) {
      std::vector<std::string> args = d.args((dir / picture).string());
      args.insert(args.end(), more.begin(), more.end());
      const RunResult r = runProgram(d.exe, args, dir);
      EXPECT_EQ(r.status, 0) << picture << ": " << r.err;
    };
    draw("exact.png");
    draw("copy.svg");
    draw("copy.pdf");
    draw("big.png", {"--scale", "4"});
    const QImage exact(QString::fromStdString((dir / "exact.png").string()));
    ASSERT_FALSE(exact.isNull());

    const QImage svg = support::rasterizeSvg((dir / "copy.svg").string(), exact.size());
    EXPECT_LT(support::differingShare(exact, svg), 0.05);
    EXPECT_NE(readFile(dir / "copy.svg").find(d.text), std::string::npos);  // text as text

    const QImage pdf = support::rasterizePdf((dir / "copy.pdf").string());
    EXPECT_LE(std::abs(pdf.width() - exact.width()) + std::abs(pdf.height() - exact.height()), 2);
    EXPECT_LT(support::differingShare(exact, pdf), 0.05);
    EXPECT_NE(support::pdfText((dir / "copy.pdf").string()).find(d.text), std::string::npos);

    const QImage big(QString::fromStdString((dir / "big.png").string()));
    EXPECT_EQ(big.size(), exact.size() * 4);
    EXPECT_LT(support::differingShare(exact, big), 0.05);

    // Every colour the exact picture shows in quantity is in the copies too
    // (a thin smooth line blends with what lies under it, keeping its hue).
    for (const QRgb colour : {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0)}) {
      if (support::pixelsNear(exact, colour, 0) < 20) continue;
      EXPECT_GT(support::pixelsOfHue(svg, colour), 0) << std::hex << colour;
      EXPECT_GT(support::pixelsOfHue(pdf, colour), 0) << std::hex << colour;
    }
  }
}

std::vector<std::vector<std::string>> rowsOf(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> cells;
    std::istringstream cellsIn(line);
    for (std::string cell; std::getline(cellsIn, cell, '\t');) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

// --table writes the numbers the programs already write elsewhere: rocplot's
// rates as in roc.prn, Yieldex's outputs as in its output file, Tremora's
// errors as in test.err; a header row, one observation a row.
TEST(FigureTables, AgreeWithWhatTheProgramsWrite) {
  const fs::path dir = freshDir("tables");
  const std::string pat = (kExamples / "ebp/cancer.pat").string();
  const std::string wgt = (kExamples / "ebp/cancer.wgt").string();

  RunResult r = runProgram(
      ROCPLOT_EXE,
      {(kExamples / "roc/breast_cancer_scores.txt").string(), "roc", "--table", "roc.tsv"}, dir);
  ASSERT_EQ(r.status, 0) << r.err;
  auto roc = rowsOf(readFile(dir / "roc.tsv"));
  auto prn = rowsOf(readFile(dir / "roc.prn"));
  ASSERT_EQ(roc[0], (std::vector<std::string>{"threshold", "TP", "FN", "FP", "TN", "TPR", "FPR",
                                              "distance", "MCC"}));
  // A header / the line 1,1, then a row per threshold; roc.prn closes with
  // the curve's last point, which no threshold gives.
  ASSERT_EQ(roc.size() + 1, prn.size());
  for (std::size_t k = 1; k < roc.size(); ++k) {
    char fpr[32], tpr[32];
    std::snprintf(fpr, sizeof fpr, "%.7g", std::stof(roc[k][6]));
    std::snprintf(tpr, sizeof tpr, "%.7g", std::stof(roc[k][5]));
    EXPECT_EQ(prn[k][0], std::string(fpr) + "," + tpr) << k;
    const long tp = std::stol(roc[k][1]), fn = std::stol(roc[k][2]);
    EXPECT_EQ(std::stof(roc[k][5]), static_cast<float>(static_cast<double>(tp) / (tp + fn)));
  }

  // Favomap5: a row per unit of the 8 x 12 Iris map, every object once.
  r = runProgram(FAVOMAP_EXE,
                 {"--bmu", (kExamples / "som/iris.bmu").string(), "--option", "4", "--classes",
                  (kExamples / "som/iris.cls").string(), "--output", "m.png", "--table", "m.tsv"},
                 dir);
  ASSERT_EQ(r.status, 0) << r.err;
  auto units = rowsOf(readFile(dir / "m.tsv"));
  ASSERT_EQ(units.size(), 1u + 8 * 12);
  EXPECT_EQ(units[0].back(), "class");
  long objects = 0;
  for (std::size_t u = 1; u < units.size(); ++u) objects += std::stol(units[u][5]);
  EXPECT_EQ(objects, 150);

  r = runProgram(YIELDEX_EXE, {pat, "--weights", wgt, "--output", "c.out", "--table", "y.tsv"},
                 dir);
  ASSERT_EQ(r.status, 0) << r.err;
  auto y = rowsOf(readFile(dir / "y.tsv"));
  auto out = rowsOf(readFile(dir / "c.out"));
  ASSERT_EQ(y[0], (std::vector<std::string>{"pattern", "output", "network_output", "target"}));
  ASSERT_EQ(y.size(), out.size() + 1);
  for (std::size_t p = 1; p < y.size(); ++p) {
    EXPECT_EQ(y[p][0], std::to_string(p));
    EXPECT_EQ(y[p][1], "1");
    const double written = std::stod(out[p - 1][0]);
    EXPECT_NEAR(std::stod(y[p][2]), written, 1e-14 * std::fabs(written)) << p;
  }

  r = runProgram(TREMORA_EXE,
                 {"--noise", (kExamples / "ebp/noise.cfg").string(), "--results", "t.err",
                  "--table", "t.tsv", pat, wgt},
                 dir);
  ASSERT_EQ(r.status, 0) << r.err;
  auto t = rowsOf(readFile(dir / "t.tsv"));
  std::istringstream results(readFile(dir / "t.err"));
  std::string line;
  for (int i = 0; i < 4; ++i) std::getline(results, line);  // headers and E0
  ASSERT_EQ(t.size(), 1u + 6 * 30);
  std::size_t row = 1;
  for (int level = 0; level < 6; ++level) {
    std::getline(results, line);
    std::istringstream values(line);
    for (std::string value; std::getline(values, value, ',');) {
      ASSERT_LT(row, t.size());
      EXPECT_EQ(std::stof(t[row][2]), static_cast<float>(std::stod(value))) << row;
      ++row;
    }
  }
}

// A label written in UTF-8 or in Latin-1 is the same text in the drawing and
// in the scaled and exact pictures: "été", not "Ã©tÃ©".
// The figures for a paper: every format written, with the axis titles and
// tick labels as text, the bitmap the size asked for.
TEST(PaperFigures, EveryFormatHoldsItsText) {
  const fs::path dir = freshDir("paper");
  const struct {
    const char* name;
    fs::path exe;
    std::vector<std::string> (*args)(const std::string& picture);
    std::vector<std::string> texts;
    double widthCm, heightCm;
  } kFigures[] = {
      {"Yieldex with the reliability diagram",
       YIELDEX_EXE,
       [](const std::string& p) {
         return std::vector<std::string>{(kExamples / "ebp/cancer.pat").string(),
                                         "--output",
                                         "c.out",
                                         "--plot",
                                         p,
                                         "--style",
                                         "paper",
                                         "--calibration",
                                         "--title",
                                         "Cancer"};
       },
       {"Network output", "Observed frequency of 1", "Cancer", "0.6", "output 1"},
       24,
       12},
      {"Tremora",
       TREMORA_EXE,
       [](const std::string& p) {
         return std::vector<std::string>{"--noise",
                                         (kExamples / "ebp/noise.cfg").string(),
                                         "--results",
                                         "t.err",
                                         "--plot",
                                         p,
                                         "--style=paper",
                                         "--size",
                                         "16x10",
                                         "-title",
                                         "Noise",
                                         (kExamples / "ebp/cancer.pat").string(),
                                         (kExamples / "ebp/cancer.wgt").string()};
       },
       {"Noise level", "Relative change of the error", "Noise", "0.05", "input 30"},
       16,
       10},
  };
  for (const auto& f : kFigures) {
    SCOPED_TRACE(f.name);
    for (const char* picture : {"f.svg", "f.pdf", "f.png"}) {
      const RunResult r = runProgram(f.exe, f.args((dir / picture).string()), dir);
      ASSERT_EQ(r.status, 0) << picture << ": " << r.err;
    }
    const std::string svg = readFile(dir / "f.svg");
    const std::string pdf = support::pdfText((dir / "f.pdf").string());
    for (const std::string& text : f.texts) {
      EXPECT_NE(svg.find(">" + text + "<"), std::string::npos) << text;
      EXPECT_NE(pdf.find(text), std::string::npos) << text;
    }
    const QImage png(QString::fromStdString((dir / "f.png").string()));
    EXPECT_EQ(png.width(), std::lround(f.widthCm / 2.54 * 96));
    EXPECT_EQ(png.height(), std::lround(f.heightCm / 2.54 * 96));
  }
}

TEST(VectorPictures, LabelsAreUtf8ElseLatin1) {
  const fs::path dir = freshDir("vector_labels");
  struct Case {
    const char* name;
    std::string label;
  } cases[] = {{"utf8", "\xC3\xA9t\xC3\xA9"}, {"latin1", "\xE9t\xE9"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(dir / (std::string(c.name) + ".bmu"), "hexa\n1\n2,2\n" + c.label + ",1,1\n");
    for (const char* ending : {".svg", ".png"}) {
      const std::string picture = std::string(c.name) + ending;
      const RunResult r = runProgram(
          FAVOMAP_EXE, {"--bmu", std::string(c.name) + ".bmu", "--output", picture, "--scale", "2"},
          dir);
      EXPECT_EQ(r.status, 0) << r.err;
    }
    EXPECT_NE(readFile(dir / (std::string(c.name) + ".svg")).find(">&#233;t&#233;</text>"),
              std::string::npos);
  }
  EXPECT_EQ(readFile(dir / "utf8.png"), readFile(dir / "latin1.png"));
}

}  // namespace
}  // namespace e2e
