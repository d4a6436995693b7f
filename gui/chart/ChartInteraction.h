// The mouse modes of the chart view: the rectangle zoom, placing, moving and deleting text
// annotations, drawing and deleting line annotations, and the keyboard click. It keeps the
// state of the modes and their feedback (drawn over the chart picture by DrawFeedback) and
// changes the measurement through the chart's plot rectangle of the last paint. The window
// side (cursor shapes, scroll bars, questions, repaints) is reached through ChartHost.
#pragma once

#include <string>

#include "model/CMessungObj.h"
#include "platform/Canvas.h"

namespace vantrel::gui {

/// What the mouse modes need from the chart window.
class ChartHost {
 public:
  virtual ~ChartHost() = default;
  /// The measurement shown; null when the document has none.
  virtual model::CMessungObj* Measurement() = 0;
  /// A canvas of the screen's resolution to measure texts on (nothing drawn there is shown).
  virtual platform::Canvas& MeasuringCanvas() = 0;
  /// The four-headed sizing cursor (true) or the arrow.
  virtual void SetSizingCursor(bool sizing) = 0;
  /// The zoom or scroll values changed: move the scroll bars and redraw the chart.
  virtual void ZoomChanged() = 0;
  /// An annotation changed by command `commandId` (place, move or delete a text, draw or
  /// delete a line): record the undo step and refresh all the document's windows.
  virtual void AnnotationsChanged(int commandId) = 0;
  /// Redraw the chart.
  virtual void Repaint() = 0;
  /// Only the feedback changed: show it over the unchanged chart picture.
  virtual void FeedbackChanged() = 0;
  /// Asks message `messageId` with OK and Cancel; true for OK.
  virtual bool Confirm(int messageId) = 0;
};

class ChartInteraction {
 public:
  explicit ChartInteraction(ChartHost& host) : host_(host) {}

  // Commands.
  /// Arms the rectangle zoom: the next press in the plot starts a rectangle.
  void ArmZoom();
  /// Zoom 1 and scroll 0 in both directions; the zoom mode ends.
  void ResetZoom();
  /// Ends all five annotation modes.
  void ClearAnnotationModes();
  /// The next click in the plot places `text` at `points` points.
  void BeginTextPlacement(const std::u16string& text, int points);
  void ChooseTextMove();
  void ChooseTextDelete();
  void ChooseLineDraw();
  void ChooseLineDelete();

  // Mouse and keyboard, in pixels of the chart surface.
  void LeftDown(platform::Point p);
  void LeftUp(platform::Point p);
  void MouseMove(platform::Point p, bool leftHeld);
  /// The keyboard's left click at the mouse cursor: like a press, but one-shot modes stay on
  /// unless their action ends them.
  void KeyboardClick(platform::Point p);

  /// Draws the feedback of the active mode (exclusive-or rectangles, the rubber-band line)
  /// over the chart of `m`.
  void DrawFeedback(platform::Canvas& canvas, const model::CMessungObj* m) const;
  /// True while a mode shows feedback over the picture.
  bool HasFeedback() const;

  // State, for the window and the tests.
  bool ZoomArmed() const { return zoomArmed_; }
  bool ZoomDragging() const { return zoomDragging_; }
  const platform::Rect& ZoomRect() const { return zoomRect_; }
  bool PlaceTextMode() const { return placeTextMode_; }
  bool MoveTextMode() const { return moveTextMode_; }
  bool DeleteTextMode() const { return deleteTextMode_; }
  bool DrawLineMode() const { return drawLineMode_; }
  bool DeleteLineMode() const { return deleteLineMode_; }
  bool LineDragging() const { return lineDragging_; }
  platform::Point LineStart() const { return lineStart_; }
  platform::Point LineEnd() const { return lineEnd_; }
  int HotText() const { return hotText_; }
  int HotLine() const { return hotLine_; }
  const platform::Rect& FeedbackRect() const { return feedbackRect_; }
  const std::u16string& PendingText() const { return pendingText_; }
  int PendingTextSize() const { return pendingTextSize_; }

 private:
  void StartZoom(platform::Point p);
  void FinishZoom();
  void PlaceText(platform::Point p);
  void DeleteHotText();
  void DeleteHotLine();
  void LineStep(platform::Point p);
  /// Follows the object under the cursor with the feedback rectangle; `hot` is the object.
  void FollowHit(int hit, const platform::Rect& rect, int& hot);
  /// The sizing cursor while the zoom or the line drawing is armed, else the arrow.
  void ShowModeCursor();

  ChartHost& host_;
  bool zoomDragging_ = false;
  bool zoomArmed_ = false;
  platform::Point zoomStart_;
  platform::Rect zoomRect_;
  std::u16string pendingText_;
  int pendingTextSize_ = 10;
  bool placeTextMode_ = false;
  bool moveTextMode_ = false;
  bool deleteTextMode_ = false;
  int hotText_ = -1;
  /// The hot text was dragged (its own drag rectangle is the feedback now).
  bool textDragged_ = false;
  bool drawLineMode_ = false;
  bool lineDragging_ = false;
  platform::Point lineStart_;
  platform::Point lineEnd_;
  bool deleteLineMode_ = false;
  int hotLine_ = -1;
  platform::Rect feedbackRect_;
};

}  // namespace vantrel::gui
