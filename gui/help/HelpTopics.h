// Where the handbook describes each command, dialog and window: one table from command and
// dialog numbers (the numbers of the language texts) to a page and an anchor, used by the
// help window for F1 and context help and by the handbook tests. Pages and anchors are the
// same in every language; only the texts differ.
#pragma once

#include <string>
#include <vector>

namespace vantrel::gui::help {

/// A place in the handbook: a page file name ("chart.md") and an anchor ("zoom", may be
/// empty for the top of the page).
struct HelpTopic {
  std::string page;
  std::string anchor;

  /// "page#anchor", or "page" without an anchor.
  std::string Link() const { return anchor.empty() ? page : page + "#" + anchor; }
  bool operator==(const HelpTopic&) const = default;
};

/// The page that lists every other page.
inline constexpr const char* kContentsPage = "index.md";

/// One row of the table: a command or dialog number and its place.
struct TopicEntry {
  int id;
  const char* page;
  const char* anchor;
};

/// Every command of the menus and the toolbar with its place.
const std::vector<TopicEntry>& CommandTopics();
/// Every dialog template with its place.
const std::vector<TopicEntry>& DialogTopics();

/// The place of a command; the contents page for an unknown command.
HelpTopic TopicOfCommand(int commandId);
/// The place of a dialog template; the contents page for an unknown template.
HelpTopic TopicOfDialog(int templateId);
/// True when the table holds the command (or the dialog).
bool HasCommandTopic(int commandId);
bool HasDialogTopic(int templateId);

/// The places of the windows that are not dialogs.
HelpTopic TopicOfMainWindow();
HelpTopic TopicOfChartWindow();
/// A table window by its table mode (0 legend, 1 extremes, 2 value list, 3 curve
/// information); the tables page for any other mode.
HelpTopic TopicOfTableWindow(int tableMode);

/// The dialog template of a dialog class of the program ("CFormulaDlg" -> 149); 0 when the
/// class is not one of them. The class name may carry its namespace.
int DialogTemplateOfClass(const std::string& className);

}  // namespace vantrel::gui::help
