// The settings window as designed (96 dpi): every control with its kind, parent, place,
// text, font, colour, tab order and cursor. Controls are listed in the order in which
// they are created, which is also their tab order and stacking order (earlier ones on top).
#pragma once

#include "common/FormDescription.h"
#include "common/Texts.h"

namespace form2 {

// Control identifiers, also used by the tests to find the controls.
enum Id : int {
    kForm = 0,
    kMemo1 = 101,
    kImage1 = 102,
    kPanel1 = 103,
    kEdit1 = 111,
    kHotKey2 = 112,
    kCheckBox1 = 113,
    kLabel2 = 121,
    kLabel1 = 122,
    kSpeedButton4 = 131,
    kSpeedButton3 = 132,
    kSpeedButton1 = 133,
    kSpeedButton2 = 134,
};

inline constexpr FontDescription kParentFont{nullptr, 0};
inline constexpr FontDescription kSansSerif11{"MS Sans Serif", 11};
// 宋体, the form's own font
inline constexpr FontDescription kFormFont{"\xCB\xCE\xCC\xE5", 15};

// clang-format off
inline constexpr ControlDescription kControls[] = {
    // name           kind                       id              parent   align          bounds                text                        font          colour             tab cursor               picture
    {"Memo1",        ControlKind::kMemo,        kMemo1,        kForm,   Align::kTop,    {0, 0, 407, 141},     nullptr,                    kSansSerif11, kWindowTextColour, 0,  CursorKind::kDefault, nullptr},
    {"Panel1",       ControlKind::kPanel,       kPanel1,       kForm,   Align::kTop,    {0, 141, 407, 96},    nullptr,                    kParentFont,  kWindowTextColour, 1,  CursorKind::kDefault, nullptr},
    // The banner comes after the panel, so it lies under it: when the window is shortened, the panel covers it.
    {"Image1",       ControlKind::kImage,       kImage1,       kForm,   Align::kBottom, {0, 238, 407, 60},    nullptr,                    kParentFont,  kWindowTextColour, -1, CursorKind::kHand,    "BANNER"},
    {"Edit1",        ControlKind::kEdit,        kEdit1,        kPanel1, Align::kNone,   {232, 3, 49, 23},     texts::kDefaultQuality,     kParentFont,  kWindowTextColour, 0,  CursorKind::kDefault, nullptr},
    {"HotKey2",      ControlKind::kHotKey,      kHotKey2,      kPanel1, Align::kNone,   {62, 4, 99, 20},      nullptr,                    kParentFont,  kWindowTextColour, 1,  CursorKind::kDefault, nullptr},
    {"CheckBox1",    ControlKind::kCheckBox,    kCheckBox1,    kPanel1, Align::kNone,   {32, 36, 193, 17},    texts::kHideAtStartBox,     kSansSerif11, kWindowTextColour, 2,  CursorKind::kDefault, nullptr},
    {"Label2",       ControlKind::kLabel,       kLabel2,       kPanel1, Align::kNone,   {3, 8, 65, 13},       texts::kHotKeyLabel,        kSansSerif11, kRedColour,        -1, CursorKind::kDefault, nullptr},
    {"Label1",       ControlKind::kLabel,       kLabel1,       kPanel1, Align::kNone,   {168, 8, 65, 13},     texts::kQualityLabel,       kSansSerif11, kRedColour,        -1, CursorKind::kDefault, nullptr},
    {"SpeedButton4", ControlKind::kSpeedButton, kSpeedButton4, kPanel1, Align::kNone,   {266, 31, 105, 23},   texts::kHomepageButton,     kSansSerif11, kBlueColour,       -1, CursorKind::kHand,    nullptr},
    {"SpeedButton3", ControlKind::kSpeedButton, kSpeedButton3, kPanel1, Align::kNone,   {75, 59, 70, 30},     texts::kCaptureButton,      kSansSerif11, kBlueColour,       -1, CursorKind::kHand,    "CAPTURE"},
    {"SpeedButton1", ControlKind::kSpeedButton, kSpeedButton1, kPanel1, Align::kNone,   {160, 59, 68, 30},    texts::kSaveButton,         kSansSerif11, kBlueColour,       -1, CursorKind::kHand,    "SAVE"},
    {"SpeedButton2", ControlKind::kSpeedButton, kSpeedButton2, kPanel1, Align::kNone,   {235, 59, 70, 30},    texts::kExitButton,         kSansSerif11, kBlueColour,       -1, CursorKind::kHand,    "EXIT"},
};
// clang-format on

inline constexpr FormDescription kForm2{"Form2", texts::kSettingsCaption, 407, 298, kBtnFaceColour, kFormFont, kControls};

// The date gate takes this much off the window's outer height.
inline constexpr int kShortenedBy = 63;

}  // namespace form2
