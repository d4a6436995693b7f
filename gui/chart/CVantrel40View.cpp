#include "gui/chart/CVantrel40View.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>

#include "gui/app/CMainFrame.h"
#include "gui/app/OpenDocument.h"
#include "gui/chart/CTextDlg.h"
#include "gui/chart/ChartCommands.h"
#include "gui/chart/ChartFrames.h"
#include "gui/chart/ChartPrinting.h"
#include "gui/widgets/DialogParts.h"
#include "gui/tables/ListWindows.h"

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
    if (key.commandId < kCursorDown || key.commandId > kCursorClick) continue;
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
  Repaint();
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
}

void CVantrel40View::AnnotationsChanged() { document_.UpdateAllViews(true); }

void CVantrel40View::FeedbackChanged() { viewport()->update(); }

bool CVantrel40View::Confirm(int messageId) {
  return main_.Context().messages.ShowMessage(messageId, platform::Buttons::OkCancel,
                                              platform::Icon::Question) == platform::Answer::Ok;
}

// --- Mouse and keyboard ------------------------------------------------------------------

void CVantrel40View::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  interaction_.LeftDown(ToPoint(event->position().toPoint()));
}

void CVantrel40View::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
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
  interaction_.KeyboardClick(ToPoint(viewport()->mapFromGlobal(QCursor::pos())));
}

// --- Commands ------------------------------------------------------------------------------

bool CVantrel40View::HandleCommand(int commandId) {
  model::CMessungObj* m = Measurement();
  switch (commandId) {
    case kDeleteCurves:
      DeleteCurvesCommand();
      return true;
    case kTitleText:
      TitleTextCommand();
      return true;
    case kValuesByInterval:
      OpenValueTables(main_, document_);
      return true;
    case kValuesAll:
      OpenExtremesTable(main_, document_);
      return true;
    case kValuesSelected:
      OpenInformationSheet(main_, document_);
      return true;
    case kZoomBox:
      interaction_.ArmZoom();
      return true;
    case kZoomReset:
      interaction_.ResetZoom();
      return true;
    case kTextPlace:
      PlaceTextCommand();
      return true;
    case kTextMove:
      interaction_.ChooseTextMove();
      return true;
    case kTextDelete:
      interaction_.ChooseTextDelete();
      return true;
    case kLineDraw:
      interaction_.ChooseLineDraw();
      return true;
    case kLineDelete:
      interaction_.ChooseLineDelete();
      return true;
    case kTitleToggle:
      if (m != nullptr) m->SetTitleVisible(m->GetTitleVisible() != 0 ? 0 : 1);
      Repaint();
      return true;
    case kLegendToggle:
      ToggleLegend(main_, document_);
      return true;
    case kCursorDown:
      MovePointer(chart::CursorDirection::Down);
      return true;
    case kCursorUp:
      MovePointer(chart::CursorDirection::Up);
      return true;
    case kCursorLeft:
      MovePointer(chart::CursorDirection::Left);
      return true;
    case kCursorRight:
      MovePointer(chart::CursorDirection::Right);
      return true;
    case kCursorClick:
      ClickAtPointer();
      return true;
    case kPrint:
      RunPrintDialog(this, Printer(),
                     {document_, main_.Context().texts, NotesPagePrinterOf(main_)});
      Repaint();
      return true;
    case kPrintDirect:
      PrintTo(Printer());
      return true;
    case kPrintPreview:
      RunPrintPreview(this, Printer(),
                      {document_, main_.Context().texts, NotesPagePrinterOf(main_)});
      Repaint();
      return true;
    default:
      return false;
  }
}

void CVantrel40View::UpdateCommandStates(MenuBuilder& menus) {
  const model::CMessungObj* m = Measurement();
  menus.SetChecked(kTitleToggle, m != nullptr && m->GetTitleVisible() != 0);
  menus.SetChecked(kLegendToggle, IsLegendShown(document_));
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
  document_.UpdateAllViews(true);
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
  document_.UpdateAllViews(true);
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
