// Result diagrams of a wall: result components drawn over depth, with the
// characteristic depths of the wall marked.
#pragma once

#include "walldesign/calc/wall.h"

#include <string>
#include <utility>
#include <vector>

namespace wd {

class TDrawing;

// Result components of the diagrams: pairs of result columns 3 + 2c, 4 + 2c.
enum TResultComponent : int {
    ciFrontEarth = 0,
    ciBehindEarth = 1,
    ciWater = 2,
    ciUser = 3,
    ciBousq = 4, // strips 1 to 5: 4 to 8
    ciTotal = 9,
    ciCross = 10,
    ciMoment = 11,
    ciRotation = 12,
    ciDeflection = 13,
    ciCount = 14,
};

// A number of the wall report or its diagrams: FormatValue of the value as a
// single. Raises "Invalid numeric input! Check input values." when the value
// does not fit a single, so that a report never shows INF or NAN.
std::string FormatReportValue(double value, float factor);

// Value factor and unit label of a component.
float ComponentFactor(int component);
const char* ComponentUnit(int component);

// (value at the slice top, value at the slice bottom) of component c in result row r.
std::pair<float, float> GetResultPair(const TWall& wall, int component, int row);

// Sorted depths marked in a diagram, between the top and the bottom of the results.
class TMarkedDepths {
public:
    TMarkedDepths(float top, float bottom) : top_(top), bottom_(bottom), span_(bottom - top) {}

    // Adds z; a depth within 5 per cent of the span of a neighbour replaces it.
    void InsertMarkDepth(float z);
    const std::vector<float>& Depths() const { return depths_; }

private:
    float top_;
    float bottom_;
    float span_;
    std::vector<float> depths_;
};

} // namespace wd
