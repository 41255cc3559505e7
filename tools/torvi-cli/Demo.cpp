// Rendering the demo sheet: the sections laid out top to bottom on one white page.
#include "Demo.h"

#include "editor/Dokument.h"
#include "elements/ElementList.h"
#include "elements/SharedState.h"
#include "io/Datei.h"
#include "surface/PainterSurface.h"

#include <QPainter>

namespace torvi::cli {

const std::vector<TDemoSection>& DemoSections() {
    static const std::vector<TDemoSection> sections = {
        {"line ends", 700, &BuildLineDemo},
        {"patterns", 600, &BuildPatternDemo},
        {"polygons", 500, &BuildPolygonDemo},
        {"rectangles", 420, &BuildRectangleDemo},
        {"ellipses and arcs", 420, &BuildEllipseDemo},
        {"bezier curves", 500, &BuildBezierDemo},
        {"texts", 560, &BuildTextDemo},
        {"solder dots, pictures, groups and components", 700, &BuildPictureDemo},
    };
    return sections;
}

QImage RenderElements(const TElementList& page, float width, float height, double dpi) {
    const double scale = dpi / 254.0; // pixels per 0.1 mm
    QImage image(int(width * scale + 0.5), int(height * scale + 0.5), QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
    TPainterSurface surface(&image);
    surface.SetMapping({scale, scale, 0, 0});
    Shared().ViewTransform = {scale, scale, 0, 0};
    for (const auto& e : page) {
        e->Draw(surface);
        surface.SetMapping({scale, scale, 0, 0});
    }
    return image;
}

namespace {

// Builds every section; returns the height the page needs.
float BuildDemoPage(TElementList& page) {
    float top = 60;
    for (const TDemoSection& s : DemoSections()) {
        s.build(page, top);
        top += s.height;
    }
    return top;
}

// Collects the file layer's messages instead of showing them.
class TStilleRueckfragen : public TRueckfragen {
public:
    QString letzte;
    void Meldung(TMeldungsArt, const QString& text) override { letzte = text; }
    bool Frage(const QString&) override { return false; }
};

} // namespace

bool WriteDemoDocument(const QString& path, QString& error) {
    TDokument d;
    TEditor& page = d.NeuesBlatt(QStringLiteral("Demo"));
    TElementList elements;
    const float height = BuildDemoPage(elements);
    page.BreiteMM = int32_t(kDemoWidth / 10);
    page.HoeheMM = int32_t(std::max(kDemoHeight, height) / 10 + 1);
    page.Papierformat = 0;
    TByteWriter w;
    WriteElementList(w, elements);
    const QByteArray bytes = w.Data();
    TByteReader r(bytes);
    page.LeseElemente(r); // connected to the page like elements read from a file
    TStilleRueckfragen fragen;
    if (!DateiSpeichern(d, path, TDateiArt::Dokument, fragen)) {
        error =
            fragen.letzte.isEmpty() ? QStringLiteral("cannot write %1").arg(path) : fragen.letzte;
        return false;
    }
    return true;
}

bool WriteDemo(const QString& path, double dpi, QString& error) {
    Shared().TextAntiAliasing = true; // the sheet shows texts as the screen does
    TElementList page;
    const float top = BuildDemoPage(page);
    const QImage image = RenderElements(page, kDemoWidth, std::max(kDemoHeight, top), dpi);
    if (!image.save(path, "PNG")) {
        error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

} // namespace torvi::cli
