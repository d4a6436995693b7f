// The port check dialog (template 152): OK opens the configured port, sends the check byte
// and shows whether the instrument answered; the next OK closes the dialog.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "gui/app/AppContext.h"
#include "gui/instrument/InstrumentAccess.h"

namespace vantrel::gui {

class CComCheckDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 152;
  static constexpr int kStatusControl = 1089;

  CComCheckDlg(AppContext& context, InstrumentAccess& instrument, QWidget* parent);

  QString Status() const { return status_->text(); }

 public slots:
  /// Phase 0: runs the check; afterwards closes with OK.
  void accept() override;
  void reject() override;

 private:
  AppContext& context_;
  InstrumentAccess& instrument_;
  QLabel* status_ = nullptr;
  QPushButton* ok_ = nullptr;
  int phase_ = 0;
  bool checking_ = false;
};

}  // namespace vantrel::gui
