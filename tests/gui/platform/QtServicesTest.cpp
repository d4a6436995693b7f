// The file dialog services: the type list of the save dialog (a description that already
// names its pattern is shown once) and the type list of the open dialog.
#include <gtest/gtest.h>

#include <QFileDialog>

#include "document/CVantrel40Doc.h"
#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
#include "gui/app/DocumentTemplates.h"
#include "gui/platform/QtServices.h"

namespace vantrel::testing {
namespace {

TEST(FileFilterText, NamesThePatternOnce) {
  struct Case {
    const char* description;
    const char* pattern;
    const char* expected;
  };
  const Case cases[] = {
      {"Gerätedaten (*.vqa)", "*.vqa", "Gerätedaten (*.vqa)"},
      {"Vantrel-Dokumente (*.vqb)", "*.vqb", "Vantrel-Dokumente (*.vqb)"},
      {"Textdateien", "*.csv", "Textdateien (*.csv)"},
      {"Gerätedaten (*.vqa)", "*.vqb", "Gerätedaten (*.vqa) (*.vqb)"},
      {"", "*.csv", " (*.csv)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(gui::FileFilterText(QString::fromUtf8(c.description), QString::fromUtf8(c.pattern)),
              QString::fromUtf8(c.expected));
  }
}

class FileDialogsTest : public AppTest {};

TEST_F(FileDialogsTest, SaveDialogShowsTheDocumentFilterOnce) {
  QStringList shown;
  ModalScript modals;
  modals.ThenAnswer([&shown](QWidget& widget) {
    auto* dialog = qobject_cast<QFileDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    shown = dialog->nameFilters();
    dialog->reject();
  });
  gui::QtFileDialogs dialogs(&Frame());
  platform::SaveFileRequest request;
  request.filterDescription = Texts().Text(document::kStrImportedFilter);
  request.pattern = u"*.vqa";
  request.defaultExtension = u"vqa";
  request.initialName = folder_.Path() / "Pumpe.vqa";
  EXPECT_FALSE(dialogs.AskSaveFileName(request).has_value());
  EXPECT_EQ(shown, QStringList{QStringLiteral("Gerätedaten (*.vqa)")});
}

TEST_F(FileDialogsTest, OpenDialogListsAllDocumentsEachTypeAndAllFiles) {
  const gui::DocumentTemplates templates(Texts());
  const QStringList filters = templates.OpenFilters();
  ASSERT_GE(filters.size(), 3);
  EXPECT_TRUE(filters.front().contains(QStringLiteral("*.vqb")));
  EXPECT_TRUE(filters.contains(QStringLiteral("Gerätedaten (*.vqa)")));
  EXPECT_EQ(filters.back(), QStringLiteral("Alle Dateien (*.*)"));
  for (const QString& filter : filters) {
    SCOPED_TRACE(filter.toStdString());
    EXPECT_EQ(filter.count(QLatin1Char('(')), 1);
  }
}

}  // namespace
}  // namespace vantrel::testing
