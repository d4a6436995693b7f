// A group box of radio buttons from the language texts whose checked button is read and
// set as an index (0 for the first button, -1 while none is checked), as the settings
// dialogs keep their choices.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <initializer_list>

#include "app/BrandedTexts.h"

namespace vantrel::gui {

class RadioGroup {
 public:
  /// A group box captioned with control `captionId` of template `dialogId` holding one radio
  /// button per entry of `buttonIds` (labels from the same template, object names the
  /// control numbers), index 0 first.
  RadioGroup(const app::BrandedTexts& texts, int dialogId, int captionId,
             std::initializer_list<int> buttonIds, QWidget* parent);

  QGroupBox* Box() const { return box_; }
  /// The checked button's index, -1 when none is checked.
  int Index() const;
  /// Checks button `index`; any other index unchecks every button.
  void SetIndex(int index);

 private:
  QGroupBox* box_;
  QButtonGroup* group_;
};

}  // namespace vantrel::gui
