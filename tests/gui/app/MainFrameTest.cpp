#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QScrollBar>
#include <QWheelEvent>
#include <fstream>

#include "app/CommandIds.h"
#include "chart/ChartNavigation.h"
#include "document/MeasurementArchive.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/app/CMainFrame.h"
#include "gui/chart/CChildFrame.h"
#include "gui/tables/CMyListFrame.h"
#include "gui/tables/ListWindows.h"

namespace vantrel::testing {
namespace {

namespace fs = std::filesystem;

QStringList MenuTitles(QMainWindow& window) {
  QStringList titles;
  for (QAction* action : window.menuBar()->actions()) titles << action->text();
  return titles;
}

fs::path WriteArchive(const fs::path& path, const std::u16string& name) {
  model::CMessungObj m;
  m.SetName(name, 3);
  m.AddYAxis();
  model::CKurveObj* curve = m.AddCurve();
  for (int i = 0; i < 50; ++i) curve->AddSample(float(i), float(i + 1), 0.0F);
  document::SaveDocumentFile(path, m, 0);
  return path;
}

TEST(MainFrame, StartsWithTheBrandedTitleAndTheMainMenu) {
  TempFolder folder;
  auto app = StartApp(folder);
  ASSERT_NE(app, nullptr) << app->StartupError();
  gui::CMainFrame& frame = app->MainFrame();
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Vantrel   4.0"));
  const QStringList menus = MenuTitles(frame);
  EXPECT_TRUE(menus.contains(QStringLiteral("&Datei")));
  EXPECT_TRUE(menus.contains(QStringLiteral("E&xtras")));
  EXPECT_FALSE(menus.contains(QStringLiteral("&Diagramm")));
  EXPECT_TRUE(frame.WorkArea().subWindowList().isEmpty());  // no document at start
  SaveShot(frame, QStringLiteral("main_frame_empty"));
}

TEST(MainFrame, StartFailsWithoutLanguageTextsOrProductInformation) {
  TempFolder folder;
  gui::StartupOptions options;
  options.programDirectory = folder.Path();
  options.startPicture = false;
  options.profilePath = folder.Path() / "profile.ini";
  {
    gui::CVantrel40App app;
    EXPECT_FALSE(app.InitInstance(options, true));
    EXPECT_EQ(app.StartupError(), "Resource-DLL not found");
  }
  fs::create_directories(folder.Path() / "lang_res");
  fs::copy_file(ProgramDirectory() / "lang_res" / "GER.txt",
                folder.Path() / "lang_res" / "GER.txt");
  std::ofstream(folder.Path() / "mvdl4.ini") << "[Application]\nName=Vantrel\n";  // keys missing
  {
    gui::CVantrel40App app;
    EXPECT_FALSE(app.InitInstance(options, true));
    EXPECT_EQ(app.StartupError(), "ini-File not found");
  }
}

/// The program started with a private profile.
class MainFrameTest : public AppTest {};

TEST_F(MainFrameTest, OpeningADocumentShowsItsChartWithTheDocumentMenuAndRecentEntry) {
  gui::CMainFrame& frame = Frame();
  const fs::path file = WriteArchive(folder_.Path() / "Nr_2.vqb", u"Nr_2");
  frame.OpenFile(QString::fromStdString(file.string()));
  ASSERT_EQ(frame.WorkArea().subWindowList().size(), 1);
  EXPECT_TRUE(MenuTitles(frame).contains(QStringLiteral("&Diagramm")));
  EXPECT_TRUE(frame.windowTitle().contains(QStringLiteral("Nr_2.vqb")));
  ASSERT_FALSE(frame.Documents().RecentFiles().empty());
  EXPECT_EQ(fs::path(frame.Documents().RecentFiles().front()).filename(), "Nr_2.vqb");
  // Opening the same file again shows the open document.
  frame.OpenFile(QString::fromStdString(file.string()));
  EXPECT_EQ(frame.WorkArea().subWindowList().size(), 1);
  SaveShot(frame, QStringLiteral("main_frame_document"));
}

TEST_F(MainFrameTest, TableWindowsShowTheDocumentMenuWithTheChartCommandsDisabled) {
  gui::CMainFrame& frame = Frame();
  const fs::path file = WriteArchive(folder_.Path() / "Nr_2.vqb", u"Nr_2");
  frame.OpenFile(QString::fromStdString(file.string()));
  gui::OpenDocument* document = frame.Documents().ActiveDocument();
  ASSERT_NE(document, nullptr);
  auto* chart = frame.WorkArea().activeSubWindow();
  ASSERT_NE(chart, nullptr);
  ASSERT_TRUE(gui::ToggleLegend(frame, *document));
  gui::CMyListFrame* legend = gui::FindLegend(*document);
  ASSERT_NE(legend, nullptr);
  auto enabled = [&frame](int id) {
    const auto& actions = frame.Menus().ActionsOf(id);
    return !actions.empty() && actions.front()->isEnabled();
  };
  struct Case {
    const char* name;
    QMdiSubWindow* window;
    bool chartCommands;
  };
  const Case cases[] = {{"legend", qobject_cast<QMdiSubWindow*>(legend->parentWidget()), false},
                        {"chart", chart, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NE(c.window, nullptr);
    frame.WorkArea().setActiveSubWindow(c.window);
    frame.RefreshMenus();
    EXPECT_TRUE(MenuTitles(frame).contains(QStringLiteral("&Fenster")));
    // The document commands stay, with their shortcut.
    for (int id : {ids::kCmdSave, ids::kCmdSaveAs, ids::kCmdClose, ids::kCmdCascade}) {
      SCOPED_TRACE(id);
      EXPECT_TRUE(enabled(id));
    }
    ASSERT_FALSE(frame.Menus().ActionsOf(ids::kCmdSave).empty());
    EXPECT_EQ(frame.Menus().ActionsOf(ids::kCmdSave).front()->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+S")));
    // Commands of the chart window: chart setup, title text, zoom, print, CSV export.
    for (int id : {ids::kCmdChartSetup, ids::kCmdTitleText, ids::kCmdZoomBox, ids::kCmdPrint,
                   ids::kCmdExportCsv}) {
      SCOPED_TRACE(id);
      EXPECT_EQ(enabled(id), c.chartCommands);
    }
  }
}

TEST(MainFrame, AFileNameThatIsNotUtf8IsShownReadablyAndReopensFromTheRecentList) {
  TempFolder folder;
  const fs::path file = WriteArchive(folder.Path() / "Pr\374fung.vqb", u"P");
  {
    auto app = StartApp(folder);
    ASSERT_NE(app, nullptr);
    app->MainFrame().OpenFile(file);
    ASSERT_EQ(app->MainFrame().Documents().Documents().size(), 1U);
    EXPECT_TRUE(app->MainFrame().windowTitle().contains(QStringLiteral("Pr\uFFFDfung.vqb")));
  }
  auto app = StartApp(folder);
  ASSERT_NE(app, nullptr);
  const std::vector<fs::path> recent = app->MainFrame().Documents().RecentFiles();
  ASSERT_FALSE(recent.empty());
  EXPECT_EQ(recent.front(), file);
  app->MainFrame().OpenFile(recent.front());
  EXPECT_EQ(app->MainFrame().Documents().Documents().size(), 1U);
}

TEST_F(MainFrameTest, CancellingTheSaveQueryOfCloseAllKeepsEveryDocumentOpen) {
  gui::CMainFrame& frame = Frame();
  frame.OpenFile(QString::fromStdString(WriteArchive(folder_.Path() / "a.vqb", u"A").string()));
  frame.OpenFile(QString::fromStdString(WriteArchive(folder_.Path() / "b.vqb", u"B").string()));
  ASSERT_EQ(frame.Documents().Documents().size(), 2U);
  frame.Documents().Documents().front()->UpdateAllViews();  // a change
  ModalScript modals;
  modals.ThenAnswer([](QWidget& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    ASSERT_NE(box, nullptr);
    box->button(QMessageBox::Cancel)->click();
  });
  frame.ExecuteCommand(gui::kCmdCloseAll);
  EXPECT_EQ(frame.Documents().Documents().size(), 2U);
  modals.ThenAnswer([](QWidget& dialog) {
    qobject_cast<QMessageBox*>(&dialog)->button(QMessageBox::No)->click();
  });
  frame.ExecuteCommand(gui::kCmdCloseAll);
  EXPECT_TRUE(frame.Documents().Documents().empty());
}

TEST_F(MainFrameTest, NeverSavedInstrumentDataAsksBeforeItsWindowClosesAndOnExit) {
  gui::CMainFrame& frame = Frame();
  auto measurement = std::make_unique<model::CMessungObj>();
  measurement->SetName(u"Nr_4", 4);
  gui::OpenDocument* readout = frame.Documents().AddMeasurement(std::move(measurement));
  ASSERT_NE(readout, nullptr);
  ASSERT_FALSE(readout->Doc().IsModified());
  ModalScript modals;
  const auto answer = [&modals](QMessageBox::StandardButton button, QString* text) {
    modals.ThenAnswer([button, text](QWidget& dialog) {
      auto* box = qobject_cast<QMessageBox*>(&dialog);
      ASSERT_NE(box, nullptr);
      *text = box->text();
      box->button(button)->click();
    });
  };

  QString asked;
  answer(QMessageBox::Cancel, &asked);
  readout->Windows().front()->close();
  EXPECT_TRUE(asked.contains(QStringLiteral("Nr_4"))) << asked.toStdString();
  ASSERT_EQ(frame.Documents().Documents().size(), 1U);

  asked.clear();
  answer(QMessageBox::Cancel, &asked);
  frame.ExecuteCommand(gui::kCmdExit);
  EXPECT_FALSE(asked.isEmpty()) << "exit asks too";
  ASSERT_EQ(frame.Documents().Documents().size(), 1U);

  asked.clear();
  answer(QMessageBox::No, &asked);
  frame.ExecuteCommand(gui::kCmdExit);
  EXPECT_FALSE(asked.isEmpty());
  EXPECT_TRUE(frame.Documents().Documents().empty());
}

TEST(MainFrame, AboutBoxShowsTheTelephoneAndFaxValuesWithTheirLabelOnce) {
  for (const std::string language : {"GER", "ENG"}) {
    SCOPED_TRACE(language);
    TempFolder folder;
    auto app = StartApp(folder, language);
    ASSERT_NE(app, nullptr);
    QStringList lines;
    ModalScript modals;
    modals.ThenAnswer([&lines, language](QWidget& dialog) {
      for (QLabel* label : dialog.findChildren<QLabel*>()) lines << label->text();
      SaveShot(dialog, QStringLiteral("about_box_") + QString::fromStdString(language));
      qobject_cast<QDialog*>(&dialog)->reject();
    });
    app->MainFrame().ExecuteCommand(gui::kCmdAbout);
    EXPECT_TRUE(lines.contains(QStringLiteral("Telefon 0000 000000")))
        << lines.join(u'|').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Fax 0000 000001")))
        << lines.join(u'|').toStdString();
    for (const QString& line : lines) {
      EXPECT_FALSE(line.contains(QStringLiteral(": Telefon")) ||
                   line.contains(QStringLiteral(": Fax")))
          << line.toStdString();
    }
  }
}

TEST_F(MainFrameTest, InstrumentDocumentsWithoutANameAreTitledMessungAndTheirNumber) {
  gui::CMainFrame& frame = Frame();
  auto named = std::make_unique<model::CMessungObj>();
  named->SetName(u"Nr_1", 1);
  gui::OpenDocument* first = frame.Documents().AddMeasurement(std::move(named));
  gui::OpenDocument* second =
      frame.Documents().AddMeasurement(std::make_unique<model::CMessungObj>());
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->Doc().GetTitle(), u"Nr_1");
  // Every new document of the template counts, as its default titles do.
  EXPECT_EQ(second->Doc().GetTitle(), u"Messung2");
  ASSERT_FALSE(second->Windows().empty());
  EXPECT_EQ(second->Windows().front()->windowTitle(), QStringLiteral("Messung2"));
}

TEST_F(MainFrameTest, PrinterSetupChoosesForTheSharedPrinterWithoutPrinting) {
  gui::CMainFrame& frame = Frame();
  QPrinter& printer = app_->Printer();
  const QString output = QString::fromStdString((folder_.Path() / "setup.pdf").string());
  printer.setOutputFileName(output);
  QString title;
  ModalScript modals;
  modals.ThenAnswer([&](QWidget& widget) {
    auto* dialog = qobject_cast<QPrintDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->printer(), &printer);  // later printouts use what is chosen here
    title = dialog->windowTitle();
    dialog->accept();
  });
  frame.ExecuteCommand(gui::kCmdPrintSetup);
  EXPECT_EQ(title, QStringLiteral("Druckereinrichtung"));
  EXPECT_FALSE(fs::exists(folder_.Path() / "setup.pdf"));  // OK prints nothing
}

/// Opens `name` (an archive written into `folder`) in `frame`; the chart window.
QMdiSubWindow* OpenChart(gui::CMainFrame& frame, const TempFolder& folder,
                         const std::string& name) {
  const fs::path file = WriteArchive(folder.Path() / name, u"Messung");
  frame.OpenFile(QString::fromStdString(file.string()));
  return frame.WorkArea().activeSubWindow();
}

/// The program with "Nr_2.vqb" open in a chart window of a shown 900 x 600 main window.
class MainFrameWithChart : public MainFrameTest {
 protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    if (HasFatalFailure()) return;
    Frame().resize(900, 600);
    Frame().show();
    chart_ = OpenChart(Frame(), folder_, "Nr_2.vqb");
    ASSERT_NE(chart_, nullptr);
    document_ = Frame().Documents().ActiveDocument();
    name_ = gui::ToQString(document_->Doc().GetTitle());
  }

