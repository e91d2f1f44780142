// A control's font, as data: the peers render it, the model only carries it.
#pragma once

#include <string>

#include "toolkit/TColor.h"

namespace toolkit {

struct TFont {
  std::string Name = "MS Sans Serif";
  // Negative: the character height in pixels (-11 is 8 point at 96 dpi); positive: the
  // cell height, as the component library's Height.
  int Height = -11;
  TColor Color = clWindowText;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  friend bool operator==(const TFont&, const TFont&) = default;
};

}  // namespace toolkit
