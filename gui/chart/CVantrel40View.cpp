#include "gui/chart/CVantrel40View.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "gui/app/CMainFrame.h"
#include "gui/app/OpenDocument.h"
#include "gui/chart/CChildFrame.h"
#include "gui/chart/CTextDlg.h"
#include "gui/chart/ChartCommands.h"
#include "gui/chart/ChartFrames.h"
#include "gui/chart/ChartPrinting.h"
#include "gui/tables/ListWindows.h"
#include "gui/widgets/DialogParts.h"

namespace vantrel::gui {

using namespace chart_commands;

namespace {

platform::Point ToPoint(QPoint p) { return {p.x(), p.y()}; }

}  // namespace

CVantrel40View::CVantrel40View(CMainFrame& main, OpenDocument& document, QWidget* parent)
    : QAbstractScrollArea(parent), main_(main), document_(document) {
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  // The whole surface is copied from the off-screen picture: no background erase.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAttribute(Qt::WA_NoSystemBackground);
  viewport()->setFocusProxy(this);
  for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
    bar->setSingleStep(1);
    bar->setPageStep(chart::kScrollPage);
    bar->setRange(0, 0);
  }
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
          [this] { OnBarMoved(Qt::Horizontal); });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this] { OnBarMoved(Qt::Vertical); });
  timer_.setInterval(kTimerPeriod);
  connect(&timer_, &QTimer::timeout, this, [this] { OnTimer(); });
  scratchPainter_ = std::make_unique<QPainter>(&scratchImage_);
  scratchCanvas_ = std::make_unique<QtCanvas>(*scratchPainter_);
  ReadKeyboardCommands();
  if (model::CMessungObj* m = Measurement(); m != nullptr) painter_.StartSummaries(*m);
  if (painter_.SummariesPending()) {
    qApp->installEventFilter(this);
    summaryPoll_.setInterval(kSummaryPollPeriod);
    connect(&summaryPoll_, &QTimer::timeout, this, [this] {
      if (!painter_.SummariesReady()) return;
      FinishSummaries();
      Repaint();
    });
    summaryPoll_.start();
  }
}

CVantrel40View::~CVantrel40View() { FinishSummaries(); }

void CVantrel40View::FinishSummaries() {
  painter_.FinishSummaries();
  qApp->removeEventFilter(this);
  summaryPoll_.stop();
}

bool CVantrel40View::eventFilter(QObject* watched, QEvent* event) {
  // Whatever the user does may change the samples: the build is finished first.
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::Close:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
    case QEvent::FileOpen:
      FinishSummaries();
      break;
    default:
      break;
  }
  return QAbstractScrollArea::eventFilter(watched, event);
}

model::CMessungObj* CVantrel40View::Measurement() { return document_.Measurement(); }

void CVantrel40View::ReadKeyboardCommands() {
  const auto& keys = main_.Context().texts.Library().Accelerators(kDocumentAccelerators);
  for (const app::Accelerator& key : keys) {
    if (key.commandId < kCmdCursorDown || key.commandId > kCmdCursorClick) continue;
    const QKeySequence sequence =
        QKeySequence::fromString(QString::fromStdU16String(key.key), QKeySequence::PortableText);
    if (!sequence.isEmpty()) cursorKeys_[sequence[0].toCombined()] = key.commandId;
  }
}

// --- Drawing ---------------------------------------------------------------------------

void CVantrel40View::Repaint() {
  pictureValid_ = false;
  viewport()->update();
}

void CVantrel40View::RepaintNow() {
  pictureValid_ = false;
  viewport()->repaint();
}

void CVantrel40View::DocumentChanged() {
  FinishSummaries();
  painter_.SamplesChanged();
  // Another window of the document may have zoomed or followed a recording.
  if (!firstDraw_) SyncScrollBars();
  Repaint();
}

void CVantrel40View::UseOwnPlot() {
  if (model::CMessungObj* m = Measurement(); m != nullptr && ownPlotKnown_)
    m->SetPlotRect(ownPlot_);
}

void CVantrel40View::FollowZoom() {
  if (!firstDraw_) SyncScrollBars();
  Repaint();
}

