// Walking a pattern along a polyline, carrying the unfinished dash or gap across corners.
#include "elements/LinePattern.h"

#include "elements/ElementGeometry.h"

#include <cmath>

namespace torvi {

std::vector<double> PatternLengths(uint8_t pattern, int32_t w, bool twoColour) {
    const double u = w + 1;
    // Rows by pattern index 1..6, in units of u (a 0 entry stands for one pixel).
    static const std::vector<double> kSingle[] = {{1, 2}, {5, 2}, {1, 2, 5, 2}, {1, 2, 1, 2, 5, 2},
                                                  {0, 1}, {0, 2}};
    static const std::vector<double> kTwo[] = {{2, 2}, {6, 2}, {2, 2, 6, 2}, {2, 2, 2, 2, 6, 2},
                                               {1, 1}, {1, 2}};
    if (pattern < 1 || pattern >= kLinePatternCount) return {};
    std::vector<double> lengths = (twoColour ? kTwo : kSingle)[pattern - 1];
    for (double& l : lengths) l = l == 0 ? 1 : l * u;
    return lengths;
}

namespace {

class TPatternWalker {
public:
    TPatternWalker(const std::vector<double>& lengths, bool twoColour)
        : lengths_(lengths), twoColour_(twoColour) {}

    void Segment(QPointF s, QPointF t) {
        const double d = std::hypot(t.x() - s.x(), t.y() - s.y());
        if (d == 0) return; // repeated points do not disturb the pattern
        cur_ = s;
        for (;;) {
            pos_ += lengths_[k_];
            Step(s, t, d, state_);
            if (pos_ >= d) break;
            Advance();
            pos_ += lengths_[k_];
            Step(s, t, d, !state_);
            if (pos_ >= d) {
                state_ = !state_;
                break;
            }
            Advance();
        }
        // What is left of the current dash or gap continues on the next segment.
        pos_ = (pos_ - d) - lengths_[k_];
    }

    TPatternRuns Take() {
        Flush();
        return std::move(out_);
    }

private:
    void Advance() { k_ = (k_ + 1) % lengths_.size(); }

    QPointF At(QPointF s, QPointF t, double d) const {
        if (pos_ >= d) return t;
        const double f = pos_ / d;
        return {s.x() + std::nearbyint((t.x() - s.x()) * f),
                s.y() + std::nearbyint((t.y() - s.y()) * f)};
    }

    // Draws (or moves) from the current position to the point at pos_ with the given state.
    void Step(QPointF s, QPointF t, double d, bool on) {
        const QPointF next = At(s, t, d);
        const int colour = twoColour_ ? (on ? 0 : 1) : 0;
        if (twoColour_ || on) {
            if (colour != runColour_ || run_.isEmpty() || run_.last() != cur_) {
                Flush();
                run_.append(cur_);
                runColour_ = colour;
            }
            run_.append(next);
        } else {
            Flush();
        }
        cur_ = next;
    }

    void Flush() {
        if (run_.size() >= 2) out_.runs[runColour_].push_back(run_);
        run_.clear();
    }

    const std::vector<double>& lengths_;
    bool twoColour_;
    size_t k_ = 0;
    double pos_ = 0;
    bool state_ = true;
    QPointF cur_;
    QPolygonF run_;
    int runColour_ = 0;
    TPatternRuns out_;
};

} // namespace

TPatternRuns WalkPattern(const QPolygonF& pixels, const std::vector<double>& lengths,
                         bool twoColour) {
    if (lengths.empty()) return {};
    TPatternWalker walker(lengths, twoColour);
    for (qsizetype i = 0; i + 1 < pixels.size(); ++i) walker.Segment(pixels[i], pixels[i + 1]);
    return walker.Take();
}

void DrawPattern(TSurface& s, const QPolygonF& pixels, int32_t width, uint8_t pattern) {
    const int32_t w = ScreenPenWidth(width);
    const TPatternRuns runs = WalkPattern(pixels, PatternLengths(pattern, w, false), false);
    TPen pen = s.Pen();
    pen.width = w;
    s.SetPen(pen);
    s.SetPixelMapping();
    s.PolyPolyline(runs.runs[0]);
}

void DrawPattern2(TSurface& s, const QPolygonF& pixels, int32_t width, TFarbe colour2,
                  uint8_t pattern) {
    const int32_t w = ScreenPenWidth(width);
    const TPatternRuns runs = WalkPattern(pixels, PatternLengths(pattern, w, true), true);
    TPen pen = s.Pen();
    pen.width = w + 1;
    s.SetPixelMapping();
    s.SetPen(pen);
    s.PolyPolyline(runs.runs[0]);
    pen.color = colour2;
    s.SetPen(pen);
    s.PolyPolyline(runs.runs[1]);
}

} // namespace torvi
