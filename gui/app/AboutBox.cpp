#include "gui/app/AboutBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "gui/platform/QtServices.h"
#include "gui/widgets/ProgramIcon.h"

namespace vantrel::gui {

namespace {

/// The program's window icon at twice its size inside a frame with a dark-gray shadow on
/// the right and bottom.
class IconPicture final : public QWidget {
 public:
  explicit IconPicture(QWidget* parent) : QWidget(parent) { setFixedSize(2 * 32 + 8, 2 * 32 + 8); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, w - 4, h - 4);
    painter.fillRect(QRect(QPoint(w - 4, 4), QPoint(w - 1, h - 1)), Qt::darkGray);
    painter.fillRect(QRect(QPoint(4, h - 4), QPoint(w - 1, h - 1)), Qt::darkGray);
    // The icon picture has as many device pixels as the frame shows, so it stays sharp at
    // any device pixel ratio.
    const QRect target(2, 2, w - 8, h - 8);
    painter.drawPixmap(target,
                       QApplication::windowIcon().pixmap(target.size(), devicePixelRatioF()));
  }
};

}  // namespace

AboutBox::AboutBox(const app::ProductInfo& product, QWidget* parent) : QDialog(parent) {
  setWindowTitle(ToQString(product.applicationName + u"   " + product.version));
  auto* grid = new QGridLayout;
  grid->addWidget(new IconPicture(this), 0, 0, 8, 1, Qt::AlignTop);
  auto* title =
      new QLabel(ToQString(product.applicationName + u"   " + product.extendedVersion), this);
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 3);
  title->setFont(bold);
  grid->addWidget(title, 0, 1);
  // Like the maker's address lines, the telephone and fax lines show the product
  // information's values alone: those carry their own label ("Telefon 0000 ..."), so the
  // dialog's placeholder texts for these lines are not put in front of them.
  int row = 1;
  for (const std::u16string* line : {&product.manufacturerName, &product.division, &product.street,
                                     &product.town, &product.telephone, &product.fax}) {
    grid->addWidget(new QLabel(ToQString(*line), this), row++, 1);
  }
  grid->setColumnStretch(1, 1);
  grid->setHorizontalSpacing(16);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
}

}  // namespace vantrel::gui
