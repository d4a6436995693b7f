// One measurement: its curves, value axes, time axis, annotations, notes and the display
// state of its chart (zoom, scroll, grid, markers A/B, title). A document owns exactly one.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/CAchse.h"
#include "model/CKurveObj.h"
#include "model/CLineObj.h"
#include "model/CTextObj.h"
#include "platform/Canvas.h"
#include "platform/MessageService.h"

namespace vantrel::model {

/// At most this many curves per measurement.
constexpr int kMaxCurves = 16;

class CMessungObj {
 public:
  /// `messages` answers the out-of-memory question for this measurement and its curves.
  explicit CMessungObj(platform::MessageService* messages = nullptr);
  ~CMessungObj();
  CMessungObj(const CMessungObj&) = delete;
  CMessungObj& operator=(const CMessungObj&) = delete;

  // Curves (identified by their position, 0-based).
  /// Appends a curve with start values; null when memory ran out and the user cancelled.
  CKurveObj* AddCurve();
  CKurveObj* GetCurve(int index);
  const CKurveObj* GetCurve(int index) const;
  int GetCurveCount() const { return static_cast<int>(curves_.size()); }
  /// First curve among the first 16 with this channel number; null when none.
  CKurveObj* FindCurveByChannel(int channelNumber);
  /// Removes the curve and, when it was the only curve drawn on its axis, that axis too.
  void RemoveCurve(int index);
  /// Appends an already built curve (imports, copies) as a curve of its own; null when memory
  /// ran out.
  CKurveObj* AdoptCurve(std::unique_ptr<CKurveObj> curve);

  // Axes.
  /// Appends a value axis in its initial state (empty range, 3 divisions).
  CAchse* AddYAxis();
  CAchse* GetYAxis(int index);
  const CAchse* GetYAxis(int index) const;
  int GetYAxisCount() const { return static_cast<int>(yAxes_.size()); }
  CXAchse& GetXAxis() { return xAxis_; }
  const CXAchse& GetXAxis() const { return xAxis_; }
  /// The colours of the curves drawn on axis `axisIndex`, in list order, leaving out the
  /// x-source curve.
  std::vector<platform::Color> CollectAxisColors(int axisIndex) const;

  // Annotations (identified by list position; -1 = none).
  void AddText(const std::u16string& text, int size, double x, double y);
  void RemoveText(int position);
  int GetTextCount() const { return static_cast<int>(texts_.size()); }
  CTextObj* GetText(int position);
  const CTextObj* GetText(int position) const;
  void AddLine(double x, double y, double dx, double dy);
  void RemoveLine(int position);
  int GetLineCount() const { return static_cast<int>(lines_.size()); }
  CLineObj* GetLine(int position);
  const CLineObj* GetLine(int position) const;
  /// The first text whose screen rectangle (in the last plot rectangle) contains `point`;
  /// -1 when none. `rect` receives its rectangle.
  int HitTestText(platform::Point point, platform::Rect* rect, platform::Canvas& canvas) const;
  /// The first line whose hit rectangle contains `point`; -1 when none.
  int HitTestLine(platform::Point point, platform::Rect* rect) const;
  /// Forwards a drag of the text at `position` to its DragTo; false when it did not move.
  bool DrawTextAt(int position, double x, double y, platform::Canvas& canvas);

  // Title and identity.
  /// Sets the name; the storage number only when 0 < number < 256 (pass -1 to rename).
  void SetName(const std::u16string& name, int number);
  const std::u16string& GetName() const { return name_; }
  int GetStorageNumber() const { return storageNumber_; }
  void SetTitleVisible(int visible) { titleVisible_ = visible; }
  int GetTitleVisible() const { return titleVisible_; }

