// The start picture: "start.bmp" from the data folder, shown at its size in units for 2.5
// seconds while the program starts.
#pragma once

#include <QDialog>
#include <QImage>
#include <filesystem>

#include "chart/CDIB.h"

namespace vantrel::gui {

class StartPicture final : public QDialog {
  Q_OBJECT
 public:
  StartPicture(const std::filesystem::path& dataFolder, QWidget* parent);
  bool HasPicture() const { return !picture_.isNull(); }
  /// The bitmap's pixels, one per unit.
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace vantrel::gui
