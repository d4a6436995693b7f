#include "gui/help/HelpTopics.h"

#include <algorithm>
#include <utility>

#include "app/CommandIds.h"

namespace vantrel::gui::help {
namespace {

const TopicEntry* Find(const std::vector<TopicEntry>& table, int id) {
  auto it =
      std::find_if(table.begin(), table.end(), [id](const TopicEntry& e) { return e.id == id; });
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
      {ids::kCmdOpen, "files.md", "open"},
      {ids::kCmdClose, "files.md", "close"},
      {ids::kCmdCloseAll, "files.md", "close"},
      {ids::kCmdSave, "files.md", "save"},
      {ids::kCmdSaveAs, "files.md", "save"},
      {ids::kCmdRecentFile, "files.md", "recent-files"},
      {ids::kCmdExit, "files.md", "exit"},
      {ids::kCmdExportCsv, "export.md", "csv"},
      {ids::kCmdPrint, "printing.md", "print"},
      {ids::kCmdPrintDirect, "printing.md", "print"},
      {ids::kCmdPrintPreview, "printing.md", "preview"},
      {ids::kCmdPrintSetup, "printing.md", "print-setup"},
      // Edit
      {ids::kCmdUndo, "chart.md", "undo"},
      {ids::kCmdRedo, "chart.md", "undo"},
      {ids::kCmdCopyChart, "export.md", "clipboard"},
      // Instrument
      {ids::kCmdReadMemory, "readout.md", "readout"},
      {ids::kCmdOnlineStart, "online.md", "start"},
      {ids::kCmdOnlineStop, "online.md", "stop"},
      // Chart
      {ids::kCmdChartSetup, "chart-setup.md", "chart-setup"},
      {ids::kCmdUnits, "settings.md", "units"},
      {ids::kCmdZoomBox, "chart.md", "zoom"},
      {ids::kCmdZoomReset, "chart.md", "zoom"},
      {ids::kCmdChartMarkers, "chart.md", "markers"},
      {ids::kCmdTitleText, "chart.md", "title"},
      {ids::kCmdTitleToggle, "chart.md", "title"},
      {ids::kCmdLegendToggle, "tables.md", "legend"},
      {ids::kCmdTextPlace, "chart.md", "texts"},
      {ids::kCmdTextMove, "chart.md", "texts"},
      {ids::kCmdTextDelete, "chart.md", "texts"},
      {ids::kCmdLineDraw, "chart.md", "lines"},
      {ids::kCmdLineDelete, "chart.md", "lines"},
      {ids::kCmdChartNotes, "notes.md", "notes"},
      {ids::kCmdCursorDown, "chart.md", "keyboard"},
      {ids::kCmdCursorUp, "chart.md", "keyboard"},
      {ids::kCmdCursorLeft, "chart.md", "keyboard"},
      {ids::kCmdCursorRight, "chart.md", "keyboard"},
      {ids::kCmdCursorClick, "chart.md", "keyboard"},
      // Curves
      {ids::kCmdFormulaCurve, "formulas.md", "formula-dialog"},
      {ids::kCmdImportCurve, "curves.md", "import"},
      {ids::kCmdChartFilterCurve, "curves.md", "filter"},
      {ids::kCmdChartSamples, "curves.md", "samples"},
      {ids::kCmdDeleteCurves, "curves.md", "delete"},
      // Values
      {ids::kCmdValuesByInterval, "tables.md", "value-list"},
      {ids::kCmdExtremes, "tables.md", "extremes"},
      {ids::kCmdCurveInformation, "tables.md", "curve-information"},
      // View
      {ids::kCmdToolbar, "main-window.md", "toolbar"},
      {ids::kCmdStatusBar, "main-window.md", "status-bar"},
      // Extras
      {ids::kCmdCommSettings, "connecting.md", "comm-settings"},
      {ids::kCmdComCheck, "connecting.md", "com-check"},
      {ids::kCmdAutoConfig, "connecting.md", "auto-config"},
      {ids::kCmdBasicSettings, "settings.md", "basic-settings"},
      // Window
      {ids::kCmdNewWindow, "main-window.md", "window-menu"},
      {ids::kCmdArrange, "main-window.md", "window-menu"},
      {ids::kCmdCascade, "main-window.md", "window-menu"},
      {ids::kCmdTileHorizontal, "main-window.md", "window-menu"},
      {ids::kCmdTileVertical, "main-window.md", "window-menu"},
      // Help
      {ids::kCmdHelpTopics, "main-window.md", "help"},
      {ids::kCmdHelpTopicsAlternative, "main-window.md", "help"},
      {ids::kCmdHelp, "main-window.md", "help"},
      {ids::kCmdContextHelp, "main-window.md", "help"},
      {ids::kCmdAbout, "main-window.md", "about"},
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
      {"AboutBox", 100},
      {"CReadoutDlg", 138},
      {"CUnitsDlg", 139},
      {"CMarkerDlg", 140},
      {"CTextDlg", 141},
      {"CChartSetupDlg", 142},
      {"CCurvePropertiesDlg", 143},
      {"CAxisDlg", 144},
      {"CFilterDlg", 145},
      {"CSampleEditDlg", 146},
      {"CCommSettingsDlg", 147},
      {"CBasicSettingsDlg", 148},
      {"CFormulaDlg", 149},
      {"StartPicture", 151},
      {"CComCheckDlg", 152},
      {"CAutoConfigDlg", 153},
      {"COnlineDlg", 154},
      {"CurveSelectionDialog", 155},
      {"CSampleTableDlg", 156},
      {"CNotesDlg", 157},
      {"CImportDlg", 158},
  };
  const std::size_t colons = className.rfind("::");
  const std::string bare = colons == std::string::npos ? className : className.substr(colons + 2);
  for (const auto& [name, id] : kClasses) {
    if (bare == name) return id;
  }
  return 0;
}

}  // namespace vantrel::gui::help
