// The memory readout dialog (template 138): the prompt to connect the instrument, OK starts
// the transfer of every stored measurement with a progress bar and the running number,
// Cancel during the transfer asks the link to stop. The dialog owns the measurements it made
// until the caller takes them; only completely transferred ones are kept.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <memory>
#include <vector>

#include "gui/app/AppContext.h"
#include "gui/instrument/InstrumentAccess.h"
#include "instrument/ReadoutList.h"
#include "instrument/TransferObserver.h"

namespace vantrel::gui {

class CReadoutDlg final : public QDialog, public instrument::TransferObserver {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 138;
  static constexpr int kProgressControl = 1000;
  static constexpr int kTextControl = 1001;

  /// `variant` 0 reads the block protocol, others the legacy text protocol.
  CReadoutDlg(AppContext& context, InstrumentAccess& instrument, int variant, QWidget* parent);
  ~CReadoutDlg() override;

  /// The completely transferred measurements in instrument order; the list is empty after.
  std::vector<std::unique_ptr<model::CMessungObj>> TakeMeasurements();
  bool Transferring() const { return transferring_; }

  // What the transfer tells the dialog.
  void PumpMessages() override;
  void SetProgressRange(int low, int high) override;
  void AdvanceProgress() override;
  void ShowRunningNumber(int number) override;

 public slots:
  /// OK: runs the transfer, then closes with OK.
  void accept() override;
  /// Cancel: during a transfer asks it to stop; otherwise closes.
  void reject() override;

 private:
  AppContext& context_;
  InstrumentAccess& instrument_;
  int variant_;
  QLabel* text_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  instrument::ReadoutList list_;
  bool transferring_ = false;
};

}  // namespace vantrel::gui
