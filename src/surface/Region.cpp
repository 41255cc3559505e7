// TRegion: union of winding-filled paths with a bounds prefilter per part.
#include "surface/Region.h"

namespace torvi {

TRegion TRegion::FromPath(QPainterPath devicePath) {
    TRegion r;
    if (devicePath.isEmpty()) return r;
    devicePath.setFillRule(Qt::WindingFill);
    r.bounds_ = devicePath.boundingRect();
    r.partBounds_.push_back(r.bounds_);
    r.parts_.push_back(std::move(devicePath));
    return r;
}

TRegion TRegion::FromRect(const QRectF& deviceRect) {
    QPainterPath p;
    p.addRect(deviceRect.normalized());
    return FromPath(std::move(p));
}

TRegion TRegion::FromPolygon(const QPolygonF& devicePolygon) {
    QPainterPath p;
    p.addPolygon(devicePolygon);
    p.closeSubpath();
    return FromPath(std::move(p));
}

TRegion TRegion::FromEllipse(const QRectF& deviceRect) {
    QPainterPath p;
    p.addEllipse(deviceRect.normalized());
    return FromPath(std::move(p));
}

void TRegion::Unite(const TRegion& other) {
    if (other.IsEmpty()) return;
    bounds_ = IsEmpty() ? other.bounds_ : bounds_.united(other.bounds_);
    parts_.insert(parts_.end(), other.parts_.begin(), other.parts_.end());
    partBounds_.insert(partBounds_.end(), other.partBounds_.begin(), other.partBounds_.end());
}

void TRegion::Unite(TRegion&& other) {
    if (other.IsEmpty()) return;
    if (IsEmpty()) {
        *this = std::move(other);
        return;
    }
    bounds_ = bounds_.united(other.bounds_);
    for (auto& p : other.parts_) parts_.push_back(std::move(p));
    partBounds_.insert(partBounds_.end(), other.partBounds_.begin(), other.partBounds_.end());
}

namespace {
// QRectF::contains excludes nothing at the edges we care about; widen by a hair so that a
// point exactly on a degenerate (zero-width) bounds still gets the exact path test.
bool InBounds(const QRectF& b, QPointF p) {
    return p.x() >= b.left() - 0.5 && p.x() <= b.right() + 0.5 && p.y() >= b.top() - 0.5 &&
           p.y() <= b.bottom() + 0.5;
}
} // namespace

bool TRegion::Contains(QPointF p) const {
    if (IsEmpty() || !InBounds(bounds_, p)) return false;
    for (size_t i = 0; i < parts_.size(); ++i)
        if (InBounds(partBounds_[i], p) && parts_[i].contains(p)) return true;
    return false;
}

bool TRegion::IntersectsRect(const QRectF& r) const {
    if (IsEmpty() || !bounds_.intersects(r)) return false;
    for (size_t i = 0; i < parts_.size(); ++i)
        if (partBounds_[i].intersects(r) && parts_[i].intersects(r)) return true;
    return false;
}

QPainterPath TRegion::ToPath() const {
    QPainterPath all;
    all.setFillRule(Qt::WindingFill);
    for (const auto& p : parts_) all = all.united(p);
    return all;
}

} // namespace torvi
