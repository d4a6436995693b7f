#include "chart/PrintPages.h"

#include <algorithm>
#include <cmath>

#include "app/MessageIds.h"
#include "platform/ElidedText.h"
#include "platform/NumberFormat.h"
#include "tables/CellTexts.h"
#include "tables/InformationSheet.h"

namespace vantrel::chart {
namespace {

using model::CKurveObj;

std::u16string ValueModeName(int mode, const platform::TextSource& texts) {
  switch (mode) {
    case model::kModeMinimum:
      return texts.Text(ids::kStrMinimum);
    case model::kModeMaximum:
      return texts.Text(ids::kStrMaximum);
    case model::kModeMean:
      return texts.Text(ids::kStrMean);
    case model::kModeBar:
      return texts.Text(ids::kStrMinimum) + u"/" + texts.Text(ids::kStrMaximum);
    case model::kModeValue:
      return texts.Text(ids::kStrValue);
    default:
      return {};
  }
}

std::u16string OriginName(int origin, const platform::TextSource& texts) {
  if (origin >= 1 && origin <= 3) return texts.Text(ids::kStrOriginCopied + (origin - 1));
  return {};
}

std::u16string RecordingKindName(int kind, const platform::TextSource& texts) {
  if (kind == 0) return texts.Text(ids::kStrOnlineMeasurement);
  if (kind == 1) return texts.Text(ids::kStrMemoryReadout);
  return {};
}

/// "%d" of a float truncated toward zero; values no int holds are limited to its range.
std::u16string TruncatedText(float value) {
  if (std::isnan(value)) return tables::IntText(0);
  const double clamped = std::clamp(static_cast<double>(value), -2147483648.0, 2147483647.0);
  return tables::IntText(static_cast<long long>(std::trunc(clamped)));
}

/// A rectangle's one-pixel border, inside the rectangle, in `color`.
void FrameRect(platform::Canvas& canvas, const platform::Rect& r, platform::Color color) {
  canvas.FillRect({r.left, r.top, r.right, r.top + 1}, color);
  canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, color);
  canvas.FillRect({r.left, r.top, r.left + 1, r.bottom}, color);
  canvas.FillRect({r.right - 1, r.top, r.right, r.bottom}, color);
}

}  // namespace

const std::vector<int>& CurveTableLabelIds() {
  // The curve and its colour, then the rows of the information sheet.
  static const std::vector<int> kIds = [] {
    std::vector<int> labels = {ids::kStrColumnCurve, ids::kStrColumnColour};
    labels.insert(labels.end(), tables::kInformationLabelIds.begin(),
                  tables::kInformationLabelIds.end());
    return labels;
  }();
  return kIds;
}

CurveTableGeometry CurveTableGeometryOf(const platform::Canvas& canvas) {
  CurveTableGeometry geometry;
  geometry.columnWidth =
      static_cast<int>(std::trunc(static_cast<double>(canvas.DpiX()) * kCurveTableColumnInches));
  // A sheet narrower than two columns still takes one curve per sheet, so that the
  // printout ends.
  if (geometry.columnWidth > 0) {
    geometry.columnsPerSheet = std::max(canvas.PageSize().cx / geometry.columnWidth - 1, 1);
  }
  return geometry;
}

int CurveTableSheetCount(int curveCount, const platform::Canvas& canvas) {
  if (curveCount <= 0) return 1;
  const int perSheet = CurveTableGeometryOf(canvas).columnsPerSheet;
  return (curveCount + perSheet - 1) / perSheet;
}

std::u16string PrintFileName(const std::u16string& documentPath) {
  const std::size_t slash = documentPath.find_last_of(u"\\/");
  if (slash == std::u16string::npos) return documentPath;
  return documentPath.substr(slash + 1);
}

std::vector<std::u16string> CurveTableColumn(const model::CMessungObj& m, int position,
                                             const std::u16string& fileName,
                                             const platform::TextSource& texts,
                                             const tables::TextConventions& conventions) {
  std::vector<std::u16string> rows(kCurveTableRows);
  const CKurveObj* curve = m.GetCurve(position);
  if (curve == nullptr) return rows;
  const char point = conventions.decimalSeparator;
  const bool computed = curve->GetOrigin() == model::kOriginComputed;
  const bool levelTrigger = curve->GetTriggerMode() == 1;
  rows[0] = curve->GetName();
  rows[2] = tables::IntText(static_cast<long long>(position) + 1);
  rows[3] = tables::IntText(curve->GetChannelNumber());
  rows[4] = tables::CurveUnitText(*curve, texts);
  if (!computed) rows[5] = TruncatedText(curve->GetSensorRange());
  rows[6] = ValueModeName(curve->GetValueMode(), texts);
  rows[7] = OriginName(curve->GetOrigin(), texts);
  rows[8] = curve->GetSourceText();
  rows[9] = tables::FormatNumber("%5.3f", static_cast<double>(curve->GetXOffset()), point);
  rows[10] = tables::FormatNumber("%5.3f", static_cast<double>(curve->GetYOffset()), point);
  rows[11] = tables::FilterCutoffText(curve->GetFilterCutoff(), point);
  rows[12] = conventions.DateTime(curve->GetStartTime());
  rows[13] = fileName;
  rows[14] = RecordingKindName(curve->GetRecordingKind(), texts);
  rows[15] = tables::DurationText(curve->GetDuration());
  rows[16] = tables::FormatNumber("%5.3f", curve->GetSampleInterval(), point) + u" s";
  rows[18] = tables::TriggerModeText(*curve, texts);
  if (levelTrigger) rows[19] = tables::TriggerLevelText(*curve, m, texts, point);
  if (tables::HasEdgeText(*curve))
    rows[20] = tables::EdgeText(*curve, ids::kStrEdgeRising, ids::kStrEdgeFalling, texts);
  if (levelTrigger) rows[21] = tables::IntText(curve->GetTriggerChannel());
  rows[22] = tables::PretriggerText(*curve, point);
  return rows;
}

