// TRecordingSurface: keeps every primitive with the pen and brush it was drawn with.
#include "surface/RecordingSurface.h"

namespace torvi {

TRecordedOp TRecordingSurface::Make(TRecordedOp::Type t) const {
    TRecordedOp op{t, {}, {}, Pen(), Brush(), DevicePenWidth(), false, false};
    return op;
}

std::vector<TRecordedOp> TRecordingSurface::OfType(TRecordedOp::Type t) const {
    std::vector<TRecordedOp> out;
    for (const auto& op : ops)
        if (op.type == t) out.push_back(op);
    return out;
}

void TRecordingSurface::DoLine(QPointF a, QPointF b) {
    auto op = Make(TRecordedOp::Type::Line);
    op.points = {a, b};
    op.stroke = true;
    ops.push_back(op);
}

void TRecordingSurface::DoPolyline(const QPolygonF& device) {
    auto op = Make(TRecordedOp::Type::Polyline);
    op.points = device;
    op.stroke = true;
    ops.push_back(op);
}

void TRecordingSurface::DoPath(const QPainterPath& device, bool stroke, bool fill) {
    auto op = Make(TRecordedOp::Type::Path);
    op.path = device;
    for (const QPolygonF& poly : device.toSubpathPolygons()) op.points += poly;
    op.stroke = stroke;
    op.fill = fill;
    ops.push_back(op);
}

void TRecordingSurface::DoFillRect(const QRectF& device, const TBrush& b) {
    auto op = Make(TRecordedOp::Type::FillRect);
    op.points = QPolygonF(device);
    op.brush = b;
    op.fill = true;
    ops.push_back(op);
}

void TRecordingSurface::DoFillAntiAliased(const QPainterPath& device, TFarbe color) {
    auto op = Make(TRecordedOp::Type::FillAntiAliased);
    op.path = device;
    op.brush = TBrush{color, TBrushStyle::Solid};
    op.fill = true;
    ops.push_back(op);
}

void TRecordingSurface::DoImage(const QImage&, const QPolygonF& deviceCorners) {
    auto op = Make(TRecordedOp::Type::Image);
    op.points = deviceCorners;
    ops.push_back(op);
}

} // namespace torvi
