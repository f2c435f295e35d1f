#include "som/somtrain_run.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <thread>

#include "common/data_table.h"
#include "common/number_forms.h"
#include "common/output_file.h"
#include "common/program_run.h"
#include "som/batch_training.h"
#include "som/initial_codebook.h"
#include "som/lattice_distance.h"
#include "som/map_files.h"
#include "som/training_table.h"

namespace som {

namespace {

TrainingSettings settingsFor(const Arguments& args, const LatticeDistance& lattice) {
  TrainingSettings settings;
  settings.epochs = args.epochs;
  settings.radiusStart =
      args.radiusGiven ? args.radiusStart : std::max(1.0, 2.0 * lattice.diameter() / 3.0);
  settings.radiusEnd = args.radiusGiven ? args.radiusEnd : 1;
  settings.threads = args.threads > 0
                         ? args.threads
                         : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return settings;
}

std::string codebookComment(const Arguments& args, const TrainingTable& table) {
  std::string comment = "somtrain: hexa map, " + std::to_string(table.nVars) + " variables";
  switch (args.scaling) {
    case Scaling::kRange:
      return comment + " scaled to 0..1 (range)";
    case Scaling::kZscore:
      return comment + " scaled to mean 0 and standard deviation 1 (zscore)";
    default:
      return comment + " as read (not scaled)";
  }
}

void saveHistory(const std::string& path, const std::vector<EpochQuality>& history) {
  common::DataTable table({"epoch", "radius", "quantization_error", "topographic_error"});
  for (const EpochQuality& q : history) {
    table.add(q.epoch).add(q.radius).add(q.quantizationError).add(q.topographicError);
    table.endRow();
  }
  table.save(path);
}

}  // namespace

void runSomtrain(const Arguments& args, std::ostream& out, std::ostream* progress) {
  std::vector<std::string> outputs{args.prefix + ".wgt", args.prefix + ".bmu"};
  if (args.columns.classes > 0) outputs.push_back(args.prefix + ".cls");
  if (!args.history.empty()) outputs.push_back(args.history);
  common::checkOutputs({args.data}, outputs);
  TrainingTable table = readTrainingTable(args.data, args.columns);
  std::vector<int> classNumbers;
  if (args.columns.classes > 0) {
    std::vector<std::string> names;
    classNumbers = numberClasses(table.classes, args.data, names);
  }
  scaleColumns(table.values, table.nVars, args.scaling);
  const LatticeDistance lattice(args.rows, args.cols);
  const TrainingSettings settings = settingsFor(args, lattice);
  std::vector<double> start =
      args.randomInit
          ? randomObjectCodebook(table.values, table.nVars, args.rows, args.cols, args.seed)
          : principalPlaneCodebook(table.values, table.nVars, args.rows, args.cols);
  const auto show = [&](const EpochQuality& q, const std::vector<double>&) {
    *progress << "somtrain: epoch " << q.epoch << "/" << settings.epochs << "  radius "
              << common::generalForm(q.radius, 4) << "  quantization error "
              << common::generalForm(q.quantizationError, 6) << "  topographic error "
              << common::generalForm(q.topographicError, 4) << std::endl;
  };
  const TrainedMap trained = trainBatch(
      table.values, table.nVars, lattice, std::move(start), settings,
      progress ? std::function<void(const EpochQuality&, const std::vector<double>&)>(show)
               : nullptr);
  writeCodebook(args.prefix + ".wgt", codebookComment(args, table), trained.codebook, args.rows,
                args.cols, table.nVars);
  writeBestUnits(args.prefix + ".bmu", table.labels, trained.best.first, args.rows, args.cols);
  if (args.columns.classes > 0) {
    writeUnitClasses(args.prefix + ".cls", classNumbers, trained.best.first, args.rows, args.cols);
  }
  if (!args.history.empty()) saveHistory(args.history, trained.history);
  const EpochQuality last = measureQuality(trained.best, lattice);
  out << "quantization_error\t" << common::generalForm(last.quantizationError, 8) << "\n"
      << "topographic_error\t" << common::generalForm(last.topographicError, 8) << "\n";
}

int runSomtrainProgram(const Arguments& args) {
  return common::runReportingFailures("somtrain", [&] {
    runSomtrain(args, std::cout, isatty(STDERR_FILENO) ? &std::cerr : nullptr);
    return 0;
  });
}

}  // namespace som
