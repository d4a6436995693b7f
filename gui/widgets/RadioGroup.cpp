#include "gui/widgets/RadioGroup.h"

#include <QAbstractButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/widgets/DialogParts.h"

namespace vantrel::gui {

RadioGroup::RadioGroup(const app::BrandedTexts& texts, int dialogId, int captionId,
                       std::initializer_list<int> buttonIds, QWidget* parent)
    : box_(new QGroupBox(ControlLabel(texts, dialogId, captionId), parent)),
      group_(new QButtonGroup(box_)) {
  box_->setObjectName(QString::number(captionId));
  auto* layout = new QVBoxLayout(box_);
  int index = 0;
  for (const int id : buttonIds) {
    auto* button = new QRadioButton(ControlLabel(texts, dialogId, id), box_);
    button->setObjectName(QString::number(id));
    group_->addButton(button, index++);
    layout->addWidget(button);
  }
  layout->addStretch(1);  // buttons at the top when boxes of one row differ in height
}

int RadioGroup::Index() const { return group_->checkedId(); }

void RadioGroup::SetIndex(int index) {
  if (QAbstractButton* button = group_->button(index); button != nullptr) {
    button->setChecked(true);
    return;
  }
  // Unchecking the checked button of an exclusive group needs the group to let go of it.
  group_->setExclusive(false);
  for (QAbstractButton* button : group_->buttons()) button->setChecked(false);
  group_->setExclusive(true);
}

}  // namespace vantrel::gui