  QMdiSubWindow* chart_ = nullptr;
  gui::OpenDocument* document_ = nullptr;
  QString name_;
};

TEST(MainFrame, MenuEntriesAndToolbarButtonsFollowTheActiveWindow) {
  for (const std::string language : {"GER", "ENG"}) {
    SCOPED_TRACE(language);
    TempFolder folder;
    auto app = StartApp(folder, language);
    ASSERT_NE(app, nullptr);
    gui::CMainFrame& frame = app->MainFrame();
    frame.resize(900, 600);
    frame.show();
    auto button = [&frame](int id) {
      QAction* action = frame.ToolbarAction(id);
      return action != nullptr && action->isEnabled();
    };
    auto entry = [&frame](int id) {
      const auto& actions = frame.Menus().ActionsOf(id);
      return !actions.empty() && actions.front()->isEnabled();
    };
    // The toolbar's document buttons: save, copy, print, chart setup, zoom, zoom reset,
    // markers, legend.
    const int documentButtons[] = {ids::kCmdSave,         ids::kCmdCopyChart,   ids::kCmdPrint,
                                   ids::kCmdChartSetup,   ids::kCmdZoomBox,     ids::kCmdZoomReset,
                                   ids::kCmdChartMarkers, ids::kCmdLegendToggle};
    const int alwaysButtons[] = {ids::kCmdOpen, ids::kCmdReadMemory, ids::kCmdOnlineStart,
                                 ids::kCmdOnlineStop, ids::kCmdAbout};
    for (int id : documentButtons) EXPECT_FALSE(button(id)) << "no document " << id;
    for (int id : alwaysButtons) EXPECT_TRUE(button(id)) << "no document " << id;
    for (int id : {ids::kCmdOpen, ids::kCmdPrintSetup, ids::kCmdExit, ids::kCmdToolbar,
                   ids::kCmdStatusBar, ids::kCmdBasicSettings, ids::kCmdAbout})
      EXPECT_TRUE(entry(id)) << id;
    SaveShot(frame, QStringLiteral("main_frame_no_document_") + QString::fromStdString(language));

    QMdiSubWindow* chart = OpenChart(frame, folder, "Nr_2.vqb");
    ASSERT_NE(chart, nullptr);
    for (int id : documentButtons) EXPECT_TRUE(button(id)) << "chart " << id;
    for (int id : {ids::kCmdClose, ids::kCmdSave, ids::kCmdSaveAs, ids::kCmdCloseAll,
                   ids::kCmdNewWindow, ids::kCmdArrange, ids::kCmdCascade, ids::kCmdTileHorizontal,
                   ids::kCmdTileVertical, ids::kCmdDeleteCurves, ids::kCmdZoomBox})
      EXPECT_TRUE(entry(id)) << "chart " << id;
    // Nothing to move or delete: the annotation commands wait for an annotation.
    for (int id : {ids::kCmdTextMove, ids::kCmdTextDelete, ids::kCmdLineDelete})
      EXPECT_FALSE(entry(id)) << "chart " << id;

    // The legend's button carries the check mark of its menu entry.
    frame.ExecuteCommand(ids::kCmdLegendToggle);
    gui::CMyListFrame* legend = gui::FindLegend(*frame.Documents().ActiveDocument());
    ASSERT_NE(legend, nullptr);
    frame.WorkArea().setActiveSubWindow(chart);
    EXPECT_TRUE(frame.ToolbarAction(ids::kCmdLegendToggle)->isChecked());
    frame.WorkArea().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(legend->parentWidget()));
    for (int id : {ids::kCmdPrint, ids::kCmdChartSetup, ids::kCmdZoomBox, ids::kCmdZoomReset,
                   ids::kCmdChartMarkers, ids::kCmdLegendToggle, ids::kCmdCopyChart})
      EXPECT_FALSE(button(id)) << "legend " << id;
    EXPECT_TRUE(button(ids::kCmdSave));  // the document's own commands stay
    EXPECT_TRUE(entry(ids::kCmdSave));
    EXPECT_TRUE(entry(ids::kCmdNewWindow));
    EXPECT_FALSE(
        frame.ToolbarAction(ids::kCmdLegendToggle)->isChecked());  // no state where nothing runs it
    SaveShot(frame, QStringLiteral("main_frame_legend_active_") + QString::fromStdString(language));
    // The window title is drawn by the window system: a picture of its text to look at.
    chart->showMaximized();
    QApplication::processEvents();
    QLabel title(frame.windowTitle());
    title.setMargin(6);
    title.adjustSize();
    SaveShot(title,
             QStringLiteral("main_frame_title_maximised_") + QString::fromStdString(language));
    EXPECT_TRUE(frame.windowTitle().endsWith(QStringLiteral(":1]")));
  }
}

