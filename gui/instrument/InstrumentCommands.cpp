#include "gui/instrument/InstrumentCommands.h"

#include <QApplication>

#include "gui/app/CMainFrame.h"
#include "gui/instrument/CAutoConfigDlg.h"
#include "gui/instrument/CComCheckDlg.h"
#include "gui/instrument/CCommSettingsDlg.h"
#include "gui/instrument/COnlineDlg.h"
#include "gui/instrument/CReadoutDlg.h"

namespace vantrel::gui {
namespace {

/// The commands pass the block protocol and the field format.
constexpr int kCommandVariant = 0;

void ReadMemory(CMainFrame& frame, InstrumentAccess& instrument) {
  std::vector<std::unique_ptr<model::CMessungObj>> measurements;
  {
    CReadoutDlg dialog(frame.Context(), instrument, kCommandVariant, &frame);
    if (dialog.exec() != QDialog::Accepted) return;
    measurements = dialog.TakeMeasurements();
  }
  // One document per measurement in instrument order, each saved at once: it has no file
  // name yet, so saving asks for one.
  DocumentManager& documents = frame.Documents();
  for (auto& measurement : measurements) {
    OpenDocument* document = documents.AddMeasurement(std::move(measurement));
    if (document != nullptr) documents.Save(*document, false);
  }
}

void StartOnline(CMainFrame& frame, InstrumentAccess& instrument) {
  COnlineDlg dialog(frame.Context(), instrument, kCommandVariant, &frame);
  if (!dialog.Start()) return;
  if (dialog.exec() != QDialog::Accepted) return;
  // The recording goes on in the document's measurement.
  if (auto measurement = dialog.TakeMeasurement(); measurement != nullptr) {
    frame.Documents().AddMeasurement(std::move(measurement));
  }
}

void StopOnline(CMainFrame& frame, InstrumentAccess& instrument) {
  model::CMessungObj* recorded = instrument.Online().Measurement();
  instrument.Online().Stop(true);
  if (recorded == nullptr) return;
  for (const auto& document : frame.Documents().Documents()) {
    if (document->Measurement() == recorded) document->RefreshViews();
  }
}

/// Samples a recording moved into a measurement are no undo step: the next step starts after
/// them. While a dialog is open its change in progress belongs to the next step, so the
/// start stays.
void NoteRecordedSamples(CMainFrame& frame, const model::CMessungObj* recorded) {
  if (QApplication::activeModalWidget() != nullptr) return;
  for (const auto& document : frame.Documents().Documents()) {
    if (recorded == nullptr || document->Measurement() == recorded) {
      document->Doc().NoteChangeWithoutStep();
    }
  }
}

}  // namespace

void InstallInstrumentCommands(CMainFrame& frame) {
  InstrumentAccess* instrument = frame.Context().instrument;
  if (instrument == nullptr) return;
  frame.RegisterCommand(kCmdReadMemory, [&frame, instrument] { ReadMemory(frame, *instrument); });
  frame.RegisterCommand(kCmdOnlineStart, [&frame, instrument] { StartOnline(frame, *instrument); });
  frame.RegisterCommand(kCmdOnlineStop, [&frame, instrument] { StopOnline(frame, *instrument); });
  frame.RegisterCommand(kCmdCommSettings, [&frame, instrument] {
    CCommSettingsDlg dialog(frame.Context(), *instrument, &frame);
    dialog.exec();
  });
  frame.RegisterCommand(kCmdComCheck, [&frame, instrument] {
    CComCheckDlg dialog(frame.Context(), *instrument, &frame);
    dialog.exec();
  });
  frame.RegisterCommand(kCmdAutoConfig, [&frame, instrument] {
    CAutoConfigDlg dialog(frame.Context(), *instrument, &frame);
    dialog.exec();
  });
  QObject::connect(&instrument->Online(), &OnlineSession::SamplesArrived, &frame,
                   [&frame, instrument] {
                     if (const model::CMessungObj* recorded = instrument->Online().Measurement()) {
                       NoteRecordedSamples(frame, recorded);
                     }
                   });
  // The last samples arrive as the recording ends; then every document takes its state.
  QObject::connect(&instrument->Online(), &OnlineSession::Ended, &frame,
                   [&frame] { NoteRecordedSamples(frame, nullptr); });
  // A measurement being recorded stops receiving before its document goes.
  frame.Documents().SetDestroyHook([instrument](OpenDocument& document) {
    if (instrument->Online().Records(document.Measurement())) instrument->Online().Stop();
  });
}

}  // namespace vantrel::gui