void PrintChartPage(platform::Canvas& canvas, model::CMessungObj& m,
                    const platform::TextSource& texts, ChartPainter& painter,
                    char decimalSeparator) {
  const int x = canvas.DpiX();
  const int y = canvas.DpiY();
  const platform::Size page = canvas.PageSize();
  const platform::Rect area{x, y, page.cx - x, page.cy - y};
  painter.Draw(canvas, m, area, texts, decimalSeparator);
  // Whatever the chart drew outside its area is covered by the margins.
  const platform::Color background = canvas.BackgroundColor();
  canvas.FillRect({0, 0, page.cx, y}, background);
  canvas.FillRect({0, 0, x, page.cy}, background);
  canvas.FillRect({page.cx - x, 0, page.cx, page.cy}, background);
  canvas.FillRect({0, page.cy - y, page.cx, page.cy}, background);
  FrameRect(canvas, {area.left - 1, area.top - 1, area.right + 1, area.bottom + 1},
            platform::kBlack);
}

void PrintCurveTableSheet(platform::Canvas& canvas, const model::CMessungObj& m, int sheet,
                          const platform::TextSource& texts, const PrintOptions& options) {
  const int n = m.GetCurveCount();
  if (n == 0) return;
  const CurveTableGeometry geometry = CurveTableGeometryOf(canvas);
  const int x0 = canvas.DpiX();
  const int y0 = canvas.DpiY();
  const int pageWidth = canvas.PageSize().cx;
  const platform::Color oldTextColor = canvas.SetTextColor(platform::kBlack);

  platform::Font oldFont = canvas.SelectFont(platform::Font{u"Arial", kCurveTableTitlePoints});
  const auto r0 = static_cast<int>(std::trunc(canvas.TextExtent(u"X").cy * 1.5));
  const int nameWidth = canvas.TextExtent(m.GetName()).cx;
  canvas.TextOut((pageWidth - nameWidth) / 2, y0, m.GetName());
  canvas.SelectFont(oldFont);

  oldFont = canvas.SelectFont(platform::Font{u"Arial", kCurveTableRowPoints});
  const int h = canvas.TextExtent(u"X").cy;
  const auto rh = static_cast<int>(std::trunc(h * 1.5));
  const auto rowTop = [&](int k) { return y0 + r0 + k * rh; };
  // A text longer than its column (a long curve name, a file name) ends in "..." a blank's
  // width before the next column instead of running into it.
  const int textWidth = geometry.columnWidth - canvas.TextExtent(u" ").cx;
  const std::vector<int>& labels = CurveTableLabelIds();
  for (int k = 0; k < kCurveTableRows; ++k) {
    canvas.TextOut(
        x0, rowTop(k),
        platform::ElidedText(canvas, texts.Text(labels[static_cast<std::size_t>(k)]), textWidth));
  }

  const std::u16string fileName = PrintFileName(options.documentPath);
  const long long firstCurve = static_cast<long long>(sheet) * geometry.columnsPerSheet;
  int x = x0 + geometry.columnWidth;
  for (long long c = firstCurve; c < n && c < firstCurve + geometry.columnsPerSheet; ++c) {
    const int position = static_cast<int>(c);
    const model::CKurveObj& curve = *m.GetCurve(position);
    const std::vector<std::u16string> rows =
        CurveTableColumn(m, position, fileName, texts, options.conventions);
    for (int k = 0; k < kCurveTableRows; ++k) {
      if (k == 1) {
        canvas.FillRect({x, rowTop(1), x + geometry.columnWidth, rowTop(1) + h}, curve.GetColor());
        continue;
      }
      if (k == 2) canvas.SetTextColor(curve.GetColor());
      canvas.TextOut(x, rowTop(k),
                     platform::ElidedText(canvas, rows[static_cast<std::size_t>(k)], textWidth));
      if (k == 2) canvas.SetTextColor(platform::kBlack);
    }
    x += geometry.columnWidth;
  }
  canvas.SelectFont(oldFont);
  canvas.SetTextColor(oldTextColor);
}

bool PrintPage(platform::Canvas& canvas, model::CMessungObj& m, int page,
               const platform::TextSource& texts, const PrintOptions& options) {
  if (page == 1) {
    if (options.painter != nullptr) {
      PrintChartPage(canvas, m, texts, *options.painter, options.conventions.decimalSeparator);
    } else {
      ChartPainter painter;
      PrintChartPage(canvas, m, texts, painter, options.conventions.decimalSeparator);
    }
    return true;
  }
  if (page != 2) return false;
  const int sheets = CurveTableSheetCount(m.GetCurveCount(), canvas);
  for (int sheet = 0; sheet < sheets; ++sheet) {
    if (sheet > 0 && options.nextSheet) options.nextSheet();
    PrintCurveTableSheet(canvas, m, sheet, texts, options);
  }
  return true;
}

}  // namespace vantrel::chart
