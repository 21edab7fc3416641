#include "support/screen_check.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <sstream>

#include "platform/surface.h"
#include "window/frm_main.h"

namespace starveil::testing {

namespace {

constexpr int kPicturesKept = 3;  // a fault repeats at every comparison: its first show is enough
constexpr int kExposureGraceMs = 5000;  // many times what a busy machine takes

// Whatever repaint the window still owes: the changes noted for the next turn of the event loop,
// and the updates Qt has queued.
void PaintPending() {
  platform::Surface::PaintNotedChanges();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// Other windows of the program that lie over this one, in its device pixels: what the screen shows
// there is theirs, or nothing at all where the server keeps no pixels for covered parts.
QRegion Covered(QWidget& window) {
  QRegion covered;
  const qreal scale = window.devicePixelRatioF();
  for (QWidget* other : QApplication::topLevelWidgets()) {
    if (other == &window || !other->isVisible()) continue;
    const QRect over = other->frameGeometry().translated(-window.geometry().topLeft());
    covered += QRect((over.topLeft().toPointF() * scale).toPoint(),
                     (over.size().toSizeF() * scale).toSize());
  }
  return covered;
}

void Add(ScreenCheck::Names& names, const platform::Control& control, const std::string& name) {
  names[&control] = name;
}

template <class Array>
void AddArray(ScreenCheck::Names& names, const Array& array, const std::string& name) {
  for (int i = array.LBound(); i <= array.UBound(); ++i) {
    if (array.Contains(i)) Add(names, array[i], name + "(" + std::to_string(i) + ")");
  }
}

}  // namespace

ScreenCheck::ScreenCheck(Reader reader) : reader_(std::move(reader)) {}

QImage ScreenCheck::FlushedByQt(QWidget& window) {
  return window.screen()->grabWindow(window.winId()).toImage();
}

ScreenCheck::Names ScreenCheck::DesignNames(frmMain& frm) {
  Names names;
  Add(names, frm.Image1, "Image1");
  AddArray(names, frm.Label1, "Label1");
  Add(names, frm.lblPoints, "lblPoints");
  Add(names, frm.lblLevel, "lblLevel");
  Add(names, frm.Label2, "Label2");
  Add(names, frm.Shape1, "Shape1");
  Add(names, frm.SH, "SH");
  const std::pair<const game::SpritePool*, const char*> pools[] = {
      {&frm.M, "M"}, {&frm.K, "K"}, {&frm.MI, "MI"}, {&frm.R, "R"},   {&frm.A, "A"},
      {&frm.B, "B"}, {&frm.C, "C"}, {&frm.D, "D"},   {&frm.SE, "SE"}, {&frm.Lives, "Lives"}};
  for (const auto& [pool, name] : pools)
    AddArray(names, *pool, name);
  return names;
}

std::string ScreenCheck::Compare(QWidget& window, const Names& names) {
  PaintPending();
  // A window not yet on the screen shows nothing to compare.
  if (!window.windowHandle() || !window.windowHandle()->isExposed()) return {};
  ++comparisons_;
  shown_ = reader_(window);
  if (shown_.isNull()) return "the screen's pixels of the window could not be read";
  shown_ = shown_.convertToFormat(QImage::Format_RGB32);

  const qreal scale = window.devicePixelRatioF();
  if (fresh_.size() != shown_.size()) fresh_ = QImage(shown_.size(), QImage::Format_RGB32);
  fresh_.setDevicePixelRatio(scale);
  if (QSizeF(window.size()) * scale != QSizeF(fresh_.size())) {
    std::ostringstream out;
    out << "the screen shows " << shown_.width() << "x" << shown_.height()
        << " pixels of a window of " << window.width() << "x" << window.height() << " at scale "
        << scale;
    return out.str();
  }
  window.render(&fresh_);

  // Once another window has gone, an X server shows nothing of this one where it lay until the
  // program has repainted there, on the exposure the server sends it: those places are left out
  // for a little while longer.
  if (coveredLately_.isValid() && coveredLately_.elapsed() > kExposureGraceMs) coveredMore_ = {};
  QRegion covered = Covered(window);
  if (!covered.isEmpty()) {
    coveredMore_ = covered;
    coveredLately_.start();
  }
  covered += coveredMore_;
  QRegion differing;
  for (int y = 0; y < shown_.height(); ++y) {
    const auto* shown = reinterpret_cast<const QRgb*>(shown_.constScanLine(y));
    const auto* fresh = reinterpret_cast<const QRgb*>(fresh_.constScanLine(y));
    for (int x = 0; x < shown_.width(); ++x) {
      if (((shown[x] ^ fresh[x]) & RGB_MASK) == 0 || covered.contains(QPoint(x, y))) continue;
      int end = x + 1;
      while (end < shown_.width() && ((shown[end] ^ fresh[end]) & RGB_MASK) != 0)
        ++end;
      differing += QRect(x, y, end - x, 1);
      x = end;
    }
  }
  return differing.isEmpty() ? std::string() : Describe(window, differing, names);
}

std::string ScreenCheck::Describe(QWidget& window, const QRegion& differing, const Names& names) {
  const QRect bounds = differing.boundingRect();
  std::ostringstream out;
  long count = 0;
  for (const QRect& run : differing)
    count += static_cast<long>(run.width()) * run.height();
  out << count << " stale pixels within " << bounds.width() << "x" << bounds.height() << " at ("
      << bounds.x() << "," << bounds.y() << ") of what the screen shows, under";
  // The controls drawn there, hidden ones included: a stale pixel is often one that was hidden.
  const qreal scale = window.devicePixelRatioF();
  const QRect logical((bounds.topLeft().toPointF() / scale).toPoint(),
                      (bounds.size().toSizeF() / scale).toSize().expandedTo({1, 1}));
  std::string under;
  QList<QWidget*> widgets = window.findChildren<QWidget*>();
  widgets.prepend(&window);
  for (QWidget* widget : widgets) {
    const auto* surface = dynamic_cast<const platform::Surface*>(widget);
    if (!surface) continue;
    for (const platform::Control* control : surface->BackToFront()) {
      if (!platform::Surface::PixelRect(control->Rect()).intersects(logical)) continue;
      const auto name = names.find(control);
      under += " " + (name == names.end() ? std::string("a control") : name->second);
      if (!control->Visible()) under += " (hidden)";
    }
  }
  out << (under.empty() ? " no control" : under);
  if (saved_ < kPicturesKept) {
    const std::string stem = "screen-check-" + std::to_string(comparisons_);
    shown_.save(QString::fromStdString(stem + "-shown.png"));
    fresh_.save(QString::fromStdString(stem + "-fresh.png"));
    out << "; the pictures: " << stem << "-shown.png and " << stem << "-fresh.png";
    ++saved_;
  }
  return out.str();
}

}  // namespace starveil::testing
