// The JSON form of elements, a table of per-kind writers keyed by kind code.
#include "ElementJson.h"

#include "elements/Polygon.h"
#include "elements/Polyline.h"

#include <QJsonArray>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace torvi::cli {

QJsonValue FloatJson(float v) {
    if (!std::isfinite(v)) return QJsonValue(); // JSON has no NaN or infinity
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf - 1, v);
    *res.ptr = '\0';
    return std::strtod(buf, nullptr);
}

QJsonValue PunktJson(TPunkt p) {
    return QJsonArray{FloatJson(p.x), FloatJson(p.y)};
}

namespace {

QJsonArray PunkteJson(const std::vector<TPunkt>& punkte) {
    QJsonArray a;
    for (const TPunkt& p : punkte) a.append(PunktJson(p));
    return a;
}

void PolylineFelder(const TElement& e, QJsonObject& o) {
    const auto& p = static_cast<const TPolyline&>(e);
    o["Punkte"] = PunkteJson(p.Punkte);
    o["Zweifarbig"] = p.Zweifarbig;
    o["Farbe2"] = qint64(p.Farbe2);
    o["StartEnde"] = p.StartEnde;
    o["EndEnde"] = p.EndEnde;
    o["PfeilGroesse"] = p.PfeilGroesse;
}

void PolygonFelder(const TElement& e, QJsonObject& o) {
    o["Punkte"] = PunkteJson(static_cast<const TPolygon&>(e).Punkte);
}

} // namespace

const std::array<TKindFelder, kElementKindCount>& KindFelder() {
    static const std::array<TKindFelder, kElementKindCount> table = [] {
        std::array<TKindFelder, kElementKindCount> t{};
        t[int(ElementKind::Polyline)] = &PolylineFelder;
        t[int(ElementKind::Polygon)] = &PolygonFelder;
        return t;
    }();
    return table;
}

QJsonObject ElementJson(const TElement& e) {
    QJsonObject o;
    o["Kind"] = int(e.Kind);
    o["NoLine"] = e.NoLine;
    o["NoFill"] = e.NoFill;
    o["PenWidth"] = e.PenWidth;
    o["PenColor"] = qint64(e.PenColor);
    o["LineStyle"] = e.LineStyle;
    o["FillColor"] = qint64(e.FillColor);
    o["FillStyle"] = e.FillStyle;
    o["FormLayer"] = e.FormLayer;
    if (const TKindFelder felder = KindFelder()[size_t(e.Kind)]) felder(e, o);
    return o;
}

} // namespace torvi::cli
