// The chart view of a document: draws the measurement off screen into a picture of the
// client size and copies it in one go, shows the zoom state in its scroll bars, polls new
// online samples on a 200 ms timer (following the newest data and extending formula curves
// when it repaints), and runs the chart's commands, mouse modes and keyboard cursor keys.
//
// The summaries of a document's long curves are built on worker threads from the moment the
// view is made; until they are complete the picture leaves those curves out and is drawn
// again when they are. The samples must not change meanwhile: every input to the program
// (keys, mouse, closing a window) first waits for the build, as does any document update.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTimer>
#include <map>
#include <memory>
#include <optional>

#include "chart/ChartNavigation.h"
#include "chart/ChartPainter.h"
#include "gui/chart/ChartInteraction.h"
#include "gui/platform/QtCanvas.h"

namespace vantrel::gui {

class CMainFrame;
class MenuBuilder;
class OpenDocument;

class CVantrel40View final : public QAbstractScrollArea, private ChartHost {
  Q_OBJECT
 public:
  /// Period of the refresh timer in milliseconds.
  static constexpr int kTimerPeriod = 200;
  /// Period in milliseconds of the look whether the curve summaries are complete.
  static constexpr int kSummaryPollPeriod = 15;

  CVantrel40View(CMainFrame& main, OpenDocument& document, QWidget* parent = nullptr);
  ~CVantrel40View() override;

  OpenDocument& Document() const { return document_; }
  model::CMessungObj* Measurement() override;
  /// Redraws the chart (with other requests of the same moment).
  void Repaint() override;
  /// Redraws the chart at once (dialogs that show their changes live).
  void RepaintNow();
  /// The document changed: curve samples may differ, so everything is drawn anew.
  void DocumentChanged();

  /// Runs a command of the view; false for commands it does not know.
  bool HandleCommand(int commandId);
  /// Whether a command of the view can run now; nullopt for commands it does not know.
  std::optional<bool> CommandEnabled(int commandId) const;
  /// The zoom or scroll values of the measurement changed in another window of the
  /// document: the scroll bars follow and the chart is drawn anew.
  void FollowZoom();
  void UpdateCommandStates(MenuBuilder& menus);

  /// The chart drawn into a fresh image of `size` (no feedback of the mouse modes).
  QImage RenderImage(QSize size);
  /// Prints logical pages `fromPage` .. `toPage` (0: all) on `printer`; the sheets printed.
  int PrintTo(QPrinter& printer, int fromPage = 0, int toPage = 0);
  /// The printer of the print commands: the application's (landscape by default).
  QPrinter& Printer();

  /// The surface the chart is drawn on (mouse events go there).
  QWidget& Surface() const { return *viewport(); }
  ChartInteraction& Interaction() { return interaction_; }
  chart::ChartPainter& Painter() { return painter_; }
  const QTimer& RefreshTimer() const { return timer_; }
  bool FirstDraw() const { return firstDraw_; }
  /// The plot rectangle of this window's last paint (the measurement keeps the one of
  /// whichever of its windows painted last).
  const platform::Rect& OwnPlot() const { return ownPlot_; }
  /// The picture of the last paint (without feedback), at the screen's device pixel ratio.
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // ChartHost.
  platform::Canvas& MeasuringCanvas() override { return *scratchCanvas_; }
  void SetSizingCursor(bool sizing) override;
  void ZoomChanged() override;
  void AnnotationsChanged(int commandId) override;
  void FeedbackChanged() override;
  bool Confirm(int messageId) override;

  /// `available`: curves whose summaries are still being built are left out.
  void RenderPicture(QSize size, qreal ratio, bool available = false);
  /// Waits for the summaries being built and stops watching for their completion.
  void FinishSummaries();
  /// Whether the picture has `size` units at `ratio` device pixels per unit.
  bool PictureFits(QSize size, qreal ratio) const;
  void SyncScrollBars();
  /// Gives the measurement this window's plot rectangle again before the mouse, the wheel or
  /// the feedback use it (another window of the document may have painted since).
  void UseOwnPlot();
  /// Tells the other chart windows of the document that the zoom or scroll changed.
  void ZoomChangedForOthers();
  /// Zooms the time axis (or the value axes) by `factor` around surface point `p`.
  void ZoomAt(QPoint p, double factor, chart::ZoomAxis axis);
  void SetBar(Qt::Orientation orientation, const chart::ScrollBarState& state);
  void OnBarMoved(Qt::Orientation orientation);
  void OnTimer();
  void MovePointer(chart::CursorDirection direction);
  void ClickAtPointer();
  void PointerMoved(QPoint p, bool leftHeld);
  void PlaceTextCommand();
  void TitleTextCommand();
  void DeleteCurvesCommand();
  void ReadKeyboardCommands();

  CMainFrame& main_;
  OpenDocument& document_;
  chart::ChartPainter painter_;
  ChartInteraction interaction_{*this};
  bool firstDraw_ = true;
  bool pictureValid_ = false;
  bool settingBars_ = false;
  platform::Rect ownPlot_;
  bool ownPlotKnown_ = false;
  QImage picture_;
  QTimer timer_;
  /// Looks whether the summaries being built are complete.
  QTimer summaryPoll_;
  /// Where the keyboard last put the pointer, until the window system reports that move.
  std::optional<QPoint> keyboardEcho_;
  /// Keys (combined key codes) of the document's accelerator table that send the keyboard
  /// cursor commands, with their command numbers.
  std::map<int, int> cursorKeys_;
  /// Wheel turns below one notch, kept until they add up (one per kind of wheel action).
  chart::WheelNotches scrollNotches_;
  chart::WheelNotches zoomNotches_;
  /// The modifiers of the last wheel turn: another action starts counting anew.
  Qt::KeyboardModifiers wheelModifiers_;
  // A canvas of the screen's resolution for measuring texts outside painting.
  QImage scratchImage_{1, 1, QImage::Format_RGB32};
  std::unique_ptr<QPainter> scratchPainter_;
  std::unique_ptr<QtCanvas> scratchCanvas_;
  std::unique_ptr<QPrinter> ownPrinter_;
};

}  // namespace vantrel::gui
