// The comm settings dialog (template 147): the stored port number and baud rate as texts,
// stored on OK; buttons for the port check and the automatic configuration, whose result is
// shown again when that dialog stored one. Below the values, the serial ports that exist on
// this computer with their device paths and port numbers (port 33 is /dev/ttyUSB0).
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <vector>

#include "app/PortMap.h"
#include "gui/app/AppContext.h"
#include "gui/instrument/InstrumentAccess.h"
#include "platform/TextSource.h"

namespace vantrel::gui {

class CCommSettingsDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 147;
  static constexpr int kPortEdit = 1051;
  static constexpr int kBaudEdit = 1052;
  static constexpr int kCheckButton = 1053;
  static constexpr int kAutoConfigButton = 1086;

  CCommSettingsDlg(AppContext& context, InstrumentAccess& instrument, QWidget* parent);

  /// The number a settings text stands for: at most its first 20 characters, leading blanks
  /// and a sign allowed, read up to the first character that is not a digit; 0 when it does
  /// not start with a number. Values beyond the int range are cut to it.
  static int ReadNumber(const QString& text);

  /// The list of present ports as shown: a title line, then "COM<n>  <path>" per device
  /// (the path alone for a device no number reaches), or the "none found" line.
  static QString PresentPortsText(const platform::TextSource& texts,
                                  const std::vector<app::PortMap::PresentPort>& ports);

 public slots:
  /// Stores both values and closes with OK.
  void accept() override;

 private:
  /// Fills both texts from the stored values.
  void ShowStoredValues();
  void OpenPortCheck();
  void OpenAutoConfig();

  AppContext& context_;
  InstrumentAccess& instrument_;
  QLineEdit* port_ = nullptr;
  QLineEdit* baud_ = nullptr;
};

}  // namespace vantrel::gui
