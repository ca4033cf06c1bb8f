#pragma once
// The image-size menu as data: the preset sizes, then (after a separator added
// with the first of them) every other size the drawing has had, sorted by
// width and then height.

#include <string>
#include <vector>

namespace orlenza {

struct WidthAndHeight {
  int width = 0;
  int height = 0;
  friend bool operator==(WidthAndHeight const&, WidthAndHeight const&) = default;
  friend auto operator<=>(WidthAndHeight const&, WidthAndHeight const&) = default;
};

class ImageMenuController {
 public:
  // The presets of the size commands 'siz1' ... 'siz6', in menu order.
  static std::vector<WidthAndHeight> const& presets();
  // The preset of index (0 ... 5); 256 x 256 for any other index.
  static WidthAndHeight presetSize(int index);

  // The used size behind menu item itemIndex (0-based: the presets, the
  // separator, then the used sizes); (0, 0) for any other item.
  WidthAndHeight handleMenuCommand(int itemIndex) const;
  // Lists a size that is neither a preset nor listed yet.
  void reactToSize(int width, int height);

  std::vector<WidthAndHeight> const& usedSizes() const { return m_used; }
  // Every item's text: "128 x 128" ..., "-" for the separator.
  std::vector<std::string> itemTexts() const;

 private:
  std::vector<WidthAndHeight> m_used;
  bool m_separatorAdded = false;
};

}  // namespace orlenza
