#pragma once
// The 'Morf' command: the keyframes checked, the movie file and the settings
// asked, then the movie made in the "Rendering" window while the studio keeps
// painting. A movie that cannot be written is one alert and no file.

#include <QString>

#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace orlenza {
class AlertSink;
class TimeLineController;
}  // namespace orlenza

namespace orlenza::app {

class MovieMaker {
 public:
  MovieMaker(QWidget* parent, AlertSink& alerts);

  // Where the movie goes: by default the save dialog with "SaveMoviePrompt"
  // proposing "DefaultMovieName" with .mov; tests put a script here.
  std::function<std::optional<std::filesystem::path>()> chooseMovieFile;

  // drawingWidth and drawingHeight fill the settings dialog first.
  void makeMovie(TimeLineController& timeline, int drawingWidth, int drawingHeight);

 private:
  std::optional<std::filesystem::path> askMovieFile();

  QWidget* m_parent;
  AlertSink& m_alerts;
};

}  // namespace orlenza::app
