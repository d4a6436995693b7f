// The notes and sample commands of the main frame.
#include "gui/notes/NotesCommands.h"

#include "gui/app/CMainFrame.h"
#include "gui/chart/ChartFrames.h"
#include "gui/notes/CNotesDlg.h"
#include "gui/samples/SampleCommands.h"
#include "notes/NotesPrinter.h"

namespace vantrel::gui {

void InstallNotesAndSamples(CMainFrame& frame) {
  // Page 3 of every chart printout.
  SetNotesPagePrinter(frame, [&frame](platform::Canvas& canvas, OpenDocument& document,
                                      const std::function<void()>& nextSheet) {
    PrintDocumentNotes(canvas, document, nextSheet, NotesEditorWidthTwips(frame.Context()));
  });
  frame.RegisterCommand(kCmdChartNotes, [&frame] {
    if (OpenDocument* document = frame.Documents().ActiveDocument(); document != nullptr) {
      EditNotes(frame, *document);
    }
  });
  frame.RegisterCommand(kCmdChartSamples, [&frame] {
    if (OpenDocument* document = frame.Documents().ActiveDocument(); document != nullptr) {
      EditSamples(frame, *document);
    }
  });
}

bool EditNotes(CMainFrame& frame, OpenDocument& document) {
  model::CMessungObj* measurement = document.Measurement();
  if (measurement == nullptr) return false;
  const std::optional<std::vector<std::uint8_t>> before = measurement->GetNotes();
  CNotesDlg dialog(*measurement, frame.Context().texts, frame.Context().messages, &frame);
  dialog.exec();
  // Only a change of the stored notes is a change of the document.
  const bool changed = measurement->GetNotes() != before;
  if (changed) document.RecordStep(kCmdChartNotes);
  return changed;
}

int PrintDocumentNotes(platform::Canvas& canvas, OpenDocument& document,
                       const std::function<void()>& nextSheet, int editorWidthTwips) {
  const model::CMessungObj* measurement = document.Measurement();
  if (measurement == nullptr) return 0;
  return notes::PrintNotesPage(canvas, *measurement, nextSheet, editorWidthTwips);
}

int NotesEditorWidthTwips(const AppContext& context) {
  // The width does not depend on the text: an empty measurement serves.
  model::CMessungObj scratch;
  CNotesDlg dialog(scratch, context.texts, context.messages);
  return dialog.EditorWidthTwips();
}

}  // namespace vantrel::gui
