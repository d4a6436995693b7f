// Drawing of one curve for the chart, with the same pixels as the curve's own sample-by-
// sample drawing (CKurveObj::Draw) but at a cost that does not grow with the recording:
// only the samples inside the visible time window are visited, and where there are many
// per pixel column a polyline of at most four points per column is drawn from the curve's
// summary (first, lowest, highest and last point of the column). Between two columns the
// line joins the last point of one to the first of the next, as the full polyline does;
// inside a column the full polyline covers every pixel between its lowest and highest
// point, except possibly its very last point, which the next column's line covers, so only
// the final column needs to know whether that pixel was painted.
//
// Not covered (drawn by CKurveObj::Draw itself): xy mode, a filter preview, a zero,
// negative or non-finite sample interval or first-sample time, non-finite axis windows and
// an empty plot rectangle. Single pixels (no lines) and bars are drawn sample by sample,
// but only over the visible samples.
#pragma once

#include "chart/CurveSummary.h"
#include "model/CMessungObj.h"
#include "platform/Canvas.h"

namespace vantrel::chart {

/// Whether DrawCurve may draw `curve` through its summary, as far as the curve and the
/// measurement's x axis tell (the windows of the axes decide the rest): then the summary is
/// updated from the curve's samples with the curve's value mode, y offset, x offset (as a
/// double) and sample interval.
bool UsesSummary(const model::CMessungObj& measurement, const model::CKurveObj& curve);

/// Draws `curve` of `measurement` into `plot` through the visible windows that the axes
/// recorded; `summary` is this curve's summary (updated here).
void DrawCurve(platform::Canvas& canvas, const platform::Rect& plot,
               const model::CMessungObj& measurement, const model::CKurveObj& curve,
               CurveSummary& summary);

}  // namespace vantrel::chart
