// A session on the timeline window: keyframes by Alt-click and by 'Keyf' with
// typed positions, a drag, save and reopen, a lossless movie compared with the
// renderer's frames of the saved file, Stop, the question before the timeline
// is replaced, a damaged file and quitting.

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "app/Application.h"
#include "app/KeyframeAxisWidget.h"
#include "app/MainWindowView.h"
#include "app/MovieMaker.h"
#include "app/QtAlerts.h"
#include "app/QtFileChooser.h"
#include "app/SnapshotThumbnails.h"
#include "app/TimeLineWindowView.h"
#include "core/control/DrawingController.h"
#include "core/control/TimeLineController.h"
#include "core/files/MovieFrameFile.h"
#include "media/MovieReadBack.h"

using namespace orlenza;
using namespace orlenza::app;
namespace fs = std::filesystem;

namespace {

QWidget* shownWindow(QString const& name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name && w->isVisible()) return w;
  return nullptr;
}

// Steps for a window as it shows: each tick with the window up runs the first
// step left, which answers true when it is done.
using Step = std::function<bool(QWidget*)>;
void script(QString const& name, std::deque<Step> steps) {
  auto* timer = new QTimer;
  auto left = std::make_shared<std::deque<Step>>(std::move(steps));
  QObject::connect(timer, &QTimer::timeout, [timer, left, name] {
    if (left->empty()) {
      timer->deleteLater();
      return;
    }
    if (QWidget* w = shownWindow(name))
      if (left->front()(w)) left->pop_front();
  });
  timer->start(10);
}

Step typePosition(char const* text) {
  return [text](QWidget* dialog) {
    dialog->findChild<QLineEdit*>("position")->setText(text);
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    return true;
  };
}

Step movieSettings(int width, int height, char const* frames, QString* prefilledWidth = nullptr) {
  return [=](QWidget* dialog) {
    if (prefilledWidth) *prefilledWidth = dialog->findChild<QLineEdit*>("width")->text();
    dialog->findChild<QLineEdit*>("width")->setText(QString::number(width));
    dialog->findChild<QLineEdit*>("height")->setText(QString::number(height));
    dialog->findChild<QLineEdit*>("frameCount")->setText(frames);
    dialog->findChild<QComboBox*>("codec")->setCurrentIndex(1);  // Animation, lossless
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    return true;
  };
}

std::string savedForm(TimeLineController const& timeline) {
  MovieFrameFile::Records records;
  for (auto const& [pos, snap] : timeline.keyframes()) records.push_back(std::make_shared<FullKeyframe>(snap, pos));
  return MovieFrameFile::formatContents(records);
}

}  // namespace

class TimelineSessionTest : public QObject {
  Q_OBJECT

 private slots:
  void timelineSession();
};

