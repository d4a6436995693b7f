#include "gui/help/HelpTopics.h"

#include <algorithm>
#include <utility>

namespace vantrel::gui::help {
namespace {

const TopicEntry* Find(const std::vector<TopicEntry>& table, int id) {
  auto it = std::find_if(table.begin(), table.end(), [id](const TopicEntry& e) { return e.id == id; });
  return it == table.end() ? nullptr : &*it;
}

HelpTopic ToTopic(const TopicEntry* entry) {
  if (entry == nullptr) return {kContentsPage, ""};
  return {entry->page, entry->anchor};
}

}  // namespace

const std::vector<TopicEntry>& CommandTopics() {
  static const std::vector<TopicEntry> kTable = {
      // File
      {57601, "files.md", "open"},
      {57602, "files.md", "close"},
      {32807, "files.md", "close"},
      {57603, "files.md", "save"},
      {57604, "files.md", "save"},
      {57616, "files.md", "recent-files"},
      {57665, "files.md", "exit"},
      {32810, "export.md", "csv"},
      {57607, "printing.md", "print"},
      {57608, "printing.md", "print"},
      {57609, "printing.md", "preview"},
      {57606, "printing.md", "print-setup"},
      // Edit
      {57643, "chart.md", "undo"},
      {57644, "chart.md", "undo"},
      {32809, "export.md", "clipboard"},
      // Instrument
      {32772, "readout.md", "readout"},
      {32774, "online.md", "start"},
      {32775, "online.md", "stop"},
      // Chart
      {32779, "chart-setup.md", "chart-setup"},
      {32783, "settings.md", "units"},
      {32789, "chart.md", "zoom"},
      {32790, "chart.md", "zoom"},
      {32799, "chart.md", "markers"},
      {32785, "chart.md", "title"},
      {32800, "chart.md", "title"},
      {32801, "tables.md", "legend"},
      {32794, "chart.md", "texts"},
      {32971, "chart.md", "texts"},
      {32795, "chart.md", "texts"},
      {32797, "chart.md", "lines"},
      {32798, "chart.md", "lines"},
      {32786, "notes.md", "notes"},
      {32818, "chart.md", "keyboard"},
      {32819, "chart.md", "keyboard"},
      {32820, "chart.md", "keyboard"},
      {32821, "chart.md", "keyboard"},
      {32822, "chart.md", "keyboard"},
      // Curves
      {32782, "formulas.md", "formula-dialog"},
      {32792, "curves.md", "import"},
      {32781, "curves.md", "filter"},
      {32784, "curves.md", "samples"},
      {32780, "curves.md", "delete"},
      // Values
      {32787, "tables.md", "value-list"},
      {32788, "tables.md", "extremes"},
      {32791, "tables.md", "curve-information"},
      // View
      {59392, "main-window.md", "toolbar"},
      {59393, "main-window.md", "status-bar"},
      // Extras
      {32802, "connecting.md", "comm-settings"},
      {32803, "connecting.md", "com-check"},
      {32804, "connecting.md", "auto-config"},
      {32805, "settings.md", "basic-settings"},
      // Window
      {57648, "main-window.md", "window-menu"},
      {57649, "main-window.md", "window-menu"},
      {57650, "main-window.md", "window-menu"},
      {57651, "main-window.md", "window-menu"},
      {57652, "main-window.md", "window-menu"},
      // Help
      {57667, "main-window.md", "help"},
      {57671, "main-window.md", "help"},
      {57670, "main-window.md", "help"},
      {57669, "main-window.md", "help"},
      {57664, "main-window.md", "about"},
  };
  return kTable;
}

const std::vector<TopicEntry>& DialogTopics() {
  static const std::vector<TopicEntry> kTable = {
      {100, "main-window.md", "about"},
      {138, "readout.md", "readout"},
      {139, "settings.md", "units"},
      {140, "chart.md", "markers"},
      {141, "chart.md", "text-dialog"},
      {142, "chart-setup.md", "chart-setup"},
      {143, "chart-setup.md", "curve-properties"},
      {144, "chart-setup.md", "axis-properties"},
      {145, "curves.md", "filter"},
      {146, "curves.md", "edit-sample"},
      {147, "connecting.md", "comm-settings"},
      {148, "settings.md", "basic-settings"},
      {149, "formulas.md", "formula-dialog"},
      {151, "start.md", "start-picture"},
      {152, "connecting.md", "com-check"},
      {153, "connecting.md", "auto-config"},
      {154, "online.md", "online-dialog"},
      {155, "tables.md", "curve-selection"},
      {156, "curves.md", "samples"},
      {157, "notes.md", "notes"},
      {158, "curves.md", "import"},
  };
  return kTable;
}

HelpTopic TopicOfCommand(int commandId) { return ToTopic(Find(CommandTopics(), commandId)); }
HelpTopic TopicOfDialog(int templateId) { return ToTopic(Find(DialogTopics(), templateId)); }
bool HasCommandTopic(int commandId) { return Find(CommandTopics(), commandId) != nullptr; }
bool HasDialogTopic(int templateId) { return Find(DialogTopics(), templateId) != nullptr; }

HelpTopic TopicOfMainWindow() { return {"main-window.md", ""}; }
HelpTopic TopicOfChartWindow() { return {"chart.md", ""}; }

HelpTopic TopicOfTableWindow(int tableMode) {
  switch (tableMode) {
    case 0:
      return {"tables.md", "legend"};
    case 1:
      return {"tables.md", "extremes"};
    case 2:
      return {"tables.md", "value-list"};
    case 3:
      return {"tables.md", "curve-information"};
    default:
      return {"tables.md", ""};
  }
}

int DialogTemplateOfClass(const std::string& className) {
  static const std::pair<const char*, int> kClasses[] = {
      {"AboutBox", 100},         {"CReadoutDlg", 138},      {"CUnitsDlg", 139},
      {"CMarkerDlg", 140},       {"CTextDlg", 141},         {"CChartSetupDlg", 142},
      {"CCurvePropertiesDlg", 143}, {"CAxisDlg", 144},      {"CFilterDlg", 145},
      {"CSampleEditDlg", 146},   {"CCommSettingsDlg", 147}, {"CBasicSettingsDlg", 148},
      {"CFormulaDlg", 149},      {"StartPicture", 151},     {"CComCheckDlg", 152},
      {"CAutoConfigDlg", 153},   {"COnlineDlg", 154},       {"CurveSelectionDialog", 155},
      {"CSampleTableDlg", 156},  {"CNotesDlg", 157},        {"CImportDlg", 158},
  };
  const std::size_t colons = className.rfind("::");
  const std::string bare = colons == std::string::npos ? className : className.substr(colons + 2);
  for (const auto& [name, id] : kClasses) {
    if (bare == name) return id;
  }
  return 0;
}

}  // namespace vantrel::gui::help
