// Builds Qt menus from the menus of the language library. Every command entry becomes an
// action carrying its command number; triggering it calls the command router.
#pragma once

#include <QAction>
#include <QMenuBar>
#include <functional>
#include <map>
#include <vector>

#include "app/LanguageLibrary.h"

namespace vantrel::gui {

class MenuBuilder {
 public:
  using Router = std::function<void(int commandId)>;

  /// Fills `bar` (cleared first) with `items`; each command calls `router`.
  void Build(QMenuBar& bar, const std::vector<app::MenuItem>& items, const Router& router);
  /// The actions of a command in the last built menu (a command may appear more than once).
  const std::vector<QAction*>& ActionsOf(int commandId) const;
  /// Every command of the last built menu with its actions.
  const std::map<int, std::vector<QAction*>>& AllActions() const { return actions_; }
  /// Sets the check mark of every action of a command (making it checkable).
  void SetChecked(int commandId, bool checked);
  /// Enables or disables every action of a command.
  void SetEnabled(int commandId, bool enabled);
  /// The QMenu of the recent-file entry (command 57616), to be filled by the caller.
  QMenu* RecentFileMenu() const { return recentMenu_; }

 private:
  void AddItems(QMenu& menu, const std::vector<app::MenuItem>& items, const Router& router);

  std::map<int, std::vector<QAction*>> actions_;
  QMenu* recentMenu_ = nullptr;
};

/// The shortcut of a menu text after its tab ("Strg+O" -> Ctrl+O); empty when none.
QKeySequence ShortcutOfMenuText(const QString& text);

}  // namespace vantrel::gui
