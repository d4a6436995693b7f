// The main window: a multi-document work area with the menus of the language library (the
// main menu while no document window is active, the document menu otherwise), the
// toolbar and the status bar. Commands go to the active document window first, then to
// the handlers registered here (file, window, instrument and settings commands); their
// availability is asked the same way, so menu entries and toolbar buttons are disabled
// where nothing can run them. Files dropped on the window open as File > Open opens them.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QToolBar>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "gui/app/AppContext.h"
#include "gui/app/DocumentManager.h"
#include "gui/app/DocumentTemplates.h"
#include "gui/app/KeyboardIndicators.h"
#include "gui/app/MenuBuilder.h"

namespace vantrel::gui {

/// Command numbers of the framework and of the main frame.
enum Command : int {
  kCmdOpen = 57601,
  kCmdClose = 57602,
  kCmdSave = 57603,
  kCmdSaveAs = 57604,
  kCmdPrintSetup = 57606,
  kCmdRecentFile = 57616,
  kCmdNewWindow = 57648,
  kCmdArrange = 57649,
  kCmdCascade = 57650,
  kCmdTileHorizontal = 57651,
  kCmdTileVertical = 57652,
  kCmdAbout = 57664,
  kCmdExit = 57665,
  kCmdHelpIndex = 57667,
  kCmdToolbar = 59392,
  kCmdStatusBar = 59393,
  kCmdReadMemory = 32772,
  kCmdOnlineStart = 32774,
  kCmdOnlineStop = 32775,
  kCmdCommSettings = 32802,
  kCmdComCheck = 32803,
  kCmdAutoConfig = 32804,
  kCmdBasicSettings = 32805,
  kCmdCloseAll = 32807,
};


class CMainFrame final : public QMainWindow {
  Q_OBJECT
 public:
  explicit CMainFrame(const AppServices& services);
  ~CMainFrame() override;

  /// Tells whether a registered command can run now (cheap: asked on every menu update).
  using Availability = std::function<bool()>;

  /// Registers the handler of a command the main frame owns (replacing any earlier one).
  /// Without `available` the command is enabled whenever its document window (for the
  /// commands of the chart window) or the main frame is there to run it.
  void RegisterCommand(int commandId, std::function<void()> handler, Availability available = {});
  /// Runs a command: the active document window first, then the registered handler.
  void ExecuteCommand(int commandId);
  /// Whether a command can run now, asked as it would run: the active document window
  /// first, then the registered handler; false where nothing handles it.
  bool IsCommandEnabled(int commandId) const;
  /// Brings the enabled state and the check marks of the menus and the toolbar up to date.
  void UpdateCommandUi();
  /// The toolbar button of a command; null when the toolbar has none.
  QAction* ToolbarAction(int commandId) const;
  /// The caps-lock, num-lock and scroll-lock state the status bar shows.
  KeyboardIndicators& Indicators() { return *indicators_; }
  /// The status-bar pane of a lock key (0 caps, 1 num, 2 scroll).
  QLabel* IndicatorPane(int index) const;

  AppContext& Context() { return *context_; }
  /// The window the dialogs of a document command belong to: the active document window,
  /// else the main frame.
  QWidget* DialogParent();
  DocumentManager& Documents() { return *documents_; }
  QMdiArea& WorkArea() { return *area_; }
  MenuBuilder& Menus() { return menus_; }
  const DocumentTemplates& Templates() const { return templates_; }
  /// Rebuilds the menu bar for the active window and refreshes check marks and the title.
  void RefreshMenus();
  /// The main window title: "<name>   <version> - [<window>]" while a document window is
  /// maximised, else "<name>   <version> - <document>" (just the first part without one).
  QString ComposedTitle() const;
  /// Opens a file from the open dialog or the recent-file list.
  void OpenFile(const QString& path);
  /// Opens the file of these name bytes (the recent-file list, the command line).
  void OpenFile(const std::filesystem::path& path);
  /// Opens each file as File > Open does (from the command line, a later start or a drop):
  /// a failure shows its message and the other files still open.
  void OpenFiles(const QStringList& paths);
  /// Shows the window restored and in front (a later start handed files over).
  void BringToFront();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void RegisterFileAndWindowCommands();
  void BuildToolbar();
  void BuildStatusBar();
  void FillRecentFiles();
  void UpdateTitle();
  void ShowAbout();
  void ShowIndicators(const LockKeys& keys);
  bool HasWindows() const;

  AppServices services_;
  DocumentTemplates templates_;
  QMdiArea* area_ = nullptr;
  std::unique_ptr<DocumentManager> documents_;
  std::unique_ptr<AppContext> context_;
  MenuBuilder menus_;
  int shownMenu_ = 0;
  bool destroying_ = false;
  bool settingTitle_ = false;
  QToolBar* toolbar_ = nullptr;
  std::map<int, QAction*> toolbarActions_;
  std::vector<QLabel*> indicatorPanes_;
  std::unique_ptr<KeyboardIndicators> indicators_;
  struct Handler {
    std::function<void()> run;
    Availability available;
  };
  std::map<int, Handler> handlers_;
};

}  // namespace vantrel::gui
