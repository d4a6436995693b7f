#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <fstream>

#include "document/MeasurementArchive.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/app/CMainFrame.h"
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
  fs::copy_file(ProgramDirectory() / "lang_res" / "GER.txt", folder.Path() / "lang_res" / "GER.txt");
  std::ofstream(folder.Path() / "mvdl4.ini") << "[Application]\nName=Vantrel\n";  // keys missing
  {
    gui::CVantrel40App app;
    EXPECT_FALSE(app.InitInstance(options, true));
    EXPECT_EQ(app.StartupError(), "ini-File not found");
  }
}

/// The program started with a private profile.
class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = StartApp(folder_);
    ASSERT_NE(app_, nullptr);
  }
  gui::CMainFrame& Frame() { return app_->MainFrame(); }

  TempFolder folder_;
  std::unique_ptr<gui::CVantrel40App> app_;
};

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
    for (int id : {57603, 57604, 57602, 57650}) {
      SCOPED_TRACE(id);
      EXPECT_TRUE(enabled(id));
    }
    ASSERT_FALSE(frame.Menus().ActionsOf(57603).empty());
    EXPECT_EQ(frame.Menus().ActionsOf(57603).front()->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+S")));
    // Commands of the chart window: chart setup, title text, zoom, print, CSV export.
    for (int id : {32779, 32785, 32789, 57607, 32810}) {
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
    EXPECT_TRUE(lines.contains(QStringLiteral("Telefon 0000 000000"))) << lines.join(u'|').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Fax 0000 000001"))) << lines.join(u'|').toStdString();
    for (const QString& line : lines) {
      EXPECT_FALSE(line.contains(QStringLiteral(": Telefon")) || line.contains(QStringLiteral(": Fax")))
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

}  // namespace
}  // namespace vantrel::testing
