#include "platform/message_box.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "desktop/last_frame.h"
#include "desktop/title_bar.h"
#include "desktop/wayland_modal.h"
#include "platform/window.h"

namespace starveil::platform {

namespace {

// Room on either side of a title bar's text for three buttons and their spacing, in lines of the
// title's font: as wide as the title bars Qt draws for Wayland windows, and openbox's, need them.
constexpr int kTitleBarButtonsInLines = 7;

// A title bar shows the buttons and cuts the title off where they begin; the one Qt draws for
// Wayland windows, as under GNOME, centres the title across the bar too. A box no wider than its
// text would show little or none of its title. Widened, the box shows it whole.
void LeaveRoomForTheTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
  const int width =
      title.horizontalAdvance(box.windowTitle()) + 2 * kTitleBarButtonsInLines * title.height();
  grid->addItem(new QSpacerItem(width, 0), grid->rowCount(), 0, 1, grid->columnCount());
}

// Natively on Wayland the box goes only once its last frame has been answered.
class AnsweredBox final : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

  void done(int result) override {
    desktop::AfterTheLastFrame(*this, [this, result] {
      if (isVisible()) QMessageBox::done(result);
    });
  }
};

}  // namespace

void WindowMessageBox::Show(const std::string& text) {
  if (owner_.IsUnloaded()) return;
  // The box answered last goes now, long off the screen; the one answered now stays until the
  // next, or until the game ends, as Qt's thread may still be finishing with its native window.
  delete answered_;
  auto* box = new AnsweredBox(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle),
                              QString::fromStdString(text), QMessageBox::Ok, &owner_);
  LeaveRoomForTheTitle(*box);
  if (desktop::TitleBarOfOurOwn()) desktop::AddTitleBar(*box);
  desktop::MarkModalOnWayland(*box);
  box->exec();
  answered_ = box;
  // A window manager hands the focus back to the window when the box goes; with none, nothing
  // does, and the player's next keys would go nowhere.
  if (owner_.isVisible()) owner_.activateWindow();
}

}  // namespace starveil::platform
