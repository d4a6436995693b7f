#include "gui/app/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QUrl>
#include <algorithm>
#include <iterator>

#include "app/MessageIds.h"
#include "app/Placeholders.h"
#include "gui/app/AboutBox.h"
#include "gui/app/DocumentFrame.h"
#include "gui/app/MdiArrangement.h"
#include "gui/app/UndoCommands.h"
#include "gui/chart/ChartCommands.h"
#include "gui/chart/ChartPrinting.h"
#include "gui/chart/dialogs/ChartDialogs.h"
#include "gui/formula/FormulaCommands.h"
#include "gui/notes/NotesCommands.h"
#include "gui/samples/SampleCommands.h"
#include "gui/settings/SettingsCommands.h"

namespace vantrel::gui {
namespace {

constexpr int kMainMenu = 128;
constexpr int kDocumentMenu = 129;

/// The commands of the document menu that belong to a chart window (its view and its
/// frame): disabled while a table window of the document is active.
constexpr int kChartOnlyCommands[] = {kCmdChartSetup,
                                      kCmdUnits,
                                      kCmdChartSamples,
                                      kCmdFormulaCurve,
                                      kCmdImportCurve,
                                      kCmdChartFilterCurve,
                                      kCmdChartMarkers,
                                      kCmdChartNotes,
                                      ids::kCmdCopyChart,
                                      ids::kCmdExportCsv,
                                      ids::kCmdDeleteCurves,
                                      ids::kCmdTitleText,
                                      ids::kCmdValuesByInterval,
                                      ids::kCmdExtremes,
                                      ids::kCmdCurveInformation,
                                      ids::kCmdZoomBox,
                                      ids::kCmdZoomReset,
                                      ids::kCmdTextPlace,
                                      ids::kCmdTextMove,
                                      ids::kCmdTextDelete,
                                      ids::kCmdLineDraw,
                                      ids::kCmdLineDelete,
                                      ids::kCmdTitleToggle,
                                      ids::kCmdLegendToggle,
                                      ids::kCmdPrint,
                                      ids::kCmdPrintDirect,
                                      ids::kCmdPrintPreview};

/// The commands of a chart window that do nothing while its measurement is being recorded.
constexpr int kBlockedWhileRecording[] = {kCmdUnits, kCmdFormulaCurve, kCmdImportCurve,
                                          ids::kCmdDeleteCurves};

/// The texts of the status-bar panes of the caps-lock, num-lock and scroll-lock keys.
constexpr int kIndicatorTexts[] = {ids::kStrIndicatorCaps, ids::kStrIndicatorNum,
                                   ids::kStrIndicatorScroll};

template <std::size_t N>
bool Contains(const int (&ids)[N], int id) {
  return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

/// The status-bar text and the tooltip of a command: its string holds "status\ntooltip".
std::pair<QString, QString> CommandHelp(const app::BrandedTexts& texts, int commandId) {
  const QString text = ToQString(texts.Text(commandId));
  const qsizetype newline = text.indexOf(QLatin1Char('\n'));
  if (newline < 0) return {text, text};
  return {text.left(newline), text.mid(newline + 1)};
}

QIcon IconFor(int commandId, QStyle* style) {
  switch (commandId) {
    case kCmdOpen:
      return style->standardIcon(QStyle::SP_DialogOpenButton);
    case kCmdSave:
      return style->standardIcon(QStyle::SP_DialogSaveButton);
    case kCmdAbout:
      return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case kCmdReadMemory:
      return style->standardIcon(QStyle::SP_ArrowDown);
    case kCmdOnlineStart:
      return style->standardIcon(QStyle::SP_MediaPlay);
    case kCmdOnlineStop:
      return style->standardIcon(QStyle::SP_MediaStop);
    default:
      return {};
  }
}

/// The local files among the dropped URLs; empty when the drop holds none.
QStringList DroppedFiles(const QMimeData* data) {
  QStringList files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) files << url.toLocalFile();
  }
  return files;
}

}  // namespace

