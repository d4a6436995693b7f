// The automatic configuration window: the search finds the simulated instrument, shows it
// and stores it with button 1045 only; nothing found; Cancel during the search.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>

#include "InstrumentTestSupport.h"
#include "app/ProductInfo.h"
#include "gui/app/CMainFrame.h"
#include "gui/instrument/CAutoConfigDlg.h"

namespace vantrel::testing {
namespace {

QPushButton* Button(QWidget& dialog, const QString& text) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

TEST(CAutoConfigDlg, FindsTheInstrumentAndStoresItWithTheAcceptButtonOnly) {
  sim::SimOptions options;
  options.hello = 'B';
  InstrumentApp setup(options, 3);
  ASSERT_TRUE(setup.Ready());
  app::SetPortNumber(setup.App().Profile(), 8);
  gui::CAutoConfigDlg dialog(setup.Frame().Context(), setup.App().Instrument(), &setup.Frame());
  dialog.show();
  QPushButton* store = dialog.findChild<QPushButton*>(QStringLiteral("control1045"));
  ASSERT_NE(store, nullptr);
  EXPECT_FALSE(store->isVisible());
  EXPECT_FALSE(store->isEnabled());
  SaveShot(dialog, QStringLiteral("auto_config_dialog"));

  dialog.accept();
  EXPECT_EQ(dialog.FoundPort(), 3);
  EXPECT_EQ(dialog.FoundBaudRate(), 1200);
  EXPECT_EQ(dialog.Status(),
            QStringLiteral("Gerät gefunden an COM3 mit 1200 Baud. Mit \"Übernehmen\" "
                           "werden diese Einstellungen gespeichert."));
  EXPECT_TRUE(store->isVisible());
  EXPECT_FALSE(Button(dialog, QStringLiteral("OK"))->isVisible());
  EXPECT_EQ(app::GetPortNumber(setup.App().Profile()), 8);  // not stored yet
  SaveShot(dialog, QStringLiteral("auto_config_found"));

  store->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(app::GetPortNumber(setup.App().Profile()), 3);
  EXPECT_EQ(app::GetBaudRate(setup.App().Profile()), 1200);
  EXPECT_EQ(setup.App().Instrument().Link().State(), 0);
}

TEST(CAutoConfigDlg, ReportsNothingFoundWhenNoPortAnswersAndKeepsOkDisabled) {
  sim::SimOptions options;
  options.hello = 'A';  // answers the check byte, not the connect byte
  InstrumentApp setup(options, 2);
  ASSERT_TRUE(setup.Ready());
  gui::CAutoConfigDlg dialog(setup.Frame().Context(), setup.App().Instrument(), &setup.Frame());
  dialog.show();
  dialog.accept();
  EXPECT_EQ(dialog.FoundPort(), 0);
  EXPECT_EQ(dialog.Status(),
            QStringLiteral("Es wurde kein Gerät gefunden. Bitte Kabel und Gerät prüfen."));
  EXPECT_FALSE(Button(dialog, QStringLiteral("OK"))->isEnabled());
  SaveShot(dialog, QStringLiteral("auto_config_nothing_found"));
  dialog.reject();
  EXPECT_EQ(app::GetPortNumber(setup.App().Profile()), 2);
}

TEST(CAutoConfigDlg, CancelDuringTheSearchEndsItQuicklyAndStoresNothing) {
  sim::SimOptions options;
  options.muteAfterBytes = 0;  // every try on port 5 waits a second for its answer
  InstrumentApp setup(options, 5);
  ASSERT_TRUE(setup.Ready());
  gui::CAutoConfigDlg dialog(setup.Frame().Context(), setup.App().Instrument(), &setup.Frame());
  dialog.show();
  // Cancel while the silent port 5 is tried: the try under way ends, the five after it and
  // ports 6..9 fail at once (how fast is measured in bench/).
  QTimer cancel;
  cancel.setInterval(5);
  QObject::connect(&cancel, &QTimer::timeout, &dialog, [&] {
    if (dialog.Status().startsWith(QStringLiteral("Suche an COM5 "))) {
      cancel.stop();
      dialog.reject();
    }
  });
  cancel.start();
  dialog.accept();
  EXPECT_FALSE(cancel.isActive()) << "port 5 was never tried";
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(dialog.FoundPort(), 0);
  EXPECT_FALSE(setup.App().Instrument().Link().CancelRequested());
}

}  // namespace
}  // namespace vantrel::testing
