// The demo sheet: one page showing what the element kinds can draw, built in sections.
#pragma once

#include "elements/Element.h"

#include <QImage>
#include <QString>

namespace torvi::cli {

// Page size of the demo sheet in element units (A4 landscape).
constexpr float kDemoWidth = 2970;
constexpr float kDemoHeight = 2100;

// Each section adds its elements to the page, inside the band top..top+height.
struct TDemoSection {
    const char* title;
    float height;
    void (*build)(TElementList& page, float top);
};

// The sections in page order.
const std::vector<TDemoSection>& DemoSections();

// Builds and renders the sheet at dpi; false with a message when the file cannot be written.
bool WriteDemo(const QString& path, double dpi, QString& error);
// The same sheet as a one-page document, so it can be opened, checked and rendered.
bool WriteDemoDocument(const QString& path, QString& error);
QImage RenderElements(const TElementList& page, float width, float height, double dpi);

void BuildLineDemo(TElementList& page, float top);
void BuildPatternDemo(TElementList& page, float top);
void BuildPolygonDemo(TElementList& page, float top);
void BuildRectangleDemo(TElementList& page, float top);
void BuildEllipseDemo(TElementList& page, float top);
void BuildBezierDemo(TElementList& page, float top);
void BuildTextDemo(TElementList& page, float top);
void BuildPictureDemo(TElementList& page, float top);

} // namespace torvi::cli
