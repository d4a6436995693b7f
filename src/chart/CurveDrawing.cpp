#include "chart/CurveDrawing.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "model/PixelMapping.h"

namespace vantrel::chart {
namespace {

using model::CKurveObj;
using model::CValueObj;

/// Below this many visible samples per pixel column the samples are drawn one by one.
constexpr long long kSamplesPerColumnForSummary = 2;

/// A polyline: the first point is a move, every later one a line. A span paints a run of
/// pixels of one column and leaves the current point where the polyline goes on.
class Polyline {
 public:
  /// `record` (may be null) receives every step, for replaying the same drawing later.
  Polyline(platform::Canvas& canvas, std::vector<CurveSummary::ColumnStep>* record)
      : canvas_(canvas), record_(record) {}
  void Add(int x, int y) {
    if (record_ != nullptr) record_->push_back({x, y, 0, 0, false});
    if (!started_) {
      canvas_.MoveTo(x, y);
      started_ = true;
    } else if (x != x_ || y != y_) {
      canvas_.LineTo(x, y);  // a line to the current point would paint nothing
    }
    x_ = x;
    y_ = y;
  }
  /// Paints (x, top) .. (x, bottom) and continues the polyline from (x, resume).
  void Span(int x, int top, int bottom, int resume) {
    if (record_ != nullptr) record_->push_back({x, top, bottom, resume, true});
    if (top <= bottom) {
      canvas_.MoveTo(x, top);
      canvas_.LineTo(x, bottom + 1);
    }
    if (top <= bottom || y_ != resume) canvas_.MoveTo(x, resume);
    y_ = resume;
  }

