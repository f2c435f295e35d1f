#include "roc/rocplot_run.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "common/mapped_file.h"
#include "common/output_file.h"
#include "common/program_run.h"
#include "common/strings.h"
#include "roc/multiclass.h"
#include "roc/paper_figure.h"
#include "roc/point_list.h"
#include "roc/report.h"
#include "roc/score_file.h"

namespace roc {

RocRun runRocFiles(const Arguments& args, bool keepShapes) {
  const std::string input(common::trimBlanks(args.positional[0]));
  const bool pointList = args.positional.size() > 1 && wantsPointList(args.positional[1]);
  common::checkOutputs(
      {input, std::string(common::trimBlanks(args.compare))},
      {pointList ? kPointListName : "", args.picture, args.table, args.figure.path});
  common::MappedFile file(input);
  const std::string_view text = withoutByteOrderMark(file.text());
  const bool shapes = keepShapes || surface::Surface::needsShapes(args.picture, args.scale);
  const bool header = checkHeader(text, input, args.header);
  ClassScores scores;
  RocRun run =
      runRoc(text, input, pointList ? kPointListName : "", shapes,
             args.report || args.wantsBootstrap() || args.figure.paper ? &scores : nullptr, header);
  for (const std::string& warning : scoreWarnings(run.findings)) {
    common::warn("rocplot", input, warning);
  }
  if (args.figure.paper) {
    BootstrapPlan band;
    band.resamples = static_cast<std::size_t>(args.resamples());
    band.seed = args.seed;
    run.figure.push_back(curveForFigure(args.curveNames()[0], scores, run.result, args.level,
                                        args.figure.ciBand ? &band : nullptr));
  }
  if (!args.picture.empty()) run.picture.save(args.picture, args.scale);
  if (args.figure.paper) saveRocFigure(run.figure, args.figure, args.scale);
  writeNumbers(args, run, scores, text, input);
  return run;
}

void runMulticlassFiles(const Arguments& args) {
  const std::string input(common::trimBlanks(args.positional[0]));
  common::checkOutputs({input}, {args.table});
  common::MappedFile file(input);
  const std::string_view text = withoutByteOrderMark(file.text());
  const MulticlassRecords records = readMulticlass(text, input, args.header);
  const std::string report = multiclassReport(records, multiclassAuc(records));
  if (!args.table.empty()) multiclassCurves(records).save(args.table);
  std::fputs(report.c_str(), stdout);
}

}  // namespace roc