  // Chart display state.
  void SetCursors(double a, double b) {
    cursorA_ = a;
    cursorB_ = b;
  }
  double GetCursorA() const { return cursorA_; }
  double GetCursorB() const { return cursorB_; }
  void SetGrid(int columns, int rows) {
    gridColumns_ = columns;
    gridRows_ = rows;
  }
  void GetGrid(int* columns, int* rows) const {
    if (columns != nullptr) *columns = gridColumns_;
    if (rows != nullptr) *rows = gridRows_;
  }
  void SetGridVisible(int visible) { gridVisible_ = visible; }
  int IsGridVisible() const { return gridVisible_; }
  double GetXZoom() const { return xZoom_; }
  double GetYZoom() const { return yZoom_; }
  double GetXScroll() const { return xScroll_; }
  double GetYScroll() const { return yScroll_; }
  void SetZoom(double x, double y) {
    xZoom_ = x;
    yZoom_ = y;
  }
  void SetScroll(double x, double y) {
    xScroll_ = x;
    yScroll_ = y;
  }
  /// The plot area of the last drawing, in device pixels.
  const platform::Rect& GetPlotRect() const { return plotRect_; }
  void SetPlotRect(const platform::Rect& rect) { plotRect_ = rect; }

  // Notes: RTF bytes, or none.
  const std::optional<std::vector<std::uint8_t>>& GetNotes() const { return notes_; }
  void SetNotes(std::optional<std::vector<std::uint8_t>> notes) { notes_ = std::move(notes); }

  // Online recording state (not stored).
  int GetOnlineActive() const { return onlineActive_; }
  void SetOnlineActive(int active) { onlineActive_ = active; }
  int GetFormulaUpdatePending() const { return formulaUpdatePending_; }
  void SetFormulaUpdatePending(int pending) { formulaUpdatePending_ = pending; }

  platform::MessageService* GetMessageService() const { return messages_; }

  // Owned lists, for the archive and the chart.
  const std::vector<std::unique_ptr<CKurveObj>>& Curves() const { return curves_; }
  const std::vector<std::unique_ptr<CAchse>>& YAxes() const { return yAxes_; }
  const std::vector<std::unique_ptr<CTextObj>>& Texts() const { return texts_; }
  const std::vector<std::unique_ptr<CLineObj>>& Lines() const { return lines_; }

  /// Sets the stored fields in one step (the archive's reading order).
  void SetStoredState(std::u16string name, int storageNumber, double xZoom, double yZoom,
                      double xScroll, double yScroll, int titleVisible);
  /// Appends a loaded element (the archive reads into empty lists).
  void AppendLoadedAxis(std::unique_ptr<CAchse> axis) { yAxes_.push_back(std::move(axis)); }
  void AppendLoadedCurve(std::unique_ptr<CKurveObj> curve);
  void AppendLoadedText(std::unique_ptr<CTextObj> text) { texts_.push_back(std::move(text)); }
  void AppendLoadedLine(std::unique_ptr<CLineObj> line) { lines_.push_back(std::move(line)); }

  // States for the undo history.
  /// A copy of what the document stores: curves (sharing their samples, without filter
  /// previews), axes, annotations, title, grid and notes.
  std::unique_ptr<CMessungObj> CopyDocumentState() const;
  /// Whether the stored parts are equal; curves count as equal when they are the same curve
  /// with the same settings and shared samples.
  bool SameDocumentState(const CMessungObj& other) const;
  /// Applies the change from state `from` to state `to`: every part that differs between
  /// them takes its value from `to`; the rest stays as it is, and so do zoom, scroll and
  /// markers (views) and the samples a recording appended meanwhile. Curves keep their
  /// objects where `to` holds them.
  void ApplyStateChange(const CMessungObj& from, const CMessungObj& to);

 private:
  bool SameCurves(const CMessungObj& other) const;
  void RestoreCurves(const CMessungObj& from, const CMessungObj& to);

  platform::MessageService* messages_ = nullptr;
  int onlineActive_ = 0;
  std::optional<std::vector<std::uint8_t>> notes_;
  double xZoom_ = 1.0;
  double yZoom_ = 1.0;
  double xScroll_ = 0.0;
  double yScroll_ = 0.0;
  platform::Rect plotRect_;
  int formulaUpdatePending_ = 0;
  int gridVisible_ = 1;
  int gridColumns_ = 4;
  int gridRows_ = 3;
  double cursorA_ = -1.0;
  double cursorB_ = -1.0;
  std::u16string name_;
  int titleVisible_ = 1;
  int storageNumber_ = 0;
  std::vector<std::unique_ptr<CKurveObj>> curves_;
  std::vector<std::unique_ptr<CAchse>> yAxes_;
  CXAchse xAxis_;
  std::vector<std::unique_ptr<CTextObj>> texts_;
  std::vector<std::unique_ptr<CLineObj>> lines_;
};

}  // namespace vantrel::model
