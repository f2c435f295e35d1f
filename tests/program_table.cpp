#include "tests/program_table.h"

namespace e2e {

namespace fs = std::filesystem;

std::vector<Program> programs() {
  return {
      {"rocplot", ROCPLOT_EXE, "0.5,1\n0.3,0\n0.8,1\n0.1,0\n",
       [](const fs::path&, const std::string& in, const std::string& out) {
         return Invocation{{in, "roc", "--picture", out}, ""};
       }},
      {"Favomap5", FAVOMAP_EXE, "hexa\n3\n2,2\nA,1,1\nB,2,2\nC,1,2\n",
       [](const fs::path&, const std::string& in, const std::string& out) {
         return Invocation{{"--bmu", in, "--output", out}, ""};
       }},
      {"Yieldex", YIELDEX_EXE, "2 1 3\n0.1 0.2 0.3\n0.4 0.5 0.6\n0.7 0.8 0.9\n",
       [](const fs::path& dir, const std::string& in, const std::string& out) {
         // Outputs that vary with the inputs, so the statistics have variances.
         writeFile(dir / "net.wgt", "2 1 1\n1 0\n-0.5 0\n0.5 0\n2\n-1\n");
         return Invocation{{"--weights", "net.wgt", "--output", out, in}, ""};
       }},
      {"Tremora", TREMORA_EXE, "2 1 3\n0.1 0.2 0.3\n0.4 0.5 0.6\n0.7 0.8 0.9\n",
       [](const fs::path& dir, const std::string& in, const std::string& out) {
         writeFile(dir / "net.wgt", "2 1 1\n1 0\n-1 0\n0.5 0\n2\n-1\n");
         writeFile(dir / "noise.cfg", "2\n0.1\n0.2\n");
         return Invocation{{"--noise", "noise.cfg", "--results", out, in, "net.wgt"}, ""};
       }},
      {"kappatest", KAPPATEST_EXE, "20 5\n10 15\n",
       [](const fs::path&, const std::string& in, const std::string&) {
         return Invocation{{}, in + "\n2\n\n0\n"};
       },
       false, false},
      {"Colfold", COLFOLD_EXE, "1 2 3\n4 5 6\n",
       [](const fs::path&, const std::string& in, const std::string& out) {
         return Invocation{{in, out, "3", "0", "2"}, ""};
       }},
      // The map's files beside the input; the history is the output.
      {"somtrain", SOMTRAIN_EXE, "1\n2\n3\n4\n",
       [](const fs::path&, const std::string& in, const std::string& out) {
         return Invocation{
             {in, "--rows", "2", "--cols", "2", "--epochs", "2", "--out", "map", "--history", out},
             ""};
       }},
  };
}

RunResult run(const Program& p, const fs::path& dir, const std::string& in,
              const std::string& out) {
  const Invocation call = p.make(dir, in, out);
  return runProgram(p.exe, call.args, dir, call.input, 120);
}

}  // namespace e2e
