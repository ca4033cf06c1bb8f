#include "app/Preferences.h"

#include <QSettings>

namespace orlenza::app {

namespace {
constexpr char kDefaultZoom[] = "pref_DefaultZoom";
constexpr char kDisplayTooltips[] = "pref_DisplayTooltips";
}  // namespace

Preferences Preferences::retrieve() {
  QSettings settings;
  Preferences prefs;
  prefs.defaultZoomCentred = settings.value(kDefaultZoom, true).toBool();
  prefs.displayTooltips = settings.value(kDisplayTooltips, true).toBool();
  return prefs;
}

void Preferences::store() const {
  QSettings settings;
  settings.setValue(kDefaultZoom, defaultZoomCentred);
  settings.setValue(kDisplayTooltips, displayTooltips);
  settings.sync();
}

}  // namespace orlenza::app