CMainFrame::CMainFrame(const AppServices& services)
    : services_(services), templates_(services.texts) {
  area_ = new QMdiArea(this);
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(area_);
  setAcceptDrops(true);
  documents_ = std::make_unique<DocumentManager>(
      *area_, templates_,
      [this] {
        document::DocumentEnvironment env;
        env.messages = &services_.messages;
        env.dialogs = &services_.dialogs;
        env.texts = &services_.texts;
        env.workDir = [this] { return std::filesystem::path(services_.settings.GetWorkDir()); };
        return env;
      },
      &services_.profile);
  context_ = std::make_unique<AppContext>(AppContext{services_, *documents_});
  services_.messages.SetParent(this);
  services_.dialogs.SetParent(this);

  RegisterFileAndWindowCommands();
  BuildToolbar();
  BuildStatusBar();
  connect(area_, &QMdiArea::subWindowActivated, this, [this] { RefreshMenus(); });
  connect(documents_.get(), &DocumentManager::RecentFilesChanged, this,
          [this] { FillRecentFiles(); });
  connect(documents_.get(), &DocumentManager::DocumentsChanged, this, [this] { RefreshMenus(); });
  // A change of a document (its modified state, its curves) or of a window's title or state.
  connect(documents_.get(), &DocumentManager::WindowsChanged, this, [this] {
    UpdateCommandUi();
    UpdateTitle();
  });
  RefreshMenus();
  resize(1100, 760);
}

CMainFrame::~CMainFrame() {
  // The work area reports window changes while it is torn down; nothing may answer them.
  destroying_ = true;
  disconnect(area_, nullptr, this, nullptr);
  disconnect(documents_.get(), nullptr, this, nullptr);
  documents_.reset();
}

void CMainFrame::RegisterCommand(int commandId, std::function<void()> handler,
                                 Availability available) {
  handlers_[commandId] = Handler{std::move(handler), std::move(available)};
}

bool CMainFrame::IsCommandEnabled(int commandId) const {
  DocumentFrame* frame = documents_->ActiveFrame();
  if (frame != nullptr) {
    if (const std::optional<bool> enabled = frame->CommandEnabled(commandId); enabled)
      return *enabled;
  }
  const auto it = handlers_.find(commandId);
  if (it == handlers_.end() || !it->second.run) return false;
  if (it->second.available) return it->second.available();
  // Commands of the chart window that the main frame runs for the active chart.
  if (Contains(kChartOnlyCommands, commandId)) {
    if (frame == nullptr || frame->Kind() != document::FrameKind::Chart) return false;
    const model::CMessungObj* m = frame->Document().Measurement();
    if (m == nullptr) return false;
    return !(Contains(kBlockedWhileRecording, commandId) && m->GetOnlineActive() != 0);
  }
  return true;
}

void CMainFrame::UpdateCommandUi() {
  if (destroying_) return;
  for (const auto& [id, actions] : menus_.AllActions()) {
    const bool enabled = IsCommandEnabled(id);
    for (QAction* action : actions) {
      action->setEnabled(enabled);
      // A command nothing can run has no state to show either.
      if (!enabled && action->isCheckable()) action->setChecked(false);
    }
  }
  menus_.SetChecked(kCmdToolbar, toolbar_ == nullptr || toolbar_->isVisible());
  menus_.SetChecked(kCmdStatusBar, statusBar()->isVisible());
  if (DocumentFrame* frame = documents_->ActiveFrame(); frame != nullptr) {
    frame->UpdateCommandStates(menus_);
  }
  UpdateUndoCommands(*this);
  for (const auto& [id, action] : toolbarActions_) {
    const bool enabled = IsCommandEnabled(id);
    action->setEnabled(enabled);
    // A button shows the check mark of its menu entry (the legend).
    const auto& entries = menus_.ActionsOf(id);
    const bool checkable = enabled && !entries.empty() && entries.front()->isCheckable();
    action->setCheckable(checkable);
    action->setChecked(checkable && entries.front()->isChecked());
  }
}

QAction* CMainFrame::ToolbarAction(int commandId) const {
  const auto it = toolbarActions_.find(commandId);
  return it != toolbarActions_.end() ? it->second : nullptr;
}

QLabel* CMainFrame::IndicatorPane(int index) const {
  return index >= 0 && index < static_cast<int>(indicatorPanes_.size())
             ? indicatorPanes_[static_cast<std::size_t>(index)]
             : nullptr;
}

bool CMainFrame::HasWindows() const { return !area_->subWindowList().isEmpty(); }

QWidget* CMainFrame::DialogParent() {
  if (DocumentFrame* frame = documents_->ActiveFrame(); frame != nullptr) return frame;
  return this;
}