void CVantrel40View::ZoomChangedForOthers() {
  for (QMdiSubWindow* window : document_.Windows()) {
    auto* chart = qobject_cast<CChildFrame*>(document_.FrameOf(window));
    if (chart != nullptr && &chart->View() != this) chart->View().FollowZoom();
  }
}

void CVantrel40View::RenderPicture(QSize size, qreal ratio, bool available) {
  // The picture of the same size is painted over, not allocated anew for every repaint.
  // Its device pixels are `ratio` per unit; the chart is laid out in units either way.
  if (!PictureFits(size, ratio)) {
    picture_ = QImage(size * ratio, QImage::Format_RGB32);
    picture_.setDevicePixelRatio(ratio);
  }
  picture_.fill(Qt::white);
  if (model::CMessungObj* m = Measurement(); m != nullptr && !size.isEmpty()) {
    QPainter painter(&picture_);
    QtCanvas canvas(painter);
    const platform::Rect area{0, 0, size.width(), size.height()};
    const char separator = UserTextConventions().decimalSeparator;
    if (available) {
      painter_.DrawAvailable(canvas, *m, area, main_.Context().texts, separator);
    } else {
      painter_.Draw(canvas, *m, area, main_.Context().texts, separator);
    }
    ownPlot_ = m->GetPlotRect();
    ownPlotKnown_ = true;
  }
  // A picture without some curves is drawn again when their summaries are complete.
  pictureValid_ = !painter_.SummariesPending();
}

bool CVantrel40View::PictureFits(QSize size, qreal ratio) const {
  return picture_.devicePixelRatio() == ratio && picture_.size() == size * ratio;
}

QImage CVantrel40View::RenderImage(QSize size) {
  // Copies and files get one pixel per unit, whatever the screen.
  RenderPicture(size, 1.0);
  QImage image = picture_;
  // The next paint draws for the window's own size again (and its plot rectangle).
  Repaint();
  return image;
}

void CVantrel40View::paintEvent(QPaintEvent* /*event*/) {
  model::CMessungObj* m = Measurement();
  if (painter_.SummariesPending() && painter_.SummariesReady()) FinishSummaries();
  // While summaries are built nothing may change the samples: following waits.
  const bool building = painter_.SummariesPending();
  if (m != nullptr && !building) {
    if (firstDraw_) {
      firstDraw_ = false;
      SyncScrollBars();
      timer_.start();
    }
    // New online samples: follow the newest data and extend the formula curves.
    const chart::FollowResult follow =
        chart::FollowNewestData(*m, main_.Context().settings.GetScaleMode());
    if (follow.newData) {
      pictureValid_ = false;
      if (follow.followed) SetBar(Qt::Horizontal, follow.horizontal);
    }
  }
  const QSize size = viewport()->size();
  const qreal ratio = viewport()->devicePixelRatioF();
  if (!pictureValid_ || !PictureFits(size, ratio)) RenderPicture(size, ratio, building);
  QPainter painter(viewport());
  if (interaction_.HasFeedback()) {
    UseOwnPlot();
    QImage frame = picture_.copy();
    {
      QPainter overlay(&frame);
      QtCanvas canvas(overlay);
      interaction_.DrawFeedback(canvas, m);
    }
    painter.drawImage(0, 0, frame);
  } else {
    painter.drawImage(0, 0, picture_);
  }
}

// --- Scroll bars and timer ---------------------------------------------------------------

void CVantrel40View::SetBar(Qt::Orientation orientation, const chart::ScrollBarState& state) {
  QScrollBar* bar = orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
  settingBars_ = true;
  bar->setRange(0, state.max);
  bar->setValue(state.position);
  settingBars_ = false;
}

void CVantrel40View::SyncScrollBars() {
  const model::CMessungObj* m = Measurement();
  if (m == nullptr) return;
  SetBar(Qt::Horizontal, chart::HorizontalBar(m->GetXZoom(), m->GetXScroll()));
  SetBar(Qt::Vertical, chart::VerticalBar(m->GetYZoom(), m->GetYScroll()));
}

