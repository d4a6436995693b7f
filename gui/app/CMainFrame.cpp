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

#include "app/MessageIds.h"
#include "app/Placeholders.h"
#include "gui/app/AboutBox.h"
#include "gui/app/DocumentFrame.h"
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

CMainFrame::CMainFrame(const AppServices& services) : services_(services), templates_(services.texts) {
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
  connect(documents_.get(), &DocumentManager::RecentFilesChanged, this, [this] { FillRecentFiles(); });
  connect(documents_.get(), &DocumentManager::DocumentsChanged, this, [this] { RefreshMenus(); });
  RefreshMenus();
  resize(1100, 760);
}

CMainFrame::~CMainFrame() {
  // The work area reports window changes while it is torn down; nothing may answer them.
  disconnect(area_, nullptr, this, nullptr);
  disconnect(documents_.get(), nullptr, this, nullptr);
  destroying_ = true;
  documents_.reset();
}

void CMainFrame::RegisterCommand(int commandId, std::function<void()> handler) {
  handlers_[commandId] = std::move(handler);
}

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
  if (it != handlers_.end()) it->second();
  RefreshMenus();
}

void CMainFrame::RegisterFileAndWindowCommands() {
  RegisterCommand(kCmdOpen, [this] {
    const QStringList filters = templates_.OpenFilters();
    const QString path = QFileDialog::getOpenFileName(
        this, QString(), ToQString(services_.settings.GetWorkDir()), filters.join(QStringLiteral(";;")));
    if (!path.isEmpty()) OpenFile(path);
  });
  RegisterCommand(kCmdClose, [this] {
    if (QMdiSubWindow* window = area_->activeSubWindow(); window != nullptr) window->close();
  });
  RegisterCommand(kCmdSave, [this] {
    if (OpenDocument* doc = documents_->ActiveDocument(); doc != nullptr) documents_->Save(*doc, false);
  });
  RegisterCommand(kCmdSaveAs, [this] {
    if (OpenDocument* doc = documents_->ActiveDocument(); doc != nullptr) documents_->Save(*doc, true);
  });
  RegisterCommand(kCmdCloseAll, [this] { documents_->CloseAll(); });
  RegisterCommand(kCmdPrintSetup, [this] {
    if (context_->printer != nullptr) {
      RunPrintSetup(this, *context_->printer, CommandHelp(services_.texts, kCmdPrintSetup).second);
    }
  });
  RegisterCommand(kCmdExit, [this] { close(); });
  RegisterCommand(kCmdToolbar, [this] { toolbar_->setVisible(!toolbar_->isVisible()); });
  RegisterCommand(kCmdStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
  RegisterCommand(kCmdCascade, [this] { area_->cascadeSubWindows(); });
  RegisterCommand(kCmdTileHorizontal, [this] { area_->tileSubWindows(); });
  RegisterCommand(kCmdTileVertical, [this] { area_->tileSubWindows(); });
  RegisterCommand(kCmdArrange, [this] { area_->tileSubWindows(); });
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
  DocumentFrame* frame = documents_->ActiveFrame();
  // Every window of a document (chart and tables) shows the document menu.
  const int wanted = frame != nullptr ? kDocumentMenu : kMainMenu;
  if (wanted != shownMenu_) {
    menus_.Build(*menuBar(), app::BrandedMenu(services_.texts.Library(), wanted, services_.texts.Names()),
                 [this](int id) { ExecuteCommand(id); });
    shownMenu_ = wanted;
    FillRecentFiles();
  }
  for (int id : {kCmdToolbar, kCmdStatusBar}) {
    for (QAction* action : menus_.ActionsOf(id)) {
      action->setStatusTip(CommandHelp(services_.texts, id).first);
    }
  }
  menus_.SetChecked(kCmdToolbar, toolbar_ == nullptr || toolbar_->isVisible());
  menus_.SetChecked(kCmdStatusBar, statusBar()->isVisible());
  const bool chartActive = frame != nullptr && frame->Kind() == document::FrameKind::Chart;
  for (int id : kChartOnlyCommands) menus_.SetEnabled(id, chartActive);
  if (frame != nullptr) frame->UpdateCommandStates(menus_);
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
  }
}

void CMainFrame::BuildStatusBar() {
  statusBar()->showMessage(ToQString(services_.texts.Text(ids::kStrReady)));
  for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
    auto* label = new QLabel(QString::fromLatin1(indicator), statusBar());
    label->setEnabled(false);
    statusBar()->addPermanentWidget(label);
  }
}

void CMainFrame::UpdateTitle() {
  const std::u16string frameTitle =
      services_.product.applicationName + u"   " + services_.product.version;
  std::u16string documentTitle;
  if (OpenDocument* doc = documents_->ActiveDocument(); doc != nullptr) {
    documentTitle = doc->Doc().GetTitle();
  }
  setWindowTitle(ToQString(app::ComposeMainWindowTitle(frameTitle, documentTitle, services_.texts.Names())));
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
