#include "app/MovieMaker.h"

#include <QFileDialog>

#include "app/MorphDialogView.h"
#include "app/RenderingWindow.h"
#include "core/base/StringTable.h"
#include "core/control/TimeLineController.h"
#include "core/files/AlertSink.h"

namespace orlenza::app {

MovieMaker::MovieMaker(QWidget* parent, AlertSink& alerts) : m_parent(parent), m_alerts(alerts) {}

std::optional<std::filesystem::path> MovieMaker::askMovieFile() {
  QString const proposed = QString::fromStdString(localized("DefaultMovieName")) + ".mov";
  QString chosen = QFileDialog::getSaveFileName(m_parent, QString::fromStdString(localized("SaveMoviePrompt")), proposed,
                                                QObject::tr("QuickTime movies (*.mov)"));
  if (chosen.isEmpty()) return std::nullopt;
  if (!chosen.endsWith(".mov", Qt::CaseInsensitive)) chosen += ".mov";
  return std::filesystem::path(chosen.toStdString());
}

void MovieMaker::makeMovie(TimeLineController& timeline, int drawingWidth, int drawingHeight) {
  if (!timeline.checkMovieKeyframes()) return;
  std::optional<std::filesystem::path> const target = chooseMovieFile ? chooseMovieFile() : askMovieFile();
  if (!target) return;
  MorphDialogView settingsDialog(drawingWidth, drawingHeight, m_parent);
  std::optional<MovieSettings> const settings = settingsDialog.ask();
  if (!settings) return;

  RenderingWindow rendering(timeline.keyframes(), *settings, *target, m_parent);
  if (rendering.run() == media::MovieTask::Outcome::failed)
    m_alerts.showAlert("CannotWriteMovieMain", rendering.failure().toStdString());
}

}  // namespace orlenza::app
