// TTextRect: several lines of text in a free quadrilateral frame, one owned TText per line,
// laid out under each other and clipped to the frame (lines are never wrapped).
#pragma once

#include "elements/Text.h"

#include <QStringList>
#include <array>
#include <memory>
#include <vector>

namespace torvi {

// Longest line a frame record stores.
constexpr int kMaxFrameLineLength = 250;

enum class TAusrichtung : uint8_t { Links = 0, Rechts = 1, Zentriert = 2 };

class TTextRect : public TElement {
public:
    TTextRect();

    std::array<TPunkt, 4> Rahmen{};
    std::vector<std::unique_ptr<TText>> ZeilenTexte;
    QStringList Zeilen;
    TSchrift Schrift;
    uint8_t Ausrichtung = 0;

    void Draw(TSurface& s) override;
    TRegion HitRegion(TSurface& s, bool wide) override;
    TRegion SeedRegion(const TSurface& s) const override;
    TRechteckI GetScreenRect(const TSurface& s) const override;
    void AddHandles(std::vector<TPunkt*>& /*handles*/) override {}
    void MoveBy(TPunkt d) override;
    void ScaleAbout(TPunkt c, double fx, double fy) override;
    void ShearAbout(TPunkt c, double sx, double sy) override;
    void RotateAbout(TPunkt c, double angle) override;
    void MirrorH(TPunkt axis) override;
    void MirrorV(TPunkt axis) override;
    void SetColor(TFarbe c) override;
    void ApplyDefaults() override {}
    void Connect(const TElementHooks& hooks) override;
    void Save(TByteWriter& w) const override;
    void Load(TByteReader& r) override;
    std::span<TPunkt> Points() override { return Rahmen; }

    void SetLines(const QStringList& lines, const TSchrift& font, int32_t height,
                  uint8_t alignment);
    void BuildLines();
    void LayoutLines();

private:
    void LoadRahmenOld(TByteReader& r);
    void DrawLines(TSurface& s, TFarbe color);

    TElementHooks hooks_;
};

} // namespace torvi
