#include "desktop/placement.h"

#include <cmath>
#include <optional>

namespace starveil::desktop {

namespace {

// Where to put the client area along one side of the screen, for a frame `frameBefore` units deep
// on that side.
int ClientPlace(qreal exact, qreal frameBefore, qreal scale) {
  const auto pixels = [scale](int place) { return std::round(place * scale); };  // as Qt places
  const auto whole = [](qreal value) { return std::abs(value - std::round(value)) < 1e-3; };
  const auto offCentre = [&](int place) { return std::abs(pixels(place) - exact * scale); };
  const auto crisp = [&](int place) {
    const qreal corner = pixels(place) - frameBefore * scale;
    return whole(corner) && whole(corner / scale);
  };
  const int nearest = qRound(exact);
  std::optional<int> best;
  for (const int place : {nearest, nearest - 1, nearest + 1}) {
    if (offCentre(place) <= 1 && crisp(place) && (!best || offCentre(place) < offCentre(*best)))
      best = place;
  }
  return best.value_or(nearest);
}

}  // namespace

QPoint CentredClientPlace(const QRectF& area, const QSizeF& client, const QMarginsF& frame,
                          qreal scale) {
  const QSizeF framed = client.grownBy(frame);
  const QPointF frameCorner(area.x() + (area.width() - framed.width()) / 2,
                            area.y() + (area.height() - framed.height()) / 2);
  // Placing the client area itself leaves the manager nothing to adjust.
  const QPointF exact = frameCorner + QPointF(frame.left(), frame.top());
  return {ClientPlace(exact.x(), frame.left(), scale), ClientPlace(exact.y(), frame.top(), scale)};
}

bool CentreAgain(const QMarginsF& centredWith, const QMarginsF& drawn, qreal scale) {
  const QMarginsF change = (drawn - centredWith) * scale;
  const auto moved = [](qreal side) { return std::abs(side) >= 1; };
  return moved(change.left()) || moved(change.top()) || moved(change.right()) ||
         moved(change.bottom());
}

}  // namespace starveil::desktop