TEST_F(MainFrameWithChart, TitlesNameTheDocumentOnceAndTheMaximisedWindowInBrackets) {
  gui::CMainFrame& frame = Frame();
  QMdiSubWindow* chart = chart_;
  gui::OpenDocument& document = *document_;
  const QString& name = name_;
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Vantrel   4.0 - ") + name);
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Vantrel"));

  // Unsaved changes are marked once, in the window's own title only.
  document.UpdateAllViews(true);
  EXPECT_EQ(chart->windowTitle(), name + QStringLiteral("*"));
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Vantrel   4.0 - ") + name);

  chart->showMaximized();
  QApplication::processEvents();
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Vantrel   4.0 - [%1*]").arg(name));
  SaveShot(frame, QStringLiteral("main_frame_maximised_chart"));

  // A second window numbers both; the maximised window's number shows.
  frame.ExecuteCommand(ids::kCmdNewWindow);
  QMdiSubWindow* second = frame.WorkArea().activeSubWindow();
  ASSERT_NE(second, chart);
  EXPECT_FALSE(chart->isMaximized());  // new windows open in their own place
  second->showMaximized();
  QApplication::processEvents();
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Vantrel   4.0 - [%1*:2]").arg(name));
  document.Doc().SetModifiedFlag(false);
  document.RefreshViews();
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Vantrel   4.0 - [%1:2]").arg(name));

  second->showNormal();
  QApplication::processEvents();
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Vantrel   4.0 - ") + name);
  EXPECT_FALSE(frame.windowTitle().contains(QStringLiteral("[")));
}

