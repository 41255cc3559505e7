// Elements as JSON objects for "torvi-cli info": the kind code, the common fields and each
// kind's stored fields.
#pragma once

#include "elements/Element.h"

#include <QJsonObject>
#include <QJsonValue>

namespace torvi::cli {

QJsonObject ElementJson(const TElement& e);
// A float as the shortest decimal that reads back to it.
QJsonValue FloatJson(float v);
QJsonValue PunktJson(TPunkt p);

// Adds the fields of one kind; one entry per kind code, empty where a kind adds none yet.
using TKindFelder = void (*)(const TElement&, QJsonObject&);
const std::array<TKindFelder, kElementKindCount>& KindFelder();

} // namespace torvi::cli
