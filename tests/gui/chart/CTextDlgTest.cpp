// The text dialog: the size field only with a preset size, the 40-character limit and the
// reading of the size text, and the refusal of a size that is no number.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>

#include "gui/GuiTestSupport.h"
#include "gui/ModalScript.h"
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
  for (const char* text : {"10", " 14 ", "12pt", "0", "-5", "+7"}) {
    EXPECT_TRUE(gui::HoldsTextSize(QString::fromLatin1(text))) << text;
  }
  for (const char* text : {"abc", "", "  ", "-", "pt12"}) {
    EXPECT_FALSE(gui::HoldsTextSize(QString::fromLatin1(text))) << text;
  }
}

TEST(CTextDlg, SizeThatIsNoNumberIsRefusedWithTheEnterANumberMessage) {
  TempFolder folder;
  auto app = StartApp(folder);
  ASSERT_NE(app, nullptr);
  gui::CTextDlg dialog(app->Texts(), QStringLiteral("Ventil"), QStringLiteral("10"));
  dialog.show();
  dialog.SizeField().setEditText(QStringLiteral("abc"));
  QString shown;
  ModalScript modals;
  modals.ThenAnswer([&shown](QWidget& widget) {
    auto* box = qobject_cast<QMessageBox*>(&widget);
    ASSERT_NE(box, nullptr);
    shown = box->text();
    box->button(QMessageBox::Ok)->click();
  });
  dialog.accept();
  EXPECT_EQ(shown, QStringLiteral("Bitte geben Sie eine Zahl ein."));
  EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open for a correction";
  EXPECT_NE(dialog.result(), QDialog::Accepted);

  dialog.SizeField().setEditText(QStringLiteral("12"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(gui::ReadTextSize(dialog.SizeText()), 12);

  // The chart title has no size field: nothing to check.
  gui::CTextDlg title(app->Texts(), QStringLiteral("Messung 1"), QString());
  title.show();
  title.accept();
  EXPECT_EQ(title.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace vantrel::testing
