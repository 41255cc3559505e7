// The drawing state every element reads: view transform, defaults, selection colours, the
// version of the data being read and the output flags. Kept together here, set by the editor,
// printing and the file reader before a batch of element operations.
#pragma once

#include "geom/Geometry.h"
#include "surface/Surface.h"

#include <QString>
#include <cstdint>

namespace torvi {

constexpr int32_t kCurrentVersion = 63;

struct TShapeDefaults {
    TFarbe lineColor = 0;        // "FD_LC"
    TFarbe fillColor = 0xFFFFFF; // "FD_FC"
    int32_t width = 2;           // "FD_Breite"
    uint8_t fillStyle = 0;       // "FD_Stil"
    bool noLine = false;         // "FD_NoLine"
    bool noFill = true;          // "FD_NoFill"
};

struct TLineDefaults {
    TFarbe color = 0;       // "LD_C1"
    TFarbe color2 = 255;    // "LD_C2"
    int32_t width = 2;      // "LD_Breite"
    uint8_t pattern = 0;    // "LD_Stil"
    bool twoColour = false; // "LD_Zweifarbig"
    uint8_t startEnd = 0;   // "LD_StartStyle"
    uint8_t endEnd = 0;     // "LD_EndStyle"
    int32_t arrowSize = 0;  // "LD_PfeilGroesse"
};

struct TTextDefaults {
    QString name = QStringLiteral("Arial"); // "Name"
    int32_t height = 40;                    // "Height"
    TFarbe color = 0;                       // "Color"
    bool bold = false;                      // "Bold"
    bool italic = false;                    // "Italic"
};

struct TSharedState {
    TViewTransform ViewTransform;
    TShapeDefaults ShapeDefaults;
    TLineDefaults LineDefaults;
    TTextDefaults TextDefaults;        // settings section "Text-Default"
    TTextDefaults ContactTextDefaults; // settings section "TextKontakt-Default"
    TTextDefaults TextRectDefaults;    // settings section "TextRect-Default"
    TFarbe SelectionPenColor = Rgb(240, 40, 240);
    TFarbe SelectionFillColor = Rgb(200, 40, 200);
    int32_t ReadVersion = kCurrentVersion;
    bool InComponentSnap = false;
    bool BoundsFromPoints = false;
    // Output targets: printing and the preview or bitmap output change how texts and
    // pictures draw.
    bool Printing = false;
    bool PreviewOrBitmapOutput = false;
    bool TextAntiAliasing = false; // "TextAntiAliasing"
    // Held modifier while transforming: texts keep their upright reading.
    bool ShiftHeld = false;
};

// The one process-wide instance.
TSharedState& Shared();

// Sets ReadVersion for the duration of a read and restores it afterwards, also on errors.
class TReadVersionScope {
public:
    explicit TReadVersionScope(int32_t version) : saved_(Shared().ReadVersion) {
        Shared().ReadVersion = version;
    }
    ~TReadVersionScope() { Shared().ReadVersion = saved_; }
    TReadVersionScope(const TReadVersionScope&) = delete;
    TReadVersionScope& operator=(const TReadVersionScope&) = delete;

private:
    int32_t saved_;
};

} // namespace torvi
