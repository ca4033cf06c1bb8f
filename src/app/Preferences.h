#pragma once
// The studio's two preferences, kept with QSettings under their own keys.

namespace orlenza::app {

struct Preferences {
  // Rubber band without Shift: centred on the click (true) or corner to corner.
  bool defaultZoomCentred = true;
  bool displayTooltips = true;

  // Missing keys keep the defaults.
  static Preferences retrieve();
  void store() const;
};

}  // namespace orlenza::app
