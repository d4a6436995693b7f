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

#include "app/CommandIds.h"
#include "gui/app/AppContext.h"
#include "gui/app/DocumentManager.h"
#include "gui/app/DocumentTemplates.h"
#include "gui/app/KeyboardIndicators.h"
#include "gui/app/MenuBuilder.h"

namespace vantrel::gui {

/// The commands the main frame handles: file, window, view and help, the instrument.
using ids::kCmdAbout;
using ids::kCmdArrange;
using ids::kCmdAutoConfig;
using ids::kCmdBasicSettings;
using ids::kCmdCascade;
using ids::kCmdClose;
using ids::kCmdCloseAll;
using ids::kCmdComCheck;
using ids::kCmdCommSettings;
using ids::kCmdExit;
using ids::kCmdHelpTopics;
using ids::kCmdNewWindow;
using ids::kCmdOnlineStart;
using ids::kCmdOnlineStop;
using ids::kCmdOpen;
using ids::kCmdPrintSetup;
using ids::kCmdReadMemory;
using ids::kCmdRecentFile;
using ids::kCmdSave;
using ids::kCmdSaveAs;
using ids::kCmdStatusBar;
using ids::kCmdTileHorizontal;
using ids::kCmdTileVertical;
using ids::kCmdToolbar;

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