 private:
  platform::Canvas& canvas_;
  std::vector<CurveSummary::ColumnStep>* record_;
  bool started_ = false;
  int x_ = 0;
  int y_ = 0;
};

/// First index in [0, n) whose accumulated time satisfies the monotone `test`; n when none.
template <typename Test>
long long FirstTime(const CurveSummary& summary, const Test& test) {
  long long lo = 0;
  long long hi = summary.Count();
  while (lo < hi) {
    const long long mid = lo + (hi - lo) / 2;
    if (test(summary.TimeAt(mid))) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return lo;
}

/// The visible samples of a time-based curve: [first, end).
struct VisibleRange {
  long long first = 0;
  long long end = 0;
};

/// Sample by sample over the visible range, exactly as the curve's own drawing does there.
void DrawSamples(platform::Canvas& canvas, const platform::Rect& plot, const CKurveObj& curve,
                 const CurveSummary& summary, const model::PixelMapping& map, bool drawLines,
                 VisibleRange range) {
  const std::vector<CValueObj>& samples = curve.Samples();
  const bool bar = curve.GetValueMode() == model::kModeBar;
  const float yOffset = curve.GetYOffset();
  const platform::Color color = curve.GetColor();
  const double interval = curve.GetSampleInterval();
  double x = summary.TimeAt(range.first);
  bool first = true;
  for (long long i = range.first; i < range.end; ++i, x += interval) {
    const CValueObj& sample = samples[static_cast<std::size_t>(i)];
    const auto y = static_cast<double>(model::PlottedValue(sample, curve.GetValueMode(), yOffset));
    const auto y2 = static_cast<double>(sample.maximum + yOffset);
    const double realX = map.X(x);
    const double realY = map.Y(y);
    const double realY2 = bar ? map.Y(y2) : realY;
    if (std::isnan(realX) || std::isnan(realY) || std::isnan(realY2)) continue;
    const int px = model::TruncatePixel(realX);
    const int py = model::TruncatePixel(realY);
    const int py2 = model::TruncatePixel(realY2);
    if (drawLines) {
      if (bar) {
        canvas.MoveTo(px, py);
        if (py2 == py) {
          canvas.SetPixel(px, py, color);
        } else {
          canvas.LineTo(px, py2);
        }
        continue;
      }
      if (first) {
        canvas.MoveTo(px, py);
      } else {
        canvas.LineTo(px, py);
      }
      first = false;
    } else {
      if (plot.Contains({px, py})) canvas.SetPixel(px, py, color);
      if (bar && plot.Contains({px, py2})) canvas.SetPixel(px, py2, color);
    }
  }
}

/// Polyline through the columns of the visible range, from the curve's summary.
class ColumnDrawer {
 public:
  ColumnDrawer(platform::Canvas& canvas, const CurveSummary& summary,
               const model::PixelMapping& map, double xmin, double xmax, double interval,
               const platform::Rect& plot, VisibleRange range,
               std::vector<CurveSummary::ColumnStep>* record)
      : line_(canvas, record),
        summary_(summary),
        map_(map),
        xmin_(xmin),
        xmax_(xmax),
        interval_(interval),
        plot_(plot),
        range_(range) {}

  void Draw() {
    lastValid_ = summary_.LastValid(range_.first, range_.end);
    if (lastValid_ < range_.first) return;  // nothing but NaN
    long long a = range_.first;
    int column = ColumnOf(a);
    while (a < range_.end) {
      const long long e = NextColumnStart(a, column);
      summary_.Prefetch(e + (e - a));  // about where the next column ends
      DrawColumn(column, a, e);
      if (e >= range_.end) break;
      a = e;
      column = ColumnOf(a);
    }
  }

 private:
  int ColumnOf(long long i) const {
    if (i >= range_.end) return INT_MAX;
    return map_.PixelX(summary_.TimeAt(i));
  }

  /// First index after `a` whose column lies right of `column` (range_.end when none).
  long long NextColumnStart(long long a, int column) const {
    // Guess from the inverse mapping, then make sure with the exact times.
    const double width = plot_.right - plot_.left;
    const double target =
        xmin_ + (static_cast<double>(column) + 1.0 - plot_.left) * (xmax_ - xmin_) / width;
    double guess = std::ceil((target - summary_.TimeAt(0)) / interval_);
    if (!std::isfinite(guess)) guess = 0.0;
    const auto probe = static_cast<long long>(
        std::clamp(guess, static_cast<double>(a + 1), static_cast<double>(range_.end)));
    // Usually the guess is the boundary: one exact time and one addition tell.
    const double before = summary_.TimeAt(probe - 1);
    const bool beforeInColumn = map_.PixelX(before) <= column;
    const bool probePast = probe >= range_.end || map_.PixelX(before + interval_) > column;
    if (beforeInColumn && probePast) return probe;
    long long lo = a;
    long long hi = range_.end;
    if (!beforeInColumn) {
      hi = probe - 1;
      for (long long step = 1;; step *= 2) {
        const long long candidate = hi - step;
        if (candidate <= a) break;
        if (ColumnOf(candidate) <= column) {
          lo = candidate;
          break;
        }
        hi = candidate;
      }
    } else {
      lo = probe;
      for (long long step = 1;; step *= 2) {
        const long long candidate = lo + step;
        if (candidate >= range_.end) break;
        if (ColumnOf(candidate) > column) {
          hi = candidate;
          break;
        }
        lo = candidate;
      }
    }
    while (hi - lo > 1) {
      const long long mid = lo + (hi - lo) / 2;
      if (ColumnOf(mid) > column) {
        hi = mid;
      } else {
        lo = mid;
      }
    }
    return hi;
  }

  void DrawColumn(int x, long long a, long long e) {
    const long long f = summary_.FirstValid(a, e);
    if (f >= e) return;  // only NaN here: the line goes on to the next column
    const long long l = summary_.LastValid(a, e);
    float lo = 0.0F;
    float hi = 0.0F;
    summary_.Range(a, e, &lo, &hi);
    const int yFirst = map_.PixelY(summary_.Value(f));
    const int yLast = map_.PixelY(summary_.Value(l));
    int yLow = std::min(map_.PixelY(lo), map_.PixelY(hi));
    int yHigh = std::max(map_.PixelY(lo), map_.PixelY(hi));
    line_.Add(x, yFirst);
    if (l == lastValid_ && !LastPixelPainted(a, l, yLast, yLow, yHigh)) {
      // The final column: its last point is the end of the curve and stays unpainted.
      if (yLast == yLow) ++yLow;
      if (yLast == yHigh) --yHigh;
    }
    line_.Span(x, yLow, yHigh, yLast);
  }

  /// Whether the full polyline paints the last point (index `l`, pixel row `yLast`) of the
  /// final column [a, ..]: always when it lies between the column's extremes; when it is an
  /// extreme, only if the polyline was there before and left it again.
  bool LastPixelPainted(long long a, long long l, int yLast, int yLow, int yHigh) const {
    if (yLow == yHigh) return false;  // no line inside the column moves at all
    if (yLast != yLow && yLast != yHigh) return true;
    const auto differs = [&](float vlo, float vhi) {
      return map_.PixelY(vlo) != yLast || map_.PixelY(vhi) != yLast;
    };
    const long long d = summary_.FindLast(a, l, differs);
    float lo = 0.0F;
    float hi = 0.0F;
    return summary_.Range(a, d, &lo, &hi) && (map_.PixelY(lo) == yLast || map_.PixelY(hi) == yLast);
  }

  Polyline line_;
  const CurveSummary& summary_;
  const model::PixelMapping& map_;
  double xmin_;
  double xmax_;
  double interval_;
  platform::Rect plot_;
  VisibleRange range_;
  long long lastValid_ = -1;
};

bool Finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

}  // namespace

bool UsesSummary(const model::CMessungObj& measurement, const model::CKurveObj& curve) {
  const double interval = curve.GetSampleInterval();
  return curve.GetVisible() != 0 && measurement.GetXAxis().GetXCurveIndex() < 0 &&
         curve.GetPreviewCutoff() == 0.0F && std::isfinite(interval) && interval > 0.0 &&
         std::isfinite(static_cast<double>(curve.GetXOffset()));
}

void DrawCurve(platform::Canvas& canvas, const platform::Rect& plot,
               const model::CMessungObj& measurement, const model::CKurveObj& curve,
               CurveSummary& summary) {
  if (curve.GetVisible() == 0) return;
  const model::CAchse* yAxis = measurement.GetYAxis(curve.GetAxisIndex());
  if (yAxis == nullptr) return;
  const model::CXAchse& xAxis = measurement.GetXAxis();
  const auto xmin = static_cast<double>(xAxis.GetVisibleStart());
  const auto xmax = static_cast<double>(xAxis.GetVisibleEnd());
  const auto ymin = static_cast<double>(yAxis->GetVisibleStart());
  const auto ymax = static_cast<double>(yAxis->GetVisibleEnd());
  const double interval = curve.GetSampleInterval();
  const auto xOffset = static_cast<double>(curve.GetXOffset());
  const bool covered = UsesSummary(measurement, curve) && Finite(xmin, xmax, ymin, ymax) &&
                       xmax > xmin && ymax != ymin && plot.right > plot.left &&
                       plot.bottom > plot.top;
  if (!covered) {
    curve.Draw(canvas, plot, measurement);
    return;
  }

  summary.Update(curve.Samples(), curve.GetValueMode(), curve.GetYOffset(), xOffset, interval);
  // Samples before the window are skipped, the first one past it ends the curve.
  VisibleRange range;
  range.first = FirstTime(summary, [&](double x) { return !(xmin > x); });
  range.end = FirstTime(summary, [&](double x) { return x > xmax; });
  if (range.end <= range.first) return;

  const model::PixelMapping map(plot, xmin, xmax, ymin, ymax);
  const bool drawLines = xAxis.GetDrawLines() != 0;
  const platform::Pen oldPen = canvas.SelectPen(platform::Pen{curve.GetColor(), 0});
  const long long columns = static_cast<long long>(plot.right - plot.left) + 1;
  const bool manyPerColumn = range.end - range.first > kSamplesPerColumnForSummary * columns;
  if (drawLines && curve.GetValueMode() != model::kModeBar && manyPerColumn) {
    CurveSummary::ColumnCache& cache = summary.Columns();
    const double window[4] = {xmin, xmax, ymin, ymax};
    const int plotCorners[4] = {plot.left, plot.top, plot.right, plot.bottom};
    const bool same = cache.valid && cache.generation == summary.Generation() &&
                      std::equal(window, window + 4, cache.window) &&
                      std::equal(plotCorners, plotCorners + 4, cache.plot) &&
                      cache.first == range.first && cache.end == range.end;
    if (same) {
      Polyline line(canvas, nullptr);
      for (const CurveSummary::ColumnStep& step : cache.steps) {
        if (step.span) {
          line.Span(step.x, step.top, step.bottom, step.resume);
        } else {
          line.Add(step.x, step.top);
        }
      }
    } else {
      cache.steps.clear();
      ColumnDrawer(canvas, summary, map, xmin, xmax, interval, plot, range, &cache.steps).Draw();
      cache.valid = true;
      cache.generation = summary.Generation();
      std::copy(window, window + 4, cache.window);
      std::copy(plotCorners, plotCorners + 4, cache.plot);
      cache.first = range.first;
      cache.end = range.end;
    }
  } else {
    DrawSamples(canvas, plot, curve, summary, map, drawLines, range);
  }
  canvas.SelectPen(oldPen);
}

}  // namespace vantrel::chart
