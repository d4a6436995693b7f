#include "chart/ChartPainter.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "chart/CurveDrawing.h"

namespace vantrel::chart {
namespace {

/// More grid lines than this are not distinguishable on any device; a count from a corrupt
/// file is limited to it so that drawing stays bounded.
constexpr long long kMaxGridDivisions = 10000;

/// New samples from which the summaries are built on worker threads: below, starting the
/// threads costs more than it saves.
constexpr long long kParallelSamples = 1LL << 20;

platform::Font AxisFont() { return platform::Font{u"Arial", kAxisFontPoints}; }

void Line(platform::Canvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

/// Draws one marker line at normalized position `p` with its letter.
void DrawMarker(platform::Canvas& canvas, const model::CMessungObj& m, double p,
                const std::u16string& letter) {
  const platform::Rect& r = m.GetPlotRect();
  const double w = r.right - r.left;
  const int x = r.left + model::TruncatePixel(w * m.GetXZoom() * (p - m.GetXScroll()));
  if (!(r.left < x && x < r.right)) return;  // outside the visible part
  Line(canvas, x, r.top, x, r.bottom);
  canvas.TextOut(x + 2, r.top + 2, letter);
}

void DrawTitle(platform::Canvas& canvas, const model::CMessungObj& m) {
  const platform::Font oldFont = canvas.SelectFont(platform::Font{u"Arial", kTitleFontPoints});
  const platform::Rect& r = m.GetPlotRect();
  const int width = canvas.TextExtent(m.GetName()).cx;
  const int left =
      model::TruncatePixel((r.right - r.left) * 0.5 + r.left - static_cast<double>(width) * 0.5);
  canvas.TextOut(left, r.top + 2, m.GetName());
  canvas.SelectFont(oldFont);
}

}  // namespace

platform::Size AxisCharSize(platform::Canvas& canvas) {
  const platform::Font oldFont = canvas.SelectFont(AxisFont());
  const platform::Size size = canvas.TextExtent(u"X");
  canvas.SelectFont(oldFont);
  return size;
}

ChartLayout ChartPainter::Draw(platform::Canvas& canvas, model::CMessungObj& m,
                               const platform::Rect& area, const platform::TextSource& texts,
                               char decimalSeparator) {
  FinishSummaries();
  return DrawChart(canvas, m, area, texts, decimalSeparator);
}

ChartLayout ChartPainter::DrawAvailable(platform::Canvas& canvas, model::CMessungObj& m,
                                        const platform::Rect& area,
                                        const platform::TextSource& texts, char decimalSeparator) {
  if (SummariesReady()) FinishSummaries();
  return DrawChart(canvas, m, area, texts, decimalSeparator);
}

void ChartPainter::StartSummaries(const model::CMessungObj& m) {
  FinishSummaries();
  if (curveMode_ != CurveMode::Fast) return;
  std::vector<SummaryBuild::Job> jobs = CollectJobs(m, kParallelSamples);
  if (!jobs.empty())
    build_ = std::make_unique<SummaryBuild>(std::move(jobs), SummaryBuild::Cores());
}

void ChartPainter::FinishSummaries() {
  if (!build_) return;
  for (SummaryBuild::Job& job : build_->Take()) summaries_[job.curve] = std::move(job.summary);
  build_.reset();
}

std::vector<SummaryBuild::Job> ChartPainter::CollectJobs(const model::CMessungObj& m,
                                                         long long least) {
  std::vector<SummaryBuild::Job> jobs;
  long long outstanding = 0;
  for (const auto& curve : m.Curves()) {
    if (!UsesSummary(m, *curve)) continue;
    SummaryBuild::Job job;
    job.curve = curve.get();
    job.samples = &curve->Samples();
    job.valueMode = curve->GetValueMode();
    job.yOffset = curve->GetYOffset();
    job.xOffset = static_cast<double>(curve->GetXOffset());
    job.interval = curve->GetSampleInterval();
    const auto found = summaries_.find(job.curve);
    const long long lacking =
        found == summaries_.end()
            ? static_cast<long long>(job.samples->size())
            : found->second->Outstanding(*job.samples, job.valueMode, job.yOffset, job.xOffset,
                                         job.interval);
    if (lacking == 0) continue;
    outstanding += lacking;
    jobs.push_back(std::move(job));
  }
  if (outstanding < least) return {};
  for (SummaryBuild::Job& job : jobs) {
    std::unique_ptr<CurveSummary>& summary = summaries_[job.curve];
    job.summary = summary ? std::move(summary) : std::make_unique<CurveSummary>();
    summaries_.erase(job.curve);
  }
  return jobs;
}

ChartLayout ChartPainter::DrawChart(platform::Canvas& canvas, model::CMessungObj& m,
                                    const platform::Rect& area, const platform::TextSource& texts,
                                    char decimalSeparator) {
  ChartLayout layout = ComputeChartLayout(m, area, AxisCharSize(canvas));
  if (!layout.fits) return layout;

  // Measuring pass: every axis records its visible window for the curves.
  for (const AxisColumn& column : layout.measureColumns) {
    m.GetYAxis(column.axis)
        ->Draw(canvas, column.rect, m.GetYZoom(), m.GetYScroll(), column.colors, false, texts,
               decimalSeparator);
  }
  if (!layout.measureColumns.empty() || !layout.unplacedAxes.empty()) {
    // Axes without a column still need their windows (of the same height) for their curves.
    platform::Rect hidden =
        layout.measureColumns.empty() ? layout.plotRect : layout.measureColumns.front().rect;
    hidden.bottom = hidden.top + layout.columnHeight;
    for (int axis : layout.unplacedAxes) {
      m.GetYAxis(axis)->Draw(canvas, hidden, m.GetYZoom(), m.GetYScroll(),
                             m.CollectAxisColors(axis), false, texts, decimalSeparator);
    }
  }
  m.GetXAxis().Draw(canvas, layout.xBand, m.GetXZoom(), m.GetXScroll(), false, texts,
                    decimalSeparator);
  m.SetPlotRect(layout.plotRect);

  canvas.FillRect(area, canvas.BackgroundColor());
  if (m.IsGridVisible() != 0) DrawGrid(canvas, m);
  DrawCurves(canvas, m, layout);

  // Curves may have run into the margins above and right of the plot.
  const platform::Color background = canvas.BackgroundColor();
  canvas.FillRect({area.left, area.top, area.right, area.top + kChartMargin}, background);
  canvas.FillRect({area.right - (kChartMargin - 1), area.top, area.right, area.bottom}, background);

  for (int i = 0; i < m.GetTextCount(); ++i) m.GetText(i)->Draw(canvas, layout.plotRect, m);
  for (int i = 0; i < m.GetLineCount(); ++i) m.GetLine(i)->Draw(canvas, layout.plotRect, m);
  if (m.GetTitleVisible() != 0) DrawTitle(canvas, m);

  // Painting pass: the axes paint over any curve overflow into their columns and band.
  for (const AxisColumn& column : layout.paintColumns) {
    m.GetYAxis(column.axis)
        ->Draw(canvas, column.rect, m.GetYZoom(), m.GetYScroll(), column.colors, true, texts,
               decimalSeparator);
  }
  m.GetXAxis().Draw(canvas, layout.xBand, m.GetXZoom(), m.GetXScroll(), true, texts,
                    decimalSeparator);
  DrawCursors(canvas, m);
  return layout;
}

void ChartPainter::DrawCurves(platform::Canvas& canvas, const model::CMessungObj& m,
                              const ChartLayout& layout) {
  // Summaries of curves that are gone are dropped.
  std::unordered_set<const model::CKurveObj*> present;
  for (const auto& curve : m.Curves()) present.insert(curve.get());
  std::erase_if(summaries_, [&](const auto& entry) { return present.count(entry.first) == 0; });
  if (curveMode_ == CurveMode::Fast && !build_) {
    // Many new samples: all curves' summaries at once on worker threads.
    std::vector<SummaryBuild::Job> jobs = CollectJobs(m, kParallelSamples);
    if (!jobs.empty()) {
      SummaryBuild build(std::move(jobs), SummaryBuild::Cores());
      for (SummaryBuild::Job& job : build.Take()) summaries_[job.curve] = std::move(job.summary);
    }
  }

  for (int position : layout.curveOrder) {
    const model::CKurveObj& curve = *m.GetCurve(position);
    if (curveMode_ == CurveMode::Literal) {
      curve.Draw(canvas, layout.plotRect, m);
      continue;
    }
    if (build_ && build_->Has(&curve)) continue;  // drawn when its summary is complete
    std::unique_ptr<CurveSummary>& summary = summaries_[&curve];
    if (!summary) summary = std::make_unique<CurveSummary>();
    DrawCurve(canvas, layout.plotRect, m, curve, *summary);
  }
}

void DrawGrid(platform::Canvas& canvas, const model::CMessungObj& m) {
  const platform::Rect& r = m.GetPlotRect();
  const double w = r.right - r.left;
  const double h = r.bottom - r.top;
  int columns = 0;
  int rows = 0;
  m.GetGrid(&columns, &rows);
  const long long across =
      std::min<long long>(static_cast<long long>(columns) + 1, kMaxGridDivisions);
  const long long down = std::min<long long>(static_cast<long long>(rows) + 1, kMaxGridDivisions);
  const platform::Pen oldPen = canvas.SelectPen(platform::Pen{kGridColor, 0});
  for (long long i = 1; i <= across; ++i) {
    const int x =
        model::TruncatePixel(static_cast<double>(i) * w / static_cast<double>(across) + r.left);
    Line(canvas, x, r.top, x, r.bottom + 1);
  }
  for (long long i = 0; i < down; ++i) {
    const int y =
        model::TruncatePixel(static_cast<double>(i) * h / static_cast<double>(down) + r.top);
    Line(canvas, r.left, y, r.right, y);
  }
  canvas.SelectPen(oldPen);
}

void DrawCursors(platform::Canvas& canvas, const model::CMessungObj& m) {
  if (m.GetCursorA() == -1.0 && m.GetCursorB() == -1.0) return;
  const platform::Font oldFont = canvas.SelectFont(AxisFont());
  const platform::Pen oldPen = canvas.SelectPen(platform::Pen{kMarkerColor, 0});
  DrawMarker(canvas, m, m.GetCursorA(), u"A");
  DrawMarker(canvas, m, m.GetCursorB(), u"B");
  canvas.SelectFont(oldFont);
  canvas.SelectPen(oldPen);
}

}  // namespace vantrel::chart
