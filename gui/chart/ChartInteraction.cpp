#include "gui/chart/ChartInteraction.h"

#include <cmath>

#include "chart/ChartNavigation.h"
#include "gui/chart/ChartCommands.h"

namespace vantrel::gui {
namespace {

/// A drag shorter than this (pixels) draws no line.
constexpr double kShortestLine = 5.0;

platform::Rect Normalized(platform::Point a, platform::Point b) {
  platform::Rect r{a.x, a.y, b.x, b.y};
  r.Normalize();
  return r;
}

}  // namespace

void ChartInteraction::ArmZoom() {
  zoomArmed_ = true;
  zoomDragging_ = false;
  host_.SetSizingCursor(true);
}

void ChartInteraction::ResetZoom() {
  if (model::CMessungObj* m = host_.Measurement(); m != nullptr) {
    chart::ApplyZoom(*m, chart::ZoomState{});
  }
  zoomArmed_ = false;
  zoomDragging_ = false;
  zoomRect_ = {};
  ShowModeCursor();
  host_.ZoomChanged();
}

void ChartInteraction::ClearAnnotationModes() {
  const bool hadFeedback = HasFeedback();
  placeTextMode_ = moveTextMode_ = deleteTextMode_ = drawLineMode_ = deleteLineMode_ = false;
  lineDragging_ = false;
  textDragged_ = false;
  ShowModeCursor();
  if (hadFeedback) host_.FeedbackChanged();
}

void ChartInteraction::ShowModeCursor() {
  // A mode ended by another command leaves no sizing cursor behind.
  host_.SetSizingCursor(zoomArmed_ || drawLineMode_);
}

void ChartInteraction::BeginTextPlacement(const std::u16string& text, int points) {
  ClearAnnotationModes();
  pendingText_ = text;
  pendingTextSize_ = points;
  feedbackRect_ = {};
  placeTextMode_ = true;
}

void ChartInteraction::ChooseTextMove() {
  ClearAnnotationModes();
  feedbackRect_ = {};
  hotText_ = -1;
  moveTextMode_ = true;
}

void ChartInteraction::ChooseTextDelete() {
  ClearAnnotationModes();
  feedbackRect_ = {};
  hotText_ = -1;
  deleteTextMode_ = true;
}

void ChartInteraction::ChooseLineDraw() {
  ClearAnnotationModes();
  drawLineMode_ = true;
  lineDragging_ = false;
  host_.SetSizingCursor(true);
}

void ChartInteraction::ChooseLineDelete() {
  ClearAnnotationModes();
  feedbackRect_ = {};
  hotLine_ = -1;
  deleteLineMode_ = true;
}

void ChartInteraction::LeftDown(platform::Point p) {
  if (zoomArmed_ && !zoomDragging_) StartZoom(p);
  if (placeTextMode_) PlaceText(p);
  if (deleteTextMode_) DeleteHotText();
  if (drawLineMode_) LineStep(p);
  if (deleteLineMode_) DeleteHotLine();
  // Placing and deleting act once.
  const bool hadFeedback = HasFeedback();
  deleteLineMode_ = deleteTextMode_ = placeTextMode_ = false;
  if (hadFeedback != HasFeedback()) host_.FeedbackChanged();
}

void ChartInteraction::LeftUp(platform::Point p) {
  if (zoomDragging_ && zoomArmed_) FinishZoom();
  if (drawLineMode_) LineStep(p);
  if (moveTextMode_) host_.AnnotationsChanged(chart_commands::kCmdTextMove);
  ClearAnnotationModes();
}

void ChartInteraction::MouseMove(platform::Point p, bool leftHeld) {
  model::CMessungObj* m = host_.Measurement();
  if (m == nullptr) return;
  const platform::Rect& plot = m->GetPlotRect();
  if (zoomArmed_) {
    host_.SetSizingCursor(true);
    const platform::Rect grown{plot.left, plot.top, plot.right + 1, plot.bottom + 1};
    if (zoomDragging_ && grown.Contains(p)) {
      zoomRect_ = Normalized(zoomStart_, p);
      host_.FeedbackChanged();
    }
  } else if (placeTextMode_) {
    if (plot.Contains(p)) {
      platform::Canvas& canvas = host_.MeasuringCanvas();
      const platform::Font previous = canvas.SelectFont(platform::Font{u"Arial", pendingTextSize_});
      const platform::Size extent = canvas.TextExtent(pendingText_);
      canvas.SelectFont(previous);
      feedbackRect_ = Normalized(p, {p.x + extent.cx, p.y + extent.cy});
      host_.FeedbackChanged();
    }
  } else if (moveTextMode_) {
    if (leftHeld && hotText_ >= 0) {
      const chart::NormalizedPoint n = chart::PixelToNormalized(p, plot, chart::ZoomOf(*m));
      if (m->DrawTextAt(hotText_, n.x, n.y, host_.MeasuringCanvas())) {
        textDragged_ = true;
        host_.FeedbackChanged();
      }
    } else if (!leftHeld) {
      platform::Rect rect;
      const int hit = m->HitTestText(p, &rect, host_.MeasuringCanvas());
      FollowHit(hit, rect, hotText_);
    }
  } else if (deleteTextMode_) {
    platform::Rect rect;
    const int hit = m->HitTestText(p, &rect, host_.MeasuringCanvas());
    FollowHit(hit, rect, hotText_);
  } else if (drawLineMode_) {
    host_.SetSizingCursor(true);
    if (lineDragging_ && plot.Contains(p)) {
      lineEnd_ = p;
      host_.FeedbackChanged();
    }
  } else if (deleteLineMode_) {
    platform::Rect rect;
    const int hit = m->HitTestLine(p, &rect);
    FollowHit(hit, rect, hotLine_);
  }
}

void ChartInteraction::FollowHit(int hit, const platform::Rect& rect, int& hot) {
  if (hit >= 0) {
    // The object under the cursor is the one the mode acts on, even when the cursor moved
    // straight from another object onto it.
    if (hot == hit && feedbackRect_ == rect) return;
    hot = hit;
    feedbackRect_ = rect;
    host_.FeedbackChanged();
  } else if (hot >= 0) {
    hot = -1;
    feedbackRect_ = {};
    host_.FeedbackChanged();
  }
}

void ChartInteraction::KeyboardClick(platform::Point p) {
  if (zoomArmed_) {
    if (zoomDragging_) {
      FinishZoom();
    } else {
      StartZoom(p);
    }
  }
  if (placeTextMode_) PlaceText(p);
  if (deleteTextMode_) DeleteHotText();
  if (drawLineMode_) LineStep(p);
  if (deleteLineMode_) DeleteHotLine();
}

void ChartInteraction::StartZoom(platform::Point p) {
  const model::CMessungObj* m = host_.Measurement();
  if (m == nullptr || !m->GetPlotRect().Contains(p)) return;
  zoomStart_ = p;
  zoomRect_ = {p.x, p.y, p.x, p.y};
  zoomDragging_ = true;
  host_.SetSizingCursor(true);
}

void ChartInteraction::FinishZoom() {
  model::CMessungObj* m = host_.Measurement();
  const platform::Rect zoomRect = zoomRect_;
  zoomRect_ = {};
  zoomDragging_ = false;
  zoomArmed_ = false;
  host_.SetSizingCursor(false);
  if (m != nullptr && zoomRect.Width() != 0 && zoomRect.Height() != 0) {
    chart::ApplyZoom(*m, chart::ZoomToRectangle(chart::ZoomOf(*m), m->GetPlotRect(), zoomRect));
    host_.ZoomChanged();
  } else {
    host_.FeedbackChanged();
  }
}

void ChartInteraction::PlaceText(platform::Point p) {
  placeTextMode_ = false;
  model::CMessungObj* m = host_.Measurement();
  if (m == nullptr) return;
  // The text goes where its feedback was last shown; without any feedback yet (a click
  // before the cursor entered the plot) it goes to the click.
  const platform::Point corner =
      feedbackRect_.IsNull() ? p : platform::Point{feedbackRect_.left, feedbackRect_.top};
  feedbackRect_ = {};
  const chart::NormalizedPoint n =
      chart::PixelToNormalized(corner, m->GetPlotRect(), chart::ZoomOf(*m));
  m->AddText(pendingText_, pendingTextSize_, n.x, n.y);
  host_.AnnotationsChanged(chart_commands::kCmdTextPlace);
}

void ChartInteraction::DeleteHotText() {
  model::CMessungObj* m = host_.Measurement();
  if (m == nullptr || hotText_ < 0) return;
  if (host_.Confirm(chart_commands::kMsgDeleteText)) {
    m->RemoveText(hotText_);
    hotText_ = -1;
    feedbackRect_ = {};
    deleteTextMode_ = false;
    host_.AnnotationsChanged(chart_commands::kCmdTextDelete);
  } else {
    host_.Repaint();
  }
}

void ChartInteraction::DeleteHotLine() {
  model::CMessungObj* m = host_.Measurement();
  if (m == nullptr || hotLine_ < 0) return;
  if (host_.Confirm(chart_commands::kMsgDeleteLine)) {
    m->RemoveLine(hotLine_);
    hotLine_ = -1;
    feedbackRect_ = {};
    deleteLineMode_ = false;
    host_.AnnotationsChanged(chart_commands::kCmdLineDelete);
  } else {
    host_.Repaint();
  }
}

void ChartInteraction::LineStep(platform::Point p) {
  if (!lineDragging_) {
    host_.SetSizingCursor(true);
    lineStart_ = lineEnd_ = p;
    lineDragging_ = true;
    return;
  }
  host_.SetSizingCursor(false);
  lineEnd_ = p;
  lineDragging_ = false;
  drawLineMode_ = false;
  model::CMessungObj* m = host_.Measurement();
  const double length = std::hypot(lineEnd_.x - lineStart_.x, lineEnd_.y - lineStart_.y);
  if (m != nullptr && length > kShortestLine) {
    const platform::Rect& plot = m->GetPlotRect();
    const chart::ZoomState zoom = chart::ZoomOf(*m);
    const chart::NormalizedPoint start = chart::PixelToNormalized(lineStart_, plot, zoom);
    const double w = plot.Width() * zoom.xZoom;
    const double h = plot.Height() * zoom.yZoom;
    if (w > 0.0 && h > 0.0) {
      m->AddLine(start.x, start.y, (lineEnd_.x - lineStart_.x) / w,
                 (lineStart_.y - lineEnd_.y) / h);
      host_.AnnotationsChanged(chart_commands::kCmdLineDraw);
      return;
    }
  }
  host_.Repaint();
}

bool ChartInteraction::HasFeedback() const {
  if (zoomDragging_) return true;
  if (drawLineMode_ && lineDragging_) return true;
  if (moveTextMode_ && textDragged_) return true;
  return (placeTextMode_ || moveTextMode_ || deleteTextMode_ || deleteLineMode_) &&
         !feedbackRect_.IsNull();
}

void ChartInteraction::DrawFeedback(platform::Canvas& canvas, const model::CMessungObj* m) const {
  if (zoomDragging_ && !zoomRect_.IsNull()) canvas.DragRect(zoomRect_, nullptr);
  if (drawLineMode_ && lineDragging_) {
    const platform::Pen previous = canvas.SelectPen(platform::Pen{platform::kBlack, 1});
    canvas.MoveTo(lineStart_.x, lineStart_.y);
    canvas.LineTo(lineEnd_.x, lineEnd_.y);
    canvas.SelectPen(previous);
  }
  if (moveTextMode_ && textDragged_ && m != nullptr) {
    if (const model::CTextObj* text = m->GetText(hotText_); text != nullptr) {
      if (!text->GetDragRect().IsNull()) canvas.DragRect(text->GetDragRect(), nullptr);
    }
    return;
  }
  if ((placeTextMode_ || moveTextMode_ || deleteTextMode_ || deleteLineMode_) &&
      !feedbackRect_.IsNull()) {
    canvas.DragRect(feedbackRect_, nullptr);
  }
}

}  // namespace vantrel::gui
