// The help commands of the program: help topics (57667, 57671) open the contents, help
// (57670, F1) the page of the active window or dialog, context help (57669, Shift+F1, or a
// dialog's question-mark button) waits for a click and opens the page of the clicked
// control's window. Without a handbook the commands show the about box.
#pragma once

#include <QKeyCombination>
#include <QObject>
#include <QPointer>
#include <filesystem>
#include <optional>

#include "gui/help/Handbook.h"
#include "gui/help/HelpTopics.h"
#include "gui/help/HelpWindow.h"

namespace vantrel::gui {
class CMainFrame;
}

namespace vantrel::gui::help {

class HelpCommands final : public QObject {
  Q_OBJECT
 public:
  /// Registers the commands with `frame` and watches the keys of every window. Owned by
  /// the frame (its Qt child).
  HelpCommands(CMainFrame& frame, const std::filesystem::path& programDirectory);

  /// Opens the help window (over `over` when that is a modal dialog) at `topic`.
  void ShowTopic(const HelpTopic& topic, QWidget* over = nullptr);
  void ShowContents();
  /// The page of the active dialog, or of the main window's active document window.
  void ShowHelpForActiveWindow();
  /// Waits for a click; the clicked control's window gives the page.
  void EnterContextHelp();
  /// The place of a top-level window of the program (a dialog, the main window).
  HelpTopic TopicOfWindow(QWidget* window) const;

  /// The help window, once it has been opened (and not closed with its owner).
  HelpWindow* Window() const { return window_.data(); }
  bool HasHandbook() const { return handbook_.has_value(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowAbout();
  HelpWindow& EnsureWindow(QWidget* owner);
  /// Makes `window` a window of `parent`, keeping its place and visibility.
  static void MoveWindow(HelpWindow& window, QWidget& parent);
  void ReturnToMainWindow();

  CMainFrame& frame_;
  std::optional<Handbook> handbook_;
  QPointer<HelpWindow> window_;
  std::optional<QKeyCombination> helpKey_;
  std::optional<QKeyCombination> contextHelpKey_;
};

/// Installs the help commands on the main frame.
void InstallHelpCommands(CMainFrame& frame, const std::filesystem::path& programDirectory);

}  // namespace vantrel::gui::help