void CMainFrame::ExecuteCommand(int commandId) {
  if (DocumentFrame* frame = documents_->ActiveFrame(); frame != nullptr) {
    if (frame->HandleCommand(commandId)) {
      RefreshMenus();
      return;
    }
  }
  auto it = handlers_.find(commandId);
  if (it != handlers_.end() && it->second.run && IsCommandEnabled(commandId)) it->second.run();
  RefreshMenus();
}

void CMainFrame::RegisterFileAndWindowCommands() {
  RegisterCommand(kCmdOpen, [this] {
    const QStringList filters = templates_.OpenFilters();
    const QString path =
        QFileDialog::getOpenFileName(this, QString(), ToQString(services_.settings.GetWorkDir()),
                                     filters.join(QStringLiteral(";;")));
    if (!path.isEmpty()) OpenFile(path);
  });
  const Availability documentActive = [this] { return documents_->ActiveDocument() != nullptr; };
  const Availability anyWindow = [this] { return HasWindows(); };
  RegisterCommand(
      kCmdClose,
      [this] {
        if (QMdiSubWindow* window = area_->activeSubWindow(); window != nullptr) window->close();
      },
      [this] { return area_->activeSubWindow() != nullptr; });
  RegisterCommand(
      kCmdSave,
      [this] {
        if (OpenDocument* doc = documents_->ActiveDocument(); doc != nullptr)
          documents_->Save(*doc, false);
      },
      documentActive);
  RegisterCommand(
      kCmdSaveAs,
      [this] {
        if (OpenDocument* doc = documents_->ActiveDocument(); doc != nullptr)
          documents_->Save(*doc, true);
      },
      documentActive);
  RegisterCommand(
      kCmdCloseAll, [this] { documents_->CloseAll(); },
      [this] { return !documents_->Documents().empty(); });
  RegisterCommand(kCmdPrintSetup, [this] {
    if (context_->printer != nullptr) {
      RunPrintSetup(this, *context_->printer, CommandHelp(services_.texts, kCmdPrintSetup).second);
    }
  });
  RegisterCommand(kCmdExit, [this] { close(); });
  RegisterCommand(kCmdToolbar, [this] { toolbar_->setVisible(!toolbar_->isVisible()); });
  RegisterCommand(kCmdStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
  RegisterCommand(
      kCmdNewWindow,
      [this] {
        if (OpenDocument* doc = documents_->ActiveDocument(); doc != nullptr)
          documents_->AddChartWindow(*doc);
      },
      [this] {
        OpenDocument* doc = documents_->ActiveDocument();
        return doc != nullptr && doc->Measurement() != nullptr;
      });
  RegisterCommand(
      kCmdCascade, [this] { MdiArrangement::Apply(*area_, MdiArrangement::Kind::Cascade); },
      anyWindow);
  RegisterCommand(
      kCmdTileHorizontal,
      [this] { MdiArrangement::Apply(*area_, MdiArrangement::Kind::OneAboveAnother); }, anyWindow);
  RegisterCommand(
      kCmdTileVertical, [this] { MdiArrangement::Apply(*area_, MdiArrangement::Kind::SideBySide); },
      anyWindow);
  RegisterCommand(
      kCmdArrange, [this] { MdiArrangement::Apply(*area_, MdiArrangement::Kind::Icons); },
      anyWindow);
  RegisterCommand(kCmdAbout, [this] { ShowAbout(); });
  RegisterCommand(kCmdHelpTopics, [this] { ShowAbout(); });
}

void CMainFrame::OpenFile(const QString& path) { OpenFile(PathFromQString(path)); }

void CMainFrame::OpenFile(const std::filesystem::path& path) { documents_->OpenFile(path); }

void CMainFrame::OpenFiles(const QStringList& paths) {
  for (const QString& path : paths) {
    // A window closed while a failure was shown ends the list.
    if (destroying_) return;
    OpenFile(path);
  }
  RefreshMenus();
}

void CMainFrame::BringToFront() {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QStringList files = DroppedFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  // The drag source waits for the drop to end; the files open after it returned.
  QMetaObject::invokeMethod(
      this, [this, files] { OpenFiles(files); }, Qt::QueuedConnection);
}

void CMainFrame::RefreshMenus() {
  if (destroying_) return;
  DocumentFrame* frame = documents_->ActiveFrame();
  // Every window of a document (chart and tables) shows the document menu.
  const int wanted = frame != nullptr ? kDocumentMenu : kMainMenu;
  if (wanted != shownMenu_) {
    menus_.Build(*menuBar(),
                 app::BrandedMenu(services_.texts.Library(), wanted, services_.texts.Names()),
                 [this](int id) { ExecuteCommand(id); });
    shownMenu_ = wanted;
    FillRecentFiles();
    for (int id : {kCmdToolbar, kCmdStatusBar}) {
      for (QAction* action : menus_.ActionsOf(id)) {
        action->setStatusTip(CommandHelp(services_.texts, id).first);
      }
    }
    // A menu shows the state of the moment it opens (a recording may have ended since).
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
      connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandUi(); });
    }
  }
  UpdateCommandUi();
  UpdateTitle();
}

