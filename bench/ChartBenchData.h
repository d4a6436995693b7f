// What the chart benchmarks share: the measurements of six random-walk curves and the
// report of the redraw ratio between long and short curves.
#pragma once

#include <map>
#include <string>

#include "TimingReporter.h"
#include "model/CMessungObj.h"
#include "platform/TextSource.h"

namespace vantrel::bench {

/// The chart size of the redraw figures.
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

/// Axis labels without a language library.
class NoTexts final : public platform::TextSource {
 public:
  std::u16string Text(int) const override { return u"bar"; }
};

/// Six random-walk curves of `samples` samples over 600 s on two axes, built once per size
/// and kept for the whole run.
model::CMessungObj& Measurement(long long samples);

/// Prints the ratio of the real times of `longCurves` and `shortCurves` in `times` against
/// `limit`; returns the exit status.
int ReportRatio(const std::map<std::string, Timing>& times, const std::string& what,
                const std::string& shortCurves, const std::string& longCurves, double limit);

/// Runs the benchmarks of the program and prints the ratio of the real times of
/// `longCurves` and `shortCurves` against the limit of 2; returns the exit status.
int RunAndReportRatio(int argc, char** argv, const std::string& what,
                      const std::string& shortCurves, const std::string& longCurves);

}  // namespace vantrel::bench
