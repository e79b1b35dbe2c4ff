// What a study's picture and PDF say beside its plots, so that an exported file stands on its
// own: the case it was made from, the gas, the inputs held fixed, the inputs varied, the count
// of points and the points that failed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "study/study_run.h"

namespace torvane {

struct CaseContext;

// The case a study belongs to, as its exports name it.
struct StudyCase {
  std::string title;          // the labyrinth title, or the case title without its blanks
  std::string settings_file;  // the settings file's name; empty for a case never saved
  std::string gas;            // "NATGAS.GAS, gas 1 of 2: CH4 0.90000, C2H6 0.06000, ..."
};
StudyCase StudyCaseOf(const CaseContext& context);

// The lines above the plots:
//   "Title: Pipeline compressor, seal 3"
//   "Settings file: case1.trv"                  ("<Unsaved Data>" when never saved)
//   "Gas: NATGAS.GAS, gas 1 of 1: CH4 0.90000, C2H6 0.06000"
//   "Fixed inputs: Straight labyrinth, Seal diameter = 6 in, Upstream pressure = 500 psia, ..."
//   "Varied: Seal radial clearance from 0.005 to 0.02 in, 21 points; curves of Number of teeth
//    from 4 to 12, 3 values"
//   "21 points, 2 failed"
std::vector<std::string> StudyExportHeading(const StudyCase& study_case, const StudyRun& run);

// "Failed points: none", or "Failed points:" followed by one line per failed point (as the
// window lists them), at most `most` of them and then "... and 12 more".
std::vector<std::string> StudyFailedPointLines(const StudyRun& run, std::size_t most);

}  // namespace torvane
