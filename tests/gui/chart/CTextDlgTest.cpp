// The text dialog: the size field only with a preset size, the 40-character limit and the
// reading of the size text.
#include <gtest/gtest.h>

#include "gui/GuiTestSupport.h"
#include "gui/chart/CTextDlg.h"

namespace vantrel::testing {
namespace {

TEST(CTextDlg, TitleWithoutPresetSizeHidesTheSizeField) {
  TempFolder folder;
  auto app = StartApp(folder);
  ASSERT_NE(app, nullptr);
  gui::CTextDlg title(app->Texts(), QStringLiteral("Messung 1"), QString());
  title.show();
  EXPECT_FALSE(title.SizeField().isVisible());
  EXPECT_EQ(title.windowTitle(), QStringLiteral("Text"));
  SaveShot(title, QStringLiteral("chart_text_dialog_title"));

  gui::CTextDlg text(app->Texts(), QString(), QStringLiteral("10"));
  text.show();
  EXPECT_TRUE(text.SizeField().isVisible());
  text.TextField().setText(QString(60, QLatin1Char('x')));
  EXPECT_EQ(text.Text().size(), 40);
}

TEST(CTextDlg, SizeTextIsReadAsLeadingDigitsWithinOneTo999) {
  const std::pair<const char*, int> cases[] = {{"10", 10}, {" 14 ", 14}, {"12pt", 12},
                                               {"abc", 1}, {"", 1},      {"0", 1},
                                               {"-5", 1},  {"999", 999}, {"123456789012345", 999}};
  for (const auto& [text, size] : cases) {
    EXPECT_EQ(gui::ReadTextSize(QString::fromLatin1(text)), size) << text;
  }
}

}  // namespace
}  // namespace vantrel::testing
