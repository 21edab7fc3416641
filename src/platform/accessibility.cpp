#include "platform/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QTimer>
#include <QtGlobal>
#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/control.h"
#include "platform/label.h"
#include "platform/surface.h"
#include "platform/widgets.h"

namespace starveil::platform {

namespace {

// The bridges given to surfaces in place of the platform's, for as long as each surface lives.
std::unordered_map<const QObject*, ScreenReaderBridge>& Bridges() {
  static std::unordered_map<const QObject*, ScreenReaderBridge> bridges;
  return bridges;
}

bool Listening(const QObject* surface) {
  return Bridges().contains(surface) || QAccessible::isActive();
}

void Tell(const QObject* surface, QAccessibleEvent& event) {
  const auto bridge = Bridges().find(surface);
  if (bridge != Bridges().end()) {
    bridge->second(event);
  } else {
    QAccessible::updateAccessibility(&event);
  }
}

// The surface behind `widget`, unless it is gone or already being taken apart.
const Surface* LiveSurface(QWidget* widget) {
  return dynamic_cast<const Surface*>(widget);
}

// Many screen readers speak only a label's name, so the name carries what the label reads too.
QString SpokenName(const Control& control) {
  const QString name = QString::fromStdString(control.AccessibleName());
  const QString reading = QString::fromStdString(control.AccessibleText());
  return reading.isEmpty() ? name : name + ": " + reading;
}

// A named control as assistive technology sees it. It holds the control only by address and
// trusts it only while the control still lies on its surface.
class ControlAccessible final : public QAccessibleInterface {
 public:
  ControlAccessible(Surface& surface, const Control& control)
      : surface_(&surface), control_(&control) {}

  bool isValid() const override { return Live() != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    return surface_ ? surface_->window()->windowHandle() : nullptr;
  }

  QAccessibleInterface* parent() const override {
    return surface_ ? QAccessible::queryAccessibleInterface(surface_) : nullptr;
  }
  QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
  QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    const Control* control = Live();
    if (!control) return {};
    switch (t) {
      case QAccessible::Name:
        return SpokenName(*control);
      case QAccessible::Description:
        return QString::fromStdString(control->AccessibleDescription());
      case QAccessible::Value:
        return QString::fromStdString(control->AccessibleText());
      default:
        return {};
    }
  }
  void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}

  // On the screen, as assistive technology measures everything.
  QRect rect() const override {
    const Control* control = Live();
    if (!control || !control->Visible() || !surface_->isVisible()) return {};
    const QRect pixels = PixelRect(control->Rect());
    return {surface_->mapToGlobal(pixels.topLeft()), pixels.size()};
  }

  QAccessible::Role role() const override {
    const Control* control = Live();
    if (!control) return QAccessible::NoRole;
    return dynamic_cast<const Label*>(control) ? QAccessible::StaticText : QAccessible::Graphic;
  }

  QAccessible::State state() const override {
    QAccessible::State state;
    const Control* control = Live();
    state.invisible = !control || !control->Visible() || !surface_->isVisible();
    return state;
  }

  const Control* Live() const {
    const Surface* surface = LiveSurface(surface_);
    if (!surface) return nullptr;
    const std::vector<Control*>& stack = surface->BackToFront();
    return std::ranges::find(stack, control_) != stack.end() ? control_ : nullptr;
  }

  QString told;  // the reading assistive technology last heard of

 private:
  QPointer<QWidget> surface_;
  const Control* control_;
};

// News of the game as a notification on its surface, seen by assistive technology only.
class NewsAccessible final : public QAccessibleInterface {
 public:
  NewsAccessible(QAccessibleInterface& surface, QString news)
      : surface_(&surface), news_(std::move(news)) {}

  bool isValid() const override { return true; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return surface_->window(); }
  QAccessibleInterface* parent() const override { return surface_; }
  QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
  QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? news_ : QString();
  }
  void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override { return {}; }

 private:
  QAccessibleInterface* surface_;  // outlives the news: it deletes it
  QString news_;
};

// A surface's own children (its windowed controls) come first, then its named lightweight
// controls, back to front.
class SurfaceAccessible final : public QAccessibleWidget {
 public:
  explicit SurfaceAccessible(Surface& surface)
      : QAccessibleWidget(&surface,
                          surface.isWindow() ? QAccessible::Window : QAccessible::Client) {}

  ~SurfaceAccessible() override {
    for (const auto& [control, id] : children_)
      QAccessible::deleteAccessibleInterface(id);
    if (news_) QAccessible::deleteAccessibleInterface(news_);
  }

  int childCount() const override {
    return QAccessibleWidget::childCount() + static_cast<int>(Named().size());
  }

