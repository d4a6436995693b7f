// The automatic configuration dialog (template 153): OK searches ports 1 to 9 at the six
// baud rates for an instrument, showing each try; button 1045 stores what was found.
// Cancel, also during the search, stores nothing.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "gui/app/AppContext.h"
#include "gui/instrument/InstrumentAccess.h"
#include "instrument/TransferObserver.h"

namespace vantrel::gui {

class CAutoConfigDlg final : public QDialog, public instrument::TransferObserver {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 153;
  static constexpr int kAcceptButton = 1045;
  static constexpr int kStatusControl = 1089;

  CAutoConfigDlg(AppContext& context, InstrumentAccess& instrument, QWidget* parent);
  ~CAutoConfigDlg() override;

  QString Status() const { return status_->text(); }
  /// What the search found (0 before, or when nothing answered).
  int FoundPort() const { return portNumber_; }
  int FoundBaudRate() const { return baudRate_; }

  void PumpMessages() override;

 public slots:
  /// OK: runs the search.
  void accept() override;
  /// Cancel: ends a running search, stores nothing.
  void reject() override;

 private:
  /// Button 1045: stores the port and baud rate found and closes with OK.
  void Store();

  AppContext& context_;
  InstrumentAccess& instrument_;
  QLabel* status_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* store_ = nullptr;
  int portNumber_ = 0;
  int baudRate_ = 0;
  bool searching_ = false;
  bool cancelled_ = false;
};

}  // namespace vantrel::gui
