// Frm_Back's design as a user sees it: each control's class, text, place in twips and button type.
#pragma once

#include <string>
#include <vector>

namespace tovak::e2e {

struct Designed {
  const char* name;
  int id;
  int parent;  // 0: the window itself
  const wchar_t* className;
  std::wstring text;
  int left, top, width, height;  // twips in the parent window
  int buttonType;                // BS_* for buttons, kNotAButton otherwise
  bool checked;
};

constexpr int kNotAButton = -1;

const std::vector<Designed>& Design();

// 15 twips per pixel at 96 dots per inch, to the nearest pixel.
inline int Px(int twips) { return (twips + 7) / 15; }

}  // namespace tovak::e2e
