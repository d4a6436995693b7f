// Working a window as a user does: numbered controls (the object name is the control
// number), typing, choosing list entries with the keyboard, clicking after the current
// event, and answering message boxes and file choices.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <filesystem>

namespace vantrel::testing {

/// The control with number `id` below `parent`; null when there is none.
template <typename T>
T* Control(QWidget& parent, int id) {
  return parent.findChild<T*>(QString::number(id));
}

/// Clicks `button` once the current event has been handled (for answers of modal windows).
void ClickLater(QAbstractButton& button);
/// Clicks the button with number `id` below `parent` later.
void ClickLater(QWidget& parent, int id);

/// Replaces the text of `edit` by typing `text`.
void Retype(QLineEdit& edit, const QString& text);
/// Moves the selection of `combo` to `index` with the arrow keys.
void ChooseEntry(QComboBox& combo, int index);
/// Opens the list of `combo` and confirms the entry already shown, as a user who picks the
/// same entry again.
void ChooseShownEntryAgain(QComboBox& combo);
/// Types `text`; characters beyond ASCII arrive as key events that carry just their text
/// (QTest's key clicks know ASCII only).
void TypeText(QWidget* widget, const QString& text);

/// Presses the standard button `button` of a message box; false when `modal` is none.
bool PressMessageButton(QWidget& modal, int button);
/// Chooses `path` in a file dialog and accepts it; false when `modal` is none.
bool ChooseFile(QWidget& modal, const std::filesystem::path& path);

}  // namespace vantrel::testing
