// The time limits of the long tables, measured in the running program on the offscreen
// platform: the value table window of a curve of ten million samples opens and paints, moves
// to its last row and pages up fifty times; the sample table of such a curve opens. Each
// figure is printed with the worst of several runs against its limit. The window tests check
// what these windows show, not how fast.
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "LimitReport.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CVantrel40App.h"
#include "gui/samples/CSampleTableDlg.h"
#include "gui/tables/CLegende.h"
#include "gui/tables/CMyListFrame.h"
#include "gui/tables/ListWindows.h"
#include "gui/tables/RowWindowTable.h"
#include "model/CMessungObj.h"
#include "tables/ValueTable.h"

namespace {

using namespace vantrel;
using bench::MillisecondsOf;
using bench::ReportLimit;

constexpr long long kSamples = 10'000'000;
constexpr int kRuns = 3;

/// One curve of `samples` samples, 1 ms apart: sample i has minimum i, maximum i + 0.5 and
/// value i + 0.25.
std::unique_ptr<model::CMessungObj> LongMeasurement(long long samples) {
  auto m = std::make_unique<model::CMessungObj>();
  m->SetName(u"Dauerlauf", 9);
  m->AddYAxis();
  model::CKurveObj* curve = m->AddCurve();
  curve->SetName(u"Lang");
  curve->SetValueMode(model::kModeValue);
  curve->SetSampleInterval(0.001);
  auto& values = curve->MutableSamples();
  values.resize(static_cast<std::size_t>(samples));
  for (std::size_t i = 0; i < values.size(); ++i) {
    const float f = static_cast<float>(i);
    values[i] = {f, f + 0.5F, f + 0.25F};
  }
  return m;
}

/// The program started quietly with its profile, state and recovery folder in `folder`.
std::unique_ptr<gui::CVantrel40App> StartApp(const std::filesystem::path& folder) {
  setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
  setenv("XDG_STATE_HOME", folder.c_str(), 1);
  auto app = std::make_unique<gui::CVantrel40App>();
  gui::StartupOptions options;
  options.programDirectory = std::filesystem::path(VANTREL_BINARY_DIR) / "bin";
  options.startPicture = false;
  options.profilePath = folder / "profile.ini";
  options.recoveryFolder = folder / "recovery";
  if (!app->InitInstance(options, true)) return nullptr;
  return app;
}

/// A key pressed and released on `widget`, as the user types it.
void KeyClick(QWidget& widget, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(&widget, &release);
}

struct ValueTableTimes {
  double openMs = 0.0;
  double endMs = 0.0;
  double pagingMs = 0.0;
};

ValueTableTimes ValueTableRun(gui::CMainFrame& main, gui::OpenDocument& document) {
  ValueTableTimes times;
  gui::CMyListFrame* frame = nullptr;
  times.openMs = MillisecondsOf([&] {
    frame = gui::OpenListWindow(main, document, tables::kTableValues, {0});
    QApplication::processEvents();
  });
  if (frame == nullptr) return {1e9, 1e9, 1e9};
  gui::RowWindowTable& table = frame->View().Table();
  table.setFocus();
  times.endMs = MillisecondsOf([&] {
    KeyClick(table, Qt::Key_End);
    QApplication::processEvents();
  });
  times.pagingMs = MillisecondsOf([&] {
    for (int page = 0; page < 50; ++page) {
      KeyClick(table, Qt::Key_PageUp);
      table.viewport()->repaint();
    }
  });
  frame->parentWidget()->close();
  QApplication::processEvents();
  return times;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  QLocale::setDefault(QLocale::c());
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("vantrel-table-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  int status = 0;
  {
    auto app = StartApp(folder);
    if (app == nullptr) {
      std::fprintf(stderr, "table_window_bench: the program did not start\n");
      status = 1;
    } else {
      bench::ReportLoad();
      gui::CMainFrame& main = app->MainFrame();
      gui::OpenDocument* document = main.Documents().AddMeasurement(LongMeasurement(kSamples));
      QApplication::processEvents();  // the chart window of the document draws first
      ValueTableTimes worst;
      for (int run = 0; run < kRuns; ++run) {
        const ValueTableTimes times = ValueTableRun(main, *document);
        worst.openMs = std::max(worst.openMs, times.openMs);
        worst.endMs = std::max(worst.endMs, times.endMs);
        worst.pagingMs = std::max(worst.pagingMs, times.pagingMs);
      }
      bench::PrintLimit("value table of 10 M samples: open and paint", worst.openMs, kRuns, 250.0);
      bench::PrintLimit("value table of 10 M samples: to the last row", worst.endMs, kRuns, 500.0);
      bench::PrintLimit("value table of 10 M samples: 50 pages up painted", worst.pagingMs, kRuns,
                        1000.0);

      model::CKurveObj& curve = *document->Measurement()->GetCurve(0);
      ReportLimit("sample table of 10 M samples: open and paint", 1000.0, kRuns, [&] {
        return MillisecondsOf([&] {
          gui::CSampleTableDlg table(curve, main.Context().texts, main.Context().messages, ',', {});
          table.show();
          QApplication::processEvents();
        });
      });
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return status;
}