void CVantrel40View::OnBarMoved(Qt::Orientation orientation) {
  model::CMessungObj* m = Measurement();
  if (settingBars_ || m == nullptr) return;
  if (orientation == Qt::Horizontal) {
    const QScrollBar* bar = horizontalScrollBar();
    m->SetScroll(chart::HorizontalScroll(m->GetXZoom(), bar->value(), bar->maximum()),
                 m->GetYScroll());
  } else {
    const QScrollBar* bar = verticalScrollBar();
    m->SetScroll(m->GetXScroll(),
                 chart::VerticalScroll(m->GetYZoom(), bar->value(), bar->maximum()));
  }
  Repaint();
  ZoomChangedForOthers();
}

void CVantrel40View::scrollContentsBy(int /*dx*/, int /*dy*/) {
  // The bars carry the scroll values of the measurement; OnBarMoved repaints.
}

void CVantrel40View::OnTimer() {
  model::CMessungObj* m = Measurement();
  if (m == nullptr || m->GetFormulaUpdatePending() == 0) return;
  if (document_.Doc().IsModified()) {
    document_.Doc().SetModifiedFlag(true);
  } else {
    document_.UpdateAllViews(true);  // the window titles show the modified mark
  }
  RepaintNow();
}

// --- Host of the mouse modes ------------------------------------------------------------

void CVantrel40View::SetSizingCursor(bool sizing) {
  viewport()->setCursor(sizing ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

void CVantrel40View::ZoomChanged() {
  SyncScrollBars();
  Repaint();
  ZoomChangedForOthers();
}

void CVantrel40View::AnnotationsChanged(int commandId) { document_.RecordStep(commandId); }

void CVantrel40View::FeedbackChanged() { viewport()->update(); }

bool CVantrel40View::Confirm(int messageId) {
  return main_.Context().messages.ShowMessage(messageId, platform::Buttons::OkCancel,
                                              platform::Icon::Question) == platform::Answer::Ok;
}

// --- Mouse and keyboard ------------------------------------------------------------------

void CVantrel40View::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  UseOwnPlot();
  interaction_.LeftDown(ToPoint(event->position().toPoint()));
}

void CVantrel40View::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  UseOwnPlot();
  interaction_.LeftUp(ToPoint(event->position().toPoint()));
}

void CVantrel40View::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  // A pointer moved by the keyboard was followed at once; its echo from the window system
  // is not followed twice.
  if (keyboardEcho_ && *keyboardEcho_ == p) {
    keyboardEcho_.reset();
    return;
  }
  keyboardEcho_.reset();
  PointerMoved(p, (event->buttons() & Qt::LeftButton) != 0);
}

void CVantrel40View::PointerMoved(QPoint p, bool leftHeld) {
  UseOwnPlot();
  interaction_.MouseMove(ToPoint(p), leftHeld);
}

void CVantrel40View::keyPressEvent(QKeyEvent* event) {
  const auto it = cursorKeys_.find(event->keyCombination().toCombined());
  if (it == cursorKeys_.end()) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  HandleCommand(it->second);
  event->accept();
}

void CVantrel40View::wheelEvent(QWheelEvent* event) {
  model::CMessungObj* m = Measurement();
  if (m == nullptr) {
    event->ignore();
    return;
  }
  event->accept();
  const Qt::KeyboardModifiers modifiers =
      event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
  if (modifiers != wheelModifiers_) {
    scrollNotches_.Reset();
    zoomNotches_.Reset();
    wheelModifiers_ = modifiers;
  }
  // A sideways wheel (or a system that turns Shift+wheel sideways) moves the same way.
  const QPoint angle = event->angleDelta();
  const int delta = angle.y() != 0 ? angle.y() : angle.x();
  const bool values = (modifiers & Qt::ShiftModifier) != 0;
  if ((modifiers & Qt::ControlModifier) != 0) {
    const int notches = zoomNotches_.Add(delta);
    if (notches == 0) return;
    ZoomAt(event->position().toPoint(), std::pow(chart::kWheelZoomStep, notches),
           values ? chart::ZoomAxis::Values : chart::ZoomAxis::Time);
    return;
  }
  const int notches = scrollNotches_.Add(delta);
  if (notches == 0) return;
  // One line step of the bar per notch; turning the wheel toward the user moves forward in
  // time (to the right), or down to lower values.
  QScrollBar* bar = values ? verticalScrollBar() : horizontalScrollBar();
  bar->setValue(bar->value() - notches * bar->singleStep());
}

