// The about box: program name and version, the maker's address from the product
// information file, and the program icon (the application's window icon) in a shadowed frame.
#pragma once

#include <QDialog>

#include "app/ProductInfo.h"

namespace vantrel::gui {

class AboutBox final : public QDialog {
  Q_OBJECT
 public:
  explicit AboutBox(const app::ProductInfo& product, QWidget* parent = nullptr);
};

}  // namespace vantrel::gui
