// The eight colours of the wall pictures and result diagrams. The main window
// reads and writes them (settings section "Colors"); the pictures read them
// when they are built.
#pragma once

#include "platform/canvas.h"

namespace wd {

struct TDrawingColors {
    sps::TColor Water = 0x00FF0000;  // blue
    sps::TColor Ground = 0x00026080; // red 128, green 96, blue 2
    sps::TColor SP = 0x000000FF;     // red
    sps::TColor Text = 0x00000000;   // black
    sps::TColor BG = 0x00FFFFFF;     // white
    sps::TColor Vector = 0x00808080; // grey
    sps::TColor Anchor = 0x00808080; // grey
    sps::TColor Axis = 0x00808080;   // grey
};

// The program-wide colours.
TDrawingColors& DrawingColors();

// Settings keys of the colours, in the order they are written.
struct TDrawingColorKey {
    const char* Key;
    sps::TColor TDrawingColors::*Field;
};
inline constexpr TDrawingColorKey kDrawingColorKeys[8] = {
    {"Water", &TDrawingColors::Water}, {"Ground", &TDrawingColors::Ground}, {"SP", &TDrawingColors::SP},
    {"Text", &TDrawingColors::Text},   {"BG", &TDrawingColors::BG},         {"Vector", &TDrawingColors::Vector},
    {"Anchor", &TDrawingColors::Anchor}, {"Axis", &TDrawingColors::Axis},
};

} // namespace wd