bool CVantrel40View::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::NativeGesture) {
    const auto* gesture = static_cast<QNativeGestureEvent*>(event);
    if (gesture->gestureType() == Qt::ZoomNativeGesture && Measurement() != nullptr) {
      // The pinch reports the change of scale since its last event.
      ZoomAt(gesture->position().toPoint(), 1.0 + gesture->value(), chart::ZoomAxis::Time);
      event->accept();
      return true;
    }
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void CVantrel40View::ZoomAt(QPoint p, double factor, chart::ZoomAxis axis) {
  model::CMessungObj* m = Measurement();
  if (m == nullptr) return;
  UseOwnPlot();
  const chart::ZoomState before = chart::ZoomOf(*m);
  const chart::ZoomState after =
      chart::ZoomAroundPointer(before, m->GetPlotRect(), ToPoint(p), factor, axis);
  if (after == before) return;
  chart::ApplyZoom(*m, after);
  ZoomChanged();
}

void CVantrel40View::MovePointer(chart::CursorDirection direction) {
  const QPoint origin = viewport()->mapToGlobal(QPoint(0, 0));
  const platform::Rect window{origin.x(), origin.y(), origin.x() + viewport()->width(),
                              origin.y() + viewport()->height()};
  const QPoint cursor = QCursor::pos();
  const platform::Point next = chart::StepCursor(ToPoint(cursor), window, direction);
  if (next == ToPoint(cursor)) return;
  QCursor::setPos(next.x, next.y);
  const QPoint local = viewport()->mapFromGlobal(QPoint(next.x, next.y));
  keyboardEcho_ = local;
  PointerMoved(local, (QApplication::mouseButtons() & Qt::LeftButton) != 0);
}

void CVantrel40View::ClickAtPointer() {
  UseOwnPlot();
  interaction_.KeyboardClick(ToPoint(viewport()->mapFromGlobal(QCursor::pos())));
}

// --- Commands ------------------------------------------------------------------------------

bool CVantrel40View::HandleCommand(int commandId) {
  model::CMessungObj* m = Measurement();
  switch (commandId) {
    case kCmdDeleteCurves:
      DeleteCurvesCommand();
      return true;
    case kCmdTitleText:
      TitleTextCommand();
      return true;
    case kCmdValuesByInterval:
      OpenValueTables(main_, document_);
      return true;
    case kCmdExtremes:
      OpenExtremesTable(main_, document_);
      return true;
    case kCmdCurveInformation:
      OpenInformationSheet(main_, document_);
      return true;
    case kCmdZoomBox:
      interaction_.ArmZoom();
      return true;
    case kCmdZoomReset:
      interaction_.ResetZoom();
      return true;
    case kCmdTextPlace:
      PlaceTextCommand();
      return true;
    case kCmdTextMove:
      interaction_.ChooseTextMove();
      return true;
    case kCmdTextDelete:
      interaction_.ChooseTextDelete();
      return true;
    case kCmdLineDraw:
      interaction_.ChooseLineDraw();
      return true;
    case kCmdLineDelete:
      interaction_.ChooseLineDelete();
      return true;
    case kCmdTitleToggle:
      if (m == nullptr) return true;
      m->SetTitleVisible(m->GetTitleVisible() != 0 ? 0 : 1);
      // Showing or hiding the title does not make the document modified.
      document_.RecordStep(kCmdTitleToggle, false);
      return true;
    case kCmdLegendToggle:
      ToggleLegend(main_, document_);
      return true;
    case kCmdCursorDown:
      MovePointer(chart::CursorDirection::Down);
      return true;
    case kCmdCursorUp:
      MovePointer(chart::CursorDirection::Up);
      return true;
    case kCmdCursorLeft:
      MovePointer(chart::CursorDirection::Left);
      return true;
    case kCmdCursorRight:
      MovePointer(chart::CursorDirection::Right);
      return true;
    case kCmdCursorClick:
      ClickAtPointer();
      return true;
    case kCmdPrint:
      RunPrintDialog(this, Printer(),
                     {document_, main_.Context().texts, NotesPagePrinterOf(main_)});
      Repaint();
      return true;
    case kCmdPrintDirect:
      PrintTo(Printer());
      return true;
    case kCmdPrintPreview:
      RunPrintPreview(this, Printer(),
                      {document_, main_.Context().texts, NotesPagePrinterOf(main_)});
      Repaint();
      return true;
    default:
      return false;
  }
}

std::optional<bool> CVantrel40View::CommandEnabled(int commandId) const {
  const model::CMessungObj* m = document_.Measurement();
  const bool shown = m != nullptr;
  const bool curves = shown && m->GetCurveCount() > 0;
  switch (commandId) {
    case kCmdDeleteCurves:
      // Curves stay while an online recording writes into them.
      return curves && m->GetOnlineActive() == 0;
    case kCmdValuesByInterval:
    case kCmdCurveInformation:
      return curves;
    case kCmdTextMove:
    case kCmdTextDelete:
      return shown && m->GetTextCount() > 0;
    case kCmdLineDelete:
      return shown && m->GetLineCount() > 0;
    case kCmdTitleText:
    case kCmdExtremes:
    case kCmdZoomBox:
    case kCmdZoomReset:
    case kCmdTextPlace:
    case kCmdLineDraw:
    case kCmdTitleToggle:
    case kCmdLegendToggle:
    case kCmdCursorDown:
    case kCmdCursorUp:
    case kCmdCursorLeft:
    case kCmdCursorRight:
    case kCmdCursorClick:
    case kCmdPrint:
    case kCmdPrintDirect:
    case kCmdPrintPreview:
      return shown;
    default:
      return std::nullopt;
  }
}

void CVantrel40View::UpdateCommandStates(MenuBuilder& menus) {
  const model::CMessungObj* m = Measurement();
  menus.SetChecked(kCmdTitleToggle, m != nullptr && m->GetTitleVisible() != 0);
  menus.SetChecked(kCmdLegendToggle, IsLegendShown(document_));
}

void CVantrel40View::PlaceTextCommand() {
  interaction_.ClearAnnotationModes();
  CTextDlg dialog(main_.Context().texts, QString(), QString::number(10), this);
  if (dialog.exec() != QDialog::Accepted) return;
  interaction_.BeginTextPlacement(FromQString(dialog.Text()), ReadTextSize(dialog.SizeText()));
}

void CVantrel40View::TitleTextCommand() {
  model::CMessungObj* m = Measurement();
  if (m == nullptr) return;
  // The title has no size of its own: an empty size text hides the size field.
  CTextDlg dialog(main_.Context().texts, ToQString(m->GetName()), QString(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  m->SetName(FromQString(dialog.Text()), -1);
  document_.RecordStep(kCmdTitleText);
}

void CVantrel40View::DeleteCurvesCommand() {
  model::CMessungObj* m = Measurement();
  // Curves stay while an online recording writes into them.
  if (m == nullptr || m->GetOnlineActive() != 0) return;
  const auto selection = AskCurveSelection(this, main_.Context(), *m);
  if (!selection || selection->empty()) return;
  QMessageBox question(QMessageBox::Question, QApplication::applicationDisplayName(),
                       FormatNumbers(main_.Context().texts, kMsgDeleteCurves,
                                     {static_cast<long long>(selection->size())}),
                       QMessageBox::Ok | QMessageBox::Cancel, this);
  if (question.exec() != QMessageBox::Ok) return;
  // From the last position to the first, so every position still names its curve.
  for (auto it = selection->rbegin(); it != selection->rend(); ++it) m->RemoveCurve(*it);
  document_.RecordStep(kCmdDeleteCurves);
}

QPrinter& CVantrel40View::Printer() {
  if (QPrinter* printer = main_.Context().printer; printer != nullptr) return *printer;
  if (ownPrinter_ == nullptr) {
    ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    ownPrinter_->setPageOrientation(QPageLayout::Landscape);
  }
  return *ownPrinter_;
}

int CVantrel40View::PrintTo(QPrinter& printer, int fromPage, int toPage) {
  const int sheets = PrintChartDocument(
      printer, {document_, main_.Context().texts, NotesPagePrinterOf(main_)}, fromPage, toPage);
  Repaint();
  return sheets;
}

}  // namespace vantrel::gui