void CMainFrame::FillRecentFiles() {
  QMenu* menu = menus_.RecentFileMenu();
  if (menu == nullptr) return;
  menu->clear();
  const std::vector<std::filesystem::path> files = documents_->RecentFiles();
  int number = 1;
  for (const std::filesystem::path& file : files) {
    QAction* action =
        menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(PathToQString(file)));
    connect(action, &QAction::triggered, this, [this, file] { OpenFile(file); });
  }
  menu->setEnabled(!files.empty());
}

void CMainFrame::BuildToolbar() {
  toolbar_ = addToolBar(QStringLiteral("Standard"));
  toolbar_->setObjectName(QStringLiteral("toolbar128"));
  for (int id : services_.texts.Library().Toolbar(128)) {
    if (id == 0) {
      toolbar_->addSeparator();
      continue;
    }
    const auto [status, tip] = CommandHelp(services_.texts, id);
    QAction* action = toolbar_->addAction(IconFor(id, style()), tip);
    action->setToolTip(tip);
    action->setStatusTip(status);
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    toolbarActions_[id] = action;
  }
}

void CMainFrame::BuildStatusBar() {
  statusBar()->showMessage(ToQString(services_.texts.Text(ids::kStrReady)));
  for (int id : kIndicatorTexts) {
    auto* label = new QLabel(ToQString(services_.texts.Text(id)), statusBar());
    label->setAlignment(Qt::AlignCenter);
    // As wide as its text, so the pane keeps its place whether the key is on or off.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(label->text()) + 8);
    statusBar()->addPermanentWidget(label);
    indicatorPanes_.push_back(label);
  }
  indicators_ = std::make_unique<KeyboardIndicators>();
  connect(indicators_.get(), &KeyboardIndicators::Changed, this,
          [this](const LockKeys& keys) { ShowIndicators(keys); });
  ShowIndicators(indicators_->State());
}

void CMainFrame::ShowIndicators(const LockKeys& keys) {
  const bool on[] = {keys.caps, keys.num, keys.scroll};
  for (std::size_t i = 0; i < indicatorPanes_.size() && i < std::size(on); ++i) {
    // A key whose lock is off shows an empty pane, as status bars do.
    indicatorPanes_[i]->setEnabled(on[i]);
    indicatorPanes_[i]->setText(on[i] ? ToQString(services_.texts.Text(kIndicatorTexts[i]))
                                      : QString());
  }
}

QString CMainFrame::ComposedTitle() const {
  const std::u16string frameTitle =
      services_.product.applicationName + u"   " + services_.product.version;
  std::u16string documentTitle;
  QMdiSubWindow* active = area_->activeSubWindow();
  if (active != nullptr && active->isMaximized() && !active->windowTitle().isEmpty()) {
    // The maximised window has no title bar: its title (with the window number and the
    // mark of unsaved changes) goes into the main window's.
    documentTitle = u"[" + FromQString(active->windowTitle()) + u"]";
  } else if (OpenDocument* doc = documents_->ActiveDocument(); doc != nullptr) {
    documentTitle = doc->Doc().GetTitle();
  }
  return ToQString(app::ComposeMainWindowTitle(frameTitle, documentTitle, services_.texts.Names()));
}

void CMainFrame::UpdateTitle() {
  if (destroying_ || settingTitle_) return;
  const QString title = ComposedTitle();
  if (windowTitle() == title) return;
  settingTitle_ = true;
  setWindowTitle(title);
  settingTitle_ = false;
}

void CMainFrame::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // The work area writes its own combination of titles into the main window while a
  // window is maximised; the main window keeps its own.
  if (event->type() == QEvent::WindowTitleChange) UpdateTitle();
}

void CMainFrame::ShowAbout() {
  AboutBox box(services_.product, this);
  box.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (destroying_) {
    event->accept();
    return;
  }
  if (!documents_->CloseAll()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace vantrel::gui
