#include "gui/app/MenuBuilder.h"

#include <QMenu>

#include "app/CommandIds.h"
#include "gui/platform/QtServices.h"

namespace vantrel::gui {

QKeySequence ShortcutOfMenuText(const QString& text) {
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  if (tab < 0) return {};
  QString keys = text.mid(tab + 1).trimmed();
  // The texts carry German key names; Qt reads the English ones.
  keys.replace(QStringLiteral("Strg"), QStringLiteral("Ctrl"));
  keys.replace(QStringLiteral("Umschalt"), QStringLiteral("Shift"));
  keys.replace(QStringLiteral("Entf"), QStringLiteral("Del"));
  keys.replace(QStringLiteral("Einfg"), QStringLiteral("Ins"));
  return QKeySequence::fromString(keys, QKeySequence::PortableText);
}

void MenuBuilder::Build(QMenuBar& bar, const std::vector<app::MenuItem>& items,
                        const Router& router) {
  bar.clear();
  actions_.clear();
  recentMenu_ = nullptr;
  for (const app::MenuItem& item : items) {
    if (item.separator || item.children.empty()) continue;
    QMenu* menu = bar.addMenu(ToQString(item.text));
    AddItems(*menu, item.children, router);
  }
}

void MenuBuilder::AddItems(QMenu& menu, const std::vector<app::MenuItem>& items,
                           const Router& router) {
  for (const app::MenuItem& item : items) {
    if (item.separator) {
      menu.addSeparator();
      continue;
    }
    const QString text = ToQString(item.text);
    const QString label = text.section(QLatin1Char('\t'), 0, 0);
    if (!item.children.empty()) {
      QMenu* sub = menu.addMenu(label);
      AddItems(*sub, item.children, router);
      continue;
    }
    if (item.commandId == ids::kCmdRecentFile) {
      recentMenu_ = menu.addMenu(label);
      continue;
    }
    QAction* action = menu.addAction(label);
    action->setData(item.commandId);
    action->setShortcut(ShortcutOfMenuText(text));
    const int id = item.commandId;
    QObject::connect(action, &QAction::triggered, action, [router, id] { router(id); });
    actions_[id].push_back(action);
  }
}

const std::vector<QAction*>& MenuBuilder::ActionsOf(int commandId) const {
  static const std::vector<QAction*> kNone;
  auto it = actions_.find(commandId);
  return it == actions_.end() ? kNone : it->second;
}

void MenuBuilder::SetChecked(int commandId, bool checked) {
  for (QAction* action : ActionsOf(commandId)) {
    action->setCheckable(true);
    action->setChecked(checked);
  }
}

void MenuBuilder::SetEnabled(int commandId, bool enabled) {
  for (QAction* action : ActionsOf(commandId)) action->setEnabled(enabled);
}

}  // namespace vantrel::gui
