// Helpers of the window tests: a started application with a private profile, pictures of
// widgets for looking at them, and answering the modal dialog that a step opens.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "gui/app/CVantrel40App.h"

namespace vantrel::testing {

/// The program directory of the build (language texts, mvdl4.ini, vantrel-sim).
std::filesystem::path ProgramDirectory();
/// A fresh folder for one test, removed with the object.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

/// Starts the application quietly with a private profile in `folder`.
std::unique_ptr<gui::CVantrel40App> StartApp(const TempFolder& folder, const std::string& language = "GER");

/// Saves a picture of `widget` to $VANTREL_SHOTS/<name>.png when VANTREL_SHOTS is set.
void SaveShot(QWidget& widget, const QString& name);

/// Runs `step`, which opens a modal dialog, and calls `answer` with the dialog once it is
/// shown (answer closes it).
void AnswerNextDialog(const std::function<void(QWidget&)>& answer);

}  // namespace vantrel::testing
