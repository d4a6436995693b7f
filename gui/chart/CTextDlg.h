// The text dialog (template 141): a text of at most 40 characters and, when the caller
// presets one, a text size in points in an editable list. It serves the chart title and new
// text annotations; the caller interprets the size text. A visible size field that holds
// no number is refused on OK with the language library's standard "enter a number" message.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include "app/BrandedTexts.h"

namespace vantrel::gui {

class CTextDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplate = 141;
  static constexpr int kTextEdit = 1019;
  static constexpr int kSizeCombo = 1080;
  static constexpr int kMaxTextLength = 40;

  /// Presets `text` and `sizeText`; an empty size text hides the size field.
  CTextDlg(const app::BrandedTexts& texts, const QString& text, const QString& sizeText,
           QWidget* parent = nullptr);

  QString Text() const { return text_->text(); }
  QString SizeText() const { return size_->currentText(); }
  QLineEdit& TextField() { return *text_; }
  QComboBox& SizeField() { return *size_; }

  void accept() override;

 private:
  const app::BrandedTexts& texts_;
  QLineEdit* text_ = nullptr;
  QComboBox* size_ = nullptr;
  QLabel* sizeLabel_ = nullptr;
};

/// The size text of the dialog as a point size: its leading decimal digits, kept within
/// 1 .. 999 (text without digits gives 1) so that every text stays visible and no font grows
/// beyond what a device can measure.
int ReadTextSize(const QString& sizeText);

/// Whether the size text starts with a number (blanks and a sign before its digits).
bool HoldsTextSize(const QString& sizeText);

}  // namespace vantrel::gui