void TimelineSessionTest::timelineSession() {
  QTemporaryDir scratch;
  fs::path const dir = scratch.path().toStdString();
  Application app;
  app.alerts().setHeadless(true);
  TimeLineController& timeline = app.timeline();
  TimeLineWindowView& window = app.timelineWindow();
  KeyframeAxisWidget& axis = *window.axisWidget();
  auto run = [&](char const* four) { return app.dispatch(commandId(four)); };
  auto clickAxis = [&](double position, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(axis.canvas(), Qt::LeftButton, modifiers,
                      QPoint(axis.windowXOf(KeyframePosition(position)), axis.entryCentreY()));
  };
  auto positions = [&] {
    std::vector<int> steps;
    for (auto const& [pos, snap] : timeline.keyframes()) steps.push_back(pos.getSteps());
    return steps;
  };

  QVERIFY(run("siz1"));
  QVERIFY(!app.isEnabled(commandId("Morf")));
  QVERIFY(run("Wtim"));
  QVERIFY(QTest::qWaitForWindowExposed(&window));

  // An Alt-click adds the picture on screen; 'Keyf' asks, the dialog staying
  // up through the range and duplicate alerts.
  clickAxis(0.0, Qt::AltModifier);
  QCOMPARE(positions(), std::vector<int>{0});
  QVERIFY(!window.movieButton()->isEnabled());
  QVERIFY(run("Rand"));
  bool stayedOpen = true;
  script("KeyframePos", {typePosition("1.5"), [&](QWidget* dialog) {
                           stayedOpen = dialog->findChild<QLineEdit*>("position")->text() == "1.5";
                           return typePosition("0")(dialog);
                         },
                         typePosition("0.5")});
  QVERIFY(run("Keyf"));
  QVERIFY(stayedOpen);
  QVERIFY(!shownWindow("KeyframePos"));
  QCOMPARE(positions(), (std::vector<int>{0, 5000}));
  QCOMPARE(app.alerts().shownAlerts(),
           (std::vector<std::string>{"InvalidKeyframeRangeMain", "InvalidKeyframeDuplicateMain"}));
  QVERIFY(window.movieButton()->isEnabled());
  QVERIFY(run("Morf"));  // nothing at 1 yet
  QCOMPARE(app.alerts().shownAlerts().back(), std::string("MissingKeyframeMain"));

  QVERIFY(run("Rand"));
  clickAxis(1.0, Qt::AltModifier);
  QCOMPARE(positions(), (std::vector<int>{0, 5000, 10000}));
  QTRY_COMPARE(window.thumbnails().pending(), 0);

  // Drag the middle keyframe to about 0.3: select, hold, move, release.
  QPoint const from(axis.windowXOf(KeyframePosition(0.5)), axis.entryCentreY());
  QPoint const to(axis.windowXOf(KeyframePosition(0.3)), axis.entryCentreY());
  QTest::mousePress(axis.canvas(), Qt::LeftButton, Qt::NoModifier, from);
  QTest::qWait(400);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), axis.canvas()->mapToGlobal(QPointF(to)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(axis.canvas(), &move);
  QTest::mouseRelease(axis.canvas(), Qt::LeftButton, Qt::NoModifier, to);
  std::vector<int> const dragged = positions();
  QCOMPARE(dragged.size(), std::size_t{3});
  QVERIFY2(dragged[1] > 2900 && dragged[1] < 3100, std::to_string(dragged[1]).c_str());
  QVERIFY(timeline.isModified());

  // Move it again by typing, load it into the controls, zoom the axis all the way.
  script("KeyframePos", {typePosition("0.25")});
  QVERIFY(run("Mkey"));
  QCOMPARE(positions(), (std::vector<int>{0, 2500, 10000}));
  QVERIFY(run("Lkey"));
  QCOMPARE(app.drawing().makeSnapshotFromControls()->isComputationallyEqual(*timeline.getSelectedSnap()), true);
  for (int i = 0; i < 6; ++i) run("ScZ+");
  QCOMPARE(axis.axis().zoom(), 5.0f);
  QVERIFY(!app.isEnabled(commandId("ScZ+")));
  for (int i = 0; i < 4; ++i) QVERIFY(run("ScZ-"));
  QVERIFY(!app.isEnabled(commandId("ScZ-")));

  // Save, reopen: the same keyframes.
  fs::path const saved = dir / "session.msnaps";
  app.files().queueAnswer(saved);
  QVERIFY(run("Skey"));
  QVERIFY(!timeline.isModified());
  std::string const before = savedForm(timeline);
  app.files().queueAnswer(saved);
  QVERIFY(run("Okey"));
  QCOMPARE(savedForm(timeline), before);

  // An 11-frame lossless movie, refused settings first.
  fs::path const movie = dir / "session.mov";
  app.movieMaker().chooseMovieFile = [&] { return std::optional<fs::path>(movie); };
  QString prefilled;
  bool refused = false;
  script("Render", {[&](QWidget* dialog) {
                      prefilled = dialog->findChild<QLineEdit*>("width")->text();
                      dialog->findChild<QLineEdit*>("frameCount")->setText("0");
                      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                      return true;
                    },
                    [&](QWidget* dialog) {
                      refused = dialog->findChild<QLabel*>("problem")->isVisible();
                      return movieSettings(48, 32, "10")(dialog);
                    }});
  QVERIFY(run("Morf"));
  QCOMPARE(prefilled, QString::number(app.drawing().getCurrentImageWidth()));
  QVERIFY(refused);
  media::ReadBack const back = media::readMovie(movie);
  QCOMPARE(back.rgbFrames.size(), std::size_t{11});
  QCOMPARE(back.width, 48);
  QCOMPARE(back.height, 32);
  QCOMPARE(back.timeBase.den / back.timeBase.num, 600);
  QCOMPARE(back.decodeErrors, 0);
  for (std::int64_t duration : back.durations) QCOMPARE(duration, std::int64_t{25});  // 24 frames per second
  fs::path const frames = dir / "frames";
  QProcess renderer;
  renderer.start(ORLENZA_RENDER, {"movie", QString::fromStdString(saved.string()), "--size", "48x32", "--frames", "10",
                                  "--codec", "animation", "--png-frames", QString::fromStdString(frames.string())});
  QVERIFY(renderer.waitForFinished(120000));
  QCOMPARE(renderer.exitCode(), 0);
  for (int i = 0; i <= 10; ++i) {
    QImage const png = QImage(QString::fromStdString((frames / QString::asprintf("frame-%05d.png", i).toStdString()).string()))
                           .convertToFormat(QImage::Format_RGB888);
    QCOMPARE(png.size(), QSize(48, 32));
    for (int y = 0; y < 32; ++y)
      QVERIFY2(std::equal(png.constScanLine(y), png.constScanLine(y) + 3 * 48,
                          back.rgbFrames[static_cast<std::size_t>(i)].begin() + 3 * 48 * y),
               qPrintable(QString("frame %1 row %2").arg(i).arg(y)));
  }

  // Stop once three frames are made: a playable movie of those frames.
  fs::path const stopped = dir / "stopped.mov";
  app.movieMaker().chooseMovieFile = [&] { return std::optional<fs::path>(stopped); };
  script("Render", {movieSettings(200, 150, "400")});
  script("Rendering", {[](QWidget* rendering) {
    QStringList const text = rendering->findChild<QLabel*>("frameText")->text().split(" / ");
    if (text.value(0).toInt() < 3) return false;
    rendering->findChild<QPushButton*>("stop")->click();
    return true;
  }});
  QVERIFY(run("Morf"));
  media::ReadBack const stoppedBack = media::readMovie(stopped);
  QVERIFY2(stoppedBack.rgbFrames.size() >= 3 && stoppedBack.rgbFrames.size() < 10,
           std::to_string(stoppedBack.rgbFrames.size()).c_str());
  QCOMPARE(stoppedBack.decodeErrors, 0);
  QCOMPARE(fs::exists(dir / "stopped.mov"), true);

  // A movie that cannot be written: one alert, no file.
  app.movieMaker().chooseMovieFile = [&] { return std::optional<fs::path>(dir / "gone" / "lost.mov"); };
  script("Render", {movieSettings(16, 16, "2")});
  QVERIFY(run("Morf"));
  QCOMPARE(app.alerts().shownAlerts().back(), std::string("CannotWriteMovieMain"));
  QVERIFY(!fs::exists(dir / "gone"));

  // A modified timeline about to be replaced: Cancel keeps it, Don't Save
  // drops it, Save writes it first.
  QVERIFY(!app.isEnabled(commandId("Dkey")));
  clickAxis(1.0, Qt::NoModifier);
  QCOMPARE(window.findChild<QLineEdit*>("position")->text(), QString("1.0000"));
  QVERIFY(run("Dkey"));
  QCOMPARE(positions().size(), std::size_t{2});
  app.alerts().queueAnswer(QuestionAnswer::cancel);
  QVERIFY(run("Okey"));
  QCOMPARE(positions().size(), std::size_t{2});
  app.alerts().queueAnswer(QuestionAnswer::no);
  app.files().queueAnswer(saved);
  QVERIFY(run("Okey"));
  QCOMPARE(savedForm(timeline), before);
  QVERIFY(!timeline.isModified());
  clickAxis(0.8, Qt::AltModifier);
  fs::path const asked = dir / "asked.msnaps";
  app.alerts().queueAnswer(QuestionAnswer::yes);
  app.files().queueAnswer(asked);
  app.files().queueAnswer(saved);
  QVERIFY(run("Okey"));
  QCOMPARE(MovieFrameFile(asked, app.alerts()).records().size(), std::size_t{4});
  QCOMPARE(savedForm(timeline), before);

  // A damaged file keeps the timeline; a file from outside brings it forward.
  std::ofstream(dir / "damaged.msnaps") << "not a timeline\n";
  std::size_t const alertsBefore = app.alerts().shownAlerts().size();
  app.files().queueAnswer(dir / "damaged.msnaps");
  QVERIFY(run("Okey"));
  QCOMPARE(savedForm(timeline), before);
  QVERIFY(app.alerts().shownAlerts().size() > alertsBefore);
  window.hide();
  app.openFile(saved);
  QVERIFY(window.isVisible());

  // Quitting with unsaved keyframes asks; Cancel stays.
  clickAxis(0.9, Qt::AltModifier);
  app.alerts().queueAnswer(QuestionAnswer::cancel);
  QVERIFY(run("quit"));
  QVERIFY(window.isVisible());
  app.showWindows();
  app.alerts().queueAnswer(QuestionAnswer::cancel);
  app.mainWindow().close();
  QTest::qWait(50);
  QVERIFY(app.mainWindow().isVisible());
  QVERIFY(!app.isQuitting());
}

QTEST_MAIN(TimelineSessionTest)
#include "TimelineSessionTest.moc"
