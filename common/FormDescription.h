// Declarative descriptions of a form and its controls, designed at 96 dpi, and the
// arrangement of aligned controls (top, bottom, client) inside their parent. No Windows
// header: the layout rules are tested natively; the Win32 layer turns a description
// into windows and scales it to the screen's dpi.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct DesignRect {
    int left, top, width, height;
    bool operator==(const DesignRect&) const = default;
};

enum class ControlKind { kMemo, kPanel, kLabel, kHotKey, kEdit, kCheckBox, kSpeedButton, kImage };
enum class Align { kNone, kTop, kBottom, kClient };
enum class CursorKind { kDefault, kHand };

// A colour either from the system's palette (COLOR_* index) or as 0x00BBGGRR.
struct Colour {
    bool system;
    std::uint32_t value;
};
inline constexpr Colour kWindowTextColour{true, 8};  // COLOR_WINDOWTEXT
inline constexpr Colour kBtnFaceColour{true, 15};    // COLOR_BTNFACE
inline constexpr Colour kRedColour{false, 0x0000FF};
inline constexpr Colour kBlueColour{false, 0xFF0000};

struct FontDescription {
    const char* face;  // GBK; nullptr: the parent's font
    int height;        // character height in pixels at 96 dpi
};

struct ControlDescription {
    const char* name;
    ControlKind kind;
    int id;            // control identifier, unique in the form
    int parentId;      // 0: the form itself
    Align align;
    DesignRect bounds;
    const char* text;  // GBK; nullptr: none
    FontDescription font;
    Colour colour;     // text colour
    int tabOrder;      // -1: not a tab stop
    CursorKind cursor;
    const char* picture;  // resource name of the control's picture, or nullptr
};

struct FormDescription {
    const char* name;
    const char* caption;  // GBK
    int clientWidth, clientHeight;
    Colour colour;
    FontDescription font;
    std::span<const ControlDescription> controls;
};

// The rectangles of the controls whose parent is parentId, in the order given, for a
// parent whose client area is width x height: top-aligned controls stack from the top
// in order, bottom-aligned ones from the bottom, a client-aligned one fills the rest;
// unaligned controls keep their bounds. Sizes never go below zero.
std::vector<DesignRect> ArrangeChildren(std::span<const ControlDescription> controls, int parentId, int width,
                                        int height);
