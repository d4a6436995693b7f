// The drawing of a whole measurement into an area of a canvas: the layout (ChartLayout),
// the measuring pass that gives every axis its visible window, background, grid, curves
// in their drawing order, annotations, title, the painting pass of the axes and the A/B
// markers. The same drawing serves the screen, images and the printed chart page.
//
// The painter keeps a summary per curve (CurveSummary) so that curves of tens of millions
// of samples redraw quickly; it extends them as samples are appended. Its owner calls
// SamplesChanged whenever the samples of a curve may have changed otherwise (on every
// update of the document). Summaries of many new samples are built on worker threads, all
// curves at once; for a document just opened the owner may start that build ahead of the
// first drawing (StartSummaries) and draw what is ready meanwhile (DrawAvailable).
#pragma once

#include <memory>
#include <unordered_map>

#include "chart/ChartLayout.h"
#include "chart/CurveSummary.h"
#include "chart/SummaryBuild.h"
#include "model/CMessungObj.h"
#include "platform/Canvas.h"
#include "platform/TextSource.h"

namespace vantrel::chart {

/// Point sizes of the chart's fonts.
inline constexpr int kAxisFontPoints = 7;
inline constexpr int kTitleFontPoints = 20;
/// Pen colours of the grid and the marker lines.
inline constexpr platform::Color kGridColor = platform::MakeColor(200, 200, 200);
inline constexpr platform::Color kMarkerColor = platform::MakeColor(100, 100, 100);

/// How curves are drawn.
enum class CurveMode {
  /// Visible samples only, at most four points per pixel column (the same pixels).
  Fast,
  /// Every sample, as the curve's own drawing does (the reference).
  Literal,
};

class ChartPainter {
 public:
  ChartPainter() = default;
  ChartPainter(const ChartPainter&) = delete;
  ChartPainter& operator=(const ChartPainter&) = delete;

  /// Lays out and draws `measurement` into `area`; writes its plot rectangle and the axes'
  /// visible windows. Returns the layout; when it does not fit, nothing is drawn and the
  /// plot rectangle is kept. Numbers on the chart use `decimalSeparator` (the user's).
  ChartLayout Draw(platform::Canvas& canvas, model::CMessungObj& measurement,
                   const platform::Rect& area, const platform::TextSource& texts,
                   char decimalSeparator);

  /// Draw, except that curves whose summaries are still being built by StartSummaries are
  /// left out instead of waited for.
  ChartLayout DrawAvailable(platform::Canvas& canvas, model::CMessungObj& measurement,
                            const platform::Rect& area, const platform::TextSource& texts,
                            char decimalSeparator);

  /// Forgets the curve summaries (they are rebuilt on the next drawing).
  void SamplesChanged() {
    FinishSummaries();
    summaries_.clear();
  }

  /// Starts building the summaries of `measurement`'s long curves on worker threads. Until
  /// FinishSummaries (or a drawing other than DrawAvailable) takes them over, the samples
  /// and the curves must not change: the owner finishes before anything may change them.
  void StartSummaries(const model::CMessungObj& measurement);
  /// Whether summaries started by StartSummaries have not been taken over yet.
  bool SummariesPending() const { return build_ != nullptr; }
  /// Whether they are complete (taking them over does not wait).
  bool SummariesReady() const { return build_ == nullptr || build_->Ready(); }
  /// Waits for the summaries being built and takes them over.
  void FinishSummaries();

  void SetCurveMode(CurveMode mode) { curveMode_ = mode; }

 private:
  ChartLayout DrawChart(platform::Canvas& canvas, model::CMessungObj& measurement,
                        const platform::Rect& area, const platform::TextSource& texts,
                        char decimalSeparator);
  void DrawCurves(platform::Canvas& canvas, const model::CMessungObj& measurement,
                  const ChartLayout& layout);
  /// The jobs of the curves whose summaries lack `least` samples or more in all (none when
  /// fewer); their summaries move into the jobs.
  std::vector<SummaryBuild::Job> CollectJobs(const model::CMessungObj& measurement,
                                             long long least);

  CurveMode curveMode_ = CurveMode::Fast;
  std::unordered_map<const model::CKurveObj*, std::unique_ptr<CurveSummary>> summaries_;
  /// The summaries being built for StartSummaries.
  std::unique_ptr<SummaryBuild> build_;
};

/// The grid in the last plot rectangle: gridColumns + 1 vertical lines (the last on the
/// right edge) and gridRows + 1 horizontal lines (the first on the top edge).
void DrawGrid(platform::Canvas& canvas, const model::CMessungObj& measurement);

/// The A and B marker lines with their letters, each only inside the plot.
void DrawCursors(platform::Canvas& canvas, const model::CMessungObj& measurement);

/// The extent of "X" in the axis font on `canvas`.
platform::Size AxisCharSize(platform::Canvas& canvas);

}  // namespace vantrel::chart
