// The port check window: an instrument that answers the check byte, one that does not, and
// a port that cannot be opened.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>

#include "InstrumentTestSupport.h"
#include "gui/app/CMainFrame.h"
#include "gui/instrument/CComCheckDlg.h"

namespace vantrel::testing {
namespace {

QPushButton* OkButton(QWidget& dialog) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == QStringLiteral("OK")) return button;
  }
  return nullptr;
}

TEST(CComCheckDlg, ShowsWhetherTheInstrumentAnsweredAndTheNextOkCloses) {
  struct Case {
    char hello;
    const char* status;
    const char* shot;
  };
  const Case cases[] = {
      {'A', "Die Verbindung zum Gerät ist in Ordnung.", "port_check_answered"},
      {'B', "Das Gerät antwortet nicht. Bitte Kabel, Schnittstelle und Baudrate prüfen.",
       "port_check_no_answer"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hello);
    sim::SimOptions options;
    options.hello = c.hello;
    InstrumentApp setup(options, 1);
    ASSERT_TRUE(setup.Ready());
    gui::CComCheckDlg dialog(setup.Frame().Context(), setup.App().Instrument(), &setup.Frame());
    dialog.show();
    EXPECT_TRUE(
        dialog.Status().startsWith(QStringLiteral("Verbinden Sie das Trevanometrix-Gerät")));
    if (c.hello == 'A') SaveShot(dialog, QStringLiteral("port_check_dialog"));
    dialog.accept();
    EXPECT_EQ(dialog.Status(), QString::fromUtf8(c.status));
    EXPECT_TRUE(OkButton(dialog)->isEnabled());
    EXPECT_TRUE(dialog.isVisible());
    SaveShot(dialog, QString::fromLatin1(c.shot));
    EXPECT_EQ(setup.App().Instrument().Link().State(), 0);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
  }
}

TEST(CComCheckDlg, APortThatCannotBeOpenedLeavesOkDisabled) {
  sim::SimOptions options;
  InstrumentApp setup(options, 1);
  ASSERT_TRUE(setup.Ready());
  setup.App().Ports().SetOverride(1, MissingDevice(1));
  gui::CComCheckDlg dialog(setup.Frame().Context(), setup.App().Instrument(), &setup.Frame());
  dialog.show();
  int asked = 0;
  ModalScript script([&](QWidget& modal) {
    ++asked;
    // Retry once, then give up.
    return PressMessageButton(modal, asked == 1 ? QMessageBox::Retry : QMessageBox::Cancel);
  });
  dialog.accept();
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(OkButton(dialog)->isEnabled());
  EXPECT_EQ(dialog.Status(), QStringLiteral("Die Verbindung wird geprüft ..."));
  dialog.reject();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace vantrel::testing
