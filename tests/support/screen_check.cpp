#include "support/screen_check.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QtMath>
#include <cmath>
#include <sstream>

#include "platform/surface.h"
#include "window/frm_main.h"

namespace starveil::testing {

namespace {

constexpr int kPicturesKept = 3;  // a fault repeats at every comparison: its first show is enough

// Whatever repaint the window still owes: the changes noted for the next turn of the event loop,
// and the updates Qt has queued.
void PaintPending() {
  platform::Surface::PaintNotedChanges();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
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

ScreenCheck::View ScreenCheck::FlushedByQt(QWidget& window) {
  return {window.screen()->grabWindow(window.winId()).toImage(), {}};
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
  const View view = reader_(window);
  if (view.pixels.isNull()) return "the screen's pixels of the window could not be read";
  shown_ = view.pixels.convertToFormat(QImage::Format_RGB32);

  const qreal scale = window.devicePixelRatioF();
  // At a fractional scale a side may end between two pixels, and the screen show one fewer.
  const QSizeF painted = QSizeF(window.size()) * scale;
  const QSize drawn(qCeil(painted.width()), qCeil(painted.height()));
  const QSize missing = drawn - shown_.size();
  const int slack = scale == std::floor(scale) ? 0 : 1;
  if (missing.width() < 0 || missing.height() < 0 || missing.width() > slack ||
      missing.height() > slack) {
    std::ostringstream out;
    out << "the screen shows " << shown_.width() << "x" << shown_.height()
        << " pixels of a window of " << window.width() << "x" << window.height() << " at scale "
        << scale;
    return out.str();
  }
  if (fresh_.size() != drawn) fresh_ = QImage(drawn, QImage::Format_RGB32);
  fresh_.setDevicePixelRatio(scale);
  window.render(&fresh_);

  QRegion differing;
  for (int y = 0; y < shown_.height(); ++y) {
    const auto* shown = reinterpret_cast<const QRgb*>(shown_.constScanLine(y));
    const auto* fresh = reinterpret_cast<const QRgb*>(fresh_.constScanLine(y));
    // Where another window lies over this one, the screen shows that window: nothing is stale.
    const auto stale = [&](int x) {
      return ((shown[x] ^ fresh[x]) & RGB_MASK) != 0 && !view.covered.contains(QPoint(x, y));
    };
    for (int x = 0; x < shown_.width(); ++x) {
      if (!stale(x)) continue;
      int end = x + 1;
      while (end < shown_.width() && stale(end))
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
      if (!platform::PixelRect(control->Rect()).intersects(logical)) continue;
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