TEST_F(MainFrameWithChart, NewWindowShowsTheDocumentTwiceAndClosingOneKeepsTheDocument) {
  gui::CMainFrame& frame = Frame();
  QMdiSubWindow* first = chart_;
  gui::OpenDocument& document = *document_;
  const QString& name = name_;
  frame.ExecuteCommand(ids::kCmdNewWindow);
  ASSERT_EQ(document.Windows().size(), 2U);
  QMdiSubWindow* second = document.Windows().back();
  EXPECT_EQ(frame.WorkArea().activeSubWindow(), second);
  EXPECT_EQ(first->windowTitle(), name + QStringLiteral(":1"));
  EXPECT_EQ(second->windowTitle(), name + QStringLiteral(":2"));
  auto* secondChart = qobject_cast<gui::CChildFrame*>(document.FrameOf(second));
  auto* firstChart = qobject_cast<gui::CChildFrame*>(document.FrameOf(first));
  ASSERT_NE(secondChart, nullptr);
  ASSERT_NE(firstChart, nullptr);
  for (int i = 0; i < 3; ++i) QApplication::processEvents();

  // A change in one window shows in both.
  document.Measurement()->SetName(u"Umbenannt", -1);
  document.UpdateAllViews(true);
  firstChart->RepaintNow();
  secondChart->RepaintNow();
  ASSERT_EQ(firstChart->size(), secondChart->size());
  ASSERT_FALSE(firstChart->View().Picture().isNull());
  EXPECT_EQ(firstChart->View().Picture(), secondChart->View().Picture())
      << "both draw the document";
  // Zooming in one window moves the scroll bars of the other.
  QWidget& surface = firstChart->View().Surface();
  QWheelEvent wheel(surface.rect().center(), surface.mapToGlobal(surface.rect().center()), QPoint(),
                    QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&surface, &wheel);
  EXPECT_EQ(document.Measurement()->GetXZoom(), 1.25);
  EXPECT_EQ(secondChart->View().horizontalScrollBar()->maximum(), 25);
  SaveShot(frame, QStringLiteral("main_frame_two_chart_windows"));

  // Each window zooms around the pointer in its own plot, whichever window painted last.
  second->resize(second->width() / 2, second->height() / 2);
  firstChart->RepaintNow();
  secondChart->RepaintNow();
  const platform::Rect plot = firstChart->View().OwnPlot();
  ASSERT_NE(plot, document.Measurement()->GetPlotRect());
  const QPoint pointer(plot.left + plot.Width() * 3 / 4, plot.top + 10);
  auto timeAt = [&] {
    return chart::PixelToNormalized({pointer.x(), pointer.y()}, plot,
                                    chart::ZoomOf(*document.Measurement()))
        .x;
  };
  const double before = timeAt();
  QWheelEvent zoomIn(pointer, surface.mapToGlobal(pointer), QPoint(), QPoint(0, 120), Qt::NoButton,
                     Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&surface, &zoomIn);
  EXPECT_EQ(document.Measurement()->GetXZoom(), 1.25 * 1.25);
  EXPECT_NEAR(timeAt(), before, 1.0 / (plot.Width() * 1.25 * 1.25));

  // Closing one of them asks nothing and keeps the document with the other.
  EXPECT_TRUE(document.Doc().IsModified());
  second->close();
  QApplication::processEvents();
  ASSERT_EQ(frame.Documents().Documents().size(), 1U);
  ASSERT_EQ(document.Windows().size(), 1U);
  EXPECT_EQ(first->windowTitle(), name + QStringLiteral("*"));
}

}  // namespace
}  // namespace vantrel::testing
