// The window's controls and where they stand, for every binding to build from. Positions are
// twips within the client area (1440 to the inch, 15 to a pixel at 96 dots per inch).
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "form/fields.h"

namespace zorvane {

inline constexpr std::u16string_view kWindowCaption = u"Dates for a specified Timecode";

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kClientWidthTwips = 5610;
inline constexpr int kClientHeightTwips = 6735;

enum class ControlKind { Label, LineField, MultiLineField, Button };
enum class TextAlignment { Left, Centre, Right };

struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

struct FontSpec {
  std::u16string_view family;
  double points;
};

inline constexpr FontSpec kDefaultFont = {u"MS Sans Serif", 8.25};

inline constexpr int kNoTabPlace = -1;

struct ControlLayout {
  std::string_view name;
  ControlKind kind = ControlKind::Label;
  std::u16string_view text = {};  // the caption, or a field's initial text
  TwipsRect twips = {};
  int tab = kNoTabPlace;  // place in the tab order; labels hold one but never take the focus
  std::optional<Field> field = {};
  std::optional<Field> names = {};  // the field a label captions
  std::u16string_view tooltip = {};
  TextAlignment alignment = TextAlignment::Left;
  FontSpec font = kDefaultFont;
};

// The left column holds the inputs in the order of work, Results the right column, and the
// status line the free strip below it.
inline constexpr std::array<ControlLayout, 16> kLayout = {{
    {.name = "Label2",
     .kind = ControlKind::Label,
     .text = u"Pass Phrase",
     .twips = {840, 240, 975, 255},
     .tab = 3,
     .names = Field::PassPhrase},
    {.name = "PassPhrase",
     .kind = ControlKind::LineField,
     .twips = {360, 600, 1935, 285},
     .tab = 0,
     .field = Field::PassPhrase,
     .tooltip = u"Pass phrase to generate hex key"},
    {.name = "Label1",
     .kind = ControlKind::Label,
     .text = u"Hex Key",
     .twips = {960, 960, 615, 255},
     .tab = 2,
     .names = Field::HexCode},
    {.name = "HexCode",
     .kind = ControlKind::MultiLineField,
     .twips = {360, 1200, 1695, 285},
     .tab = 1,
     .field = Field::HexCode,
     .tooltip = u"Enter key as 16 hex characters (no spaces)"},
    {.name = "Label3",
     .kind = ControlKind::Label,
     .text = u"Year",
     .twips = {480, 1800, 495, 255},
     .tab = 10,
     .names = Field::Ytext,
     .alignment = TextAlignment::Right},
    {.name = "Ytext",
     .kind = ControlKind::LineField,
     .twips = {1200, 1680, 735, 285},
     .tab = 9,
     .field = Field::Ytext},
    {.name = "Label4",
     .kind = ControlKind::Label,
     .text = u"Start Month (1 -12)",
     .twips = {240, 2280, 855, 375},
     .tab = 11,
     .names = Field::StMntext,
     .alignment = TextAlignment::Centre},
    {.name = "StMntext",
     .kind = ControlKind::LineField,
     .text = u"1",
     .twips = {1200, 2280, 735, 285},
     .tab = 12,
     .field = Field::StMntext},
    {.name = "Label6",
     .kind = ControlKind::Label,
     .text = u"End Month",
     .twips = {120, 2880, 975, 255},
     .tab = 13,
     .names = Field::EnMnText,
     .alignment = TextAlignment::Right},
    {.name = "EnMnText",
     .kind = ControlKind::LineField,
     .text = u"12",
     .twips = {1200, 2760, 735, 285},
     .tab = 14,
     .field = Field::EnMnText},
    {.name = "Label5",
     .kind = ControlKind::Label,
     .text = u"Timecode hash",
     .twips = {600, 3720, 1335, 255},
     .tab = 5,
     .names = Field::Triad},
    {.name = "Triad",
     .kind = ControlKind::LineField,
     .twips = {360, 4080, 1695, 510},
     .tab = 4,
     .field = Field::Triad,
     .alignment = TextAlignment::Centre,
     .font = {u"MS Sans Serif", 18}},
    {.name = "GO",
     .kind = ControlKind::Button,
     .text = u"Search",
     .twips = {600, 4920, 1095, 375},
     .tab = 6,
     .font = {u"Arial", 8.25}},
    {.name = "Finish",
     .kind = ControlKind::Button,
     .text = u"Stop",
     .twips = {600, 5520, 1095, 375},
     .tab = 8},
    {.name = "Results",
     .kind = ControlKind::MultiLineField,
     .twips = {2640, 240, 2655, 6015},
     .tab = 7,
     .field = Field::Results},
    {.name = "Status",
     .kind = ControlKind::Label,
     .twips = {2640, 6330, 2655, 255},
     .tab = kNoTabPlace,
     .field = Field::Status},
}};

// The controls that take the focus, in tab order.
std::array<const ControlLayout*, 9> FocusOrder();

const ControlLayout& LayoutOf(std::string_view name);
const ControlLayout& LayoutOf(Field field);

}  // namespace zorvane