  QAccessibleInterface* child(int index) const override {
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets) return QAccessibleWidget::child(index);
    const std::vector<const Control*> named = Named();
    const auto at = static_cast<std::size_t>(index - widgets);
    return at < named.size() ? For(*named[at]) : nullptr;
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* ours = dynamic_cast<const ControlAccessible*>(child);
    if (!ours) return QAccessibleWidget::indexOfChild(child);
    const std::vector<const Control*> named = Named();
    const auto it = std::ranges::find(named, ours->Live());
    if (it == named.end()) return -1;
    return QAccessibleWidget::childCount() + static_cast<int>(it - named.begin());
  }

  // Windowed controls lie above every lightweight one, and of each kind the later lies in front.
  QAccessibleInterface* childAt(int x, int y) const override {
    const int widgets = QAccessibleWidget::childCount();
    for (int i = widgets - 1; i >= 0; --i) {
      if (QAccessibleInterface* found = Under(i, x, y)) return found;
    }
    for (int i = childCount() - 1; i >= widgets; --i) {
      if (QAccessibleInterface* found = Under(i, x, y)) return found;
    }
    return nullptr;
  }

  // The name carries the reading; the controls offer no value to change, and a screen reader
  // told of a changed value asks for one.
  void AnnounceChangedReadings() {
    for (const Control* control : Named()) {
      ControlAccessible* child = For(*control);
      const QString reading = child->text(QAccessible::Value);
      if (reading == child->told) continue;
      child->told = reading;
      QAccessibleEvent nameChanged(child, QAccessible::NameChanged);
      Tell(widget(), nameChanged);
    }
  }

  void Announce(const QString& news) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent announcement(widget(), news);
    Tell(widget(), announcement);
#else
    // Without announcements, a notification that shows is what screen readers speak; each piece
    // of news is a notification of its own, so none is mistaken for one already heard.
    if (news_) QAccessible::deleteAccessibleInterface(news_);
    auto* notification = new NewsAccessible(*this, news);
    news_ = QAccessible::registerAccessibleInterface(notification);
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    Tell(widget(), shown);
#endif
  }

 private:
  QAccessibleInterface* Under(int index, int x, int y) const {
    QAccessibleInterface* candidate = child(index);
    return candidate && candidate->isValid() && candidate->rect().contains(x, y) ? candidate
                                                                                 : nullptr;
  }

  std::vector<const Control*> Named() const {
    std::vector<const Control*> named;
    const Surface* surface = LiveSurface(widget());
    if (!surface) return named;
    for (const Control* control : surface->BackToFront()) {
      if (!control->AccessibleName().empty()) named.push_back(control);
    }
    return named;
  }

  // One interface per control for as long as the surface's lasts, so its id stays the same.
  ControlAccessible* For(const Control& control) const {
    const auto known = children_.find(&control);
    if (known != children_.end()) {
      if (QAccessibleInterface* child = QAccessible::accessibleInterface(known->second))
        return static_cast<ControlAccessible*>(child);
    }
    auto* child = new ControlAccessible(*static_cast<Surface*>(widget()), control);
    // Assistive technology first hears of the control now, as it reads at this moment.
    child->told = child->text(QAccessible::Value);
    children_[&control] = QAccessible::registerAccessibleInterface(child);
    return child;
  }

  mutable std::unordered_map<const Control*, QAccessible::Id> children_;
  QAccessible::Id news_ = 0;
};

// The text box only gathers the game's keys: its text is whatever they typed into it, which
// nobody wants read out, so it tells its name and purpose only.
class KeysBoxAccessible final : public QAccessibleWidget {
 public:
  explicit KeysBoxAccessible(TextBox& box) : QAccessibleWidget(&box, QAccessible::EditableText) {}

  // It takes keys; it is not a read-only text.
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    return state;
  }
};

SurfaceAccessible* Of(Surface& surface) {
  return dynamic_cast<SurfaceAccessible*>(QAccessible::queryAccessibleInterface(&surface));
}

QAccessibleInterface* Factory(const QString& /*className*/, QObject* object) {
  if (auto* surface = dynamic_cast<Surface*>(object)) return new SurfaceAccessible(*surface);
  if (auto* box = dynamic_cast<TextBox*>(object)) return new KeysBoxAccessible(*box);
  return nullptr;
}

// Waits out the clock pause the game may be in, then tells the news.
void TellWhenFree(const QPointer<Surface>& surface, const QString& news) {
  constexpr int kRetryMs = 100;
  QTimer::singleShot(InsideAPause() ? kRetryMs : 0, surface, [surface, news] {
    if (InsideAPause()) return TellWhenFree(surface, news);
    if (!Listening(surface)) return;
    if (SurfaceAccessible* accessible = Of(*surface)) accessible->Announce(news);
  });
}

}  // namespace

void OpenToScreenReaders() {
  // Qt then joins the accessibility bus whenever the desktop has one, and tells a screen reader
  // only what it asks for, so the game costs nothing more without one.
  if (qEnvironmentVariableIsEmpty("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
}

void MakeAccessible(Surface& surface, ScreenReaderBridge bridge) {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
  if (bridge) {
    Bridges()[&surface] = std::move(bridge);
    QObject::connect(&surface, &QObject::destroyed, [&surface] { Bridges().erase(&surface); });
  }
  // Without a screen reader listening nothing is told, and the interfaces need not be made.
  surface.OnReadingChange([&surface] {
    if (!Listening(&surface)) return;
    if (SurfaceAccessible* accessible = Of(surface)) accessible->AnnounceChangedReadings();
  });
}

void Announce(Surface& surface, const std::string& news) {
  if (Listening(&surface)) TellWhenFree(&surface, QString::fromStdString(news));
}

}  // namespace starveil::platform
