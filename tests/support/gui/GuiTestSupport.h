// Helpers of the window tests: a started application with a private profile, pictures of
// widgets for looking at them, and waiting in the event loop for a condition. Modal windows
// are answered with ModalScript.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "PollUntil.h"
#include "TempFolder.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CVantrel40App.h"
#include "gui/platform/QtServices.h"

namespace vantrel::testing {

/// The program directory of the build (language texts, mvdl4.ini, vantrel-sim).
std::filesystem::path ProgramDirectory();

/// Starts the application quietly with a private profile in `folder`.
std::unique_ptr<gui::CVantrel40App> StartApp(const TempFolder& folder,
                                             const std::string& language = "GER");

/// A started application in the "C" number convention (tests that need the German one pass
/// ',' to the dialogs themselves).
class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  gui::CMainFrame& Frame() { return app_->MainFrame(); }
  gui::AppContext& Context() { return Frame().Context(); }
  const app::BrandedTexts& Texts() { return Context().texts; }
  QString Text(int id) { return gui::ToQString(Texts().Text(id)); }

  TempFolder folder_;
  std::unique_ptr<gui::CVantrel40App> app_;
};

/// Saves a picture of `widget` to $VANTREL_SHOTS/<name>.png when VANTREL_SHOTS is set.
void SaveShot(QWidget& widget, const QString& name);

/// Processes events until `condition` holds (returns true at once then) or `boundMs` has
/// passed; the bound is generous, only there so that a broken test fails instead of hanging.
bool WaitUntil(const std::function<bool()>& condition,
               int boundMs = static_cast<int>(kPatience.count()));

}  // namespace vantrel::testing
