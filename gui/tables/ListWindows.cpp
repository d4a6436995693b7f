#include "gui/tables/ListWindows.h"

#include <QDateTime>
#include <QLocale>
#include <QMdiSubWindow>

#include "gui/app/CMainFrame.h"
#include "gui/platform/QtServices.h"
#include "gui/tables/CMyListFrame.h"
#include "gui/tables/CurveSelectionDialog.h"
#include "tables/TableContents.h"
#include "tables/ValueTable.h"

namespace vantrel::gui {

tables::TextConventions UserTextConventions() {
  const QLocale locale;
  tables::TextConventions conventions;
  const QString point = locale.decimalPoint();
  if (point.size() == 1 && point.at(0).unicode() > 0x20 && point.at(0).unicode() < 0x7F) {
    conventions.decimalSeparator = point.at(0).toLatin1();
  }
  conventions.dateTime = [locale](platform::TimeStamp stamp) {
    const QDateTime time = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(stamp));
    if (!time.isValid()) return std::u16string();
    return FromQString(locale.toString(time.date(), QLocale::ShortFormat) + QStringLiteral(" ") +
                       time.time().toString(QStringLiteral("HH:mm:ss")));
  };
  return conventions;
}

std::optional<std::vector<int>> AskCurveSelection(QWidget* parent, const AppContext& context,
                                                  const model::CMessungObj& measurement) {
  CurveSelectionDialog dialog(measurement, context.texts, UserTextConventions(), parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Selection();
}

CMyListFrame* OpenListWindow(CMainFrame& main, OpenDocument& document, int tableMode,
                             std::vector<int> selection) {
  AppContext& context = main.Context();
  auto* frame = new CMyListFrame(document, tableMode, std::move(selection), context.texts,
                                 &context.messages, UserTextConventions());
  QMdiSubWindow* window = context.documents.ShowFrame(document, frame);
  frame->AttachWindow(window);
  return frame;
}

CMyListFrame* FindLegend(const OpenDocument& document) {
  for (QMdiSubWindow* window : document.Windows()) {
    auto* frame = qobject_cast<CMyListFrame*>(document.FrameOf(window));
    if (frame != nullptr && frame->TableMode() == tables::kTableLegend) return frame;
  }
  return nullptr;
}

bool IsLegendShown(const OpenDocument& document) { return FindLegend(document) != nullptr; }

bool ToggleLegend(CMainFrame& main, OpenDocument& document) {
  if (CMyListFrame* legend = FindLegend(document); legend != nullptr) {
    for (QMdiSubWindow* window : document.Windows()) {
      if (document.FrameOf(window) != legend) continue;
      document.RemoveWindow(window);
      main.WorkArea().removeSubWindow(window);
      window->deleteLater();
    }
    main.RefreshMenus();
    return false;
  }
  if (document.Measurement() == nullptr) return false;
  OpenListWindow(main, document, tables::kTableLegend, {});
  return true;
}

int OpenValueTables(CMainFrame& main, OpenDocument& document) {
  const model::CMessungObj* measurement = document.Measurement();
  if (measurement == nullptr) return 0;
  const auto selection = AskCurveSelection(&main, main.Context(), *measurement);
  if (!selection || selection->empty()) return 0;
  int opened = 0;
  for (std::vector<int>& group : tables::GroupByInterval(*measurement, *selection)) {
    OpenListWindow(main, document, tables::kTableValues, std::move(group));
    ++opened;
  }
  return opened;
}

CMyListFrame* OpenExtremesTable(CMainFrame& main, OpenDocument& document) {
  if (document.Measurement() == nullptr) return nullptr;
  return OpenListWindow(main, document, tables::kTableExtremes, {});
}

CMyListFrame* OpenInformationSheet(CMainFrame& main, OpenDocument& document) {
  const model::CMessungObj* measurement = document.Measurement();
  if (measurement == nullptr) return nullptr;
  const auto selection = AskCurveSelection(&main, main.Context(), *measurement);
  if (!selection || selection->empty()) return nullptr;
  return OpenListWindow(main, document, tables::kTableInformation, *selection);
}

}  // namespace vantrel::gui
