// The start picture: "start.bmp" from the program directory, painted unscaled from its
// top-left corner, shown for 2.5 seconds while the program starts.
#pragma once

#include <QDialog>
#include <filesystem>

#include "chart/CDIB.h"

namespace vantrel::gui {

class StartPicture final : public QDialog {
  Q_OBJECT
 public:
  StartPicture(const std::filesystem::path& programDirectory, QWidget* parent);
  bool HasPicture() const { return bitmap_.IsLoaded(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  chart::CDIB bitmap_;
};

}  // namespace vantrel::gui
