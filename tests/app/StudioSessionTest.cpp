// Sessions of use through the studio's real widgets: typing and Return, undo,
// the mouse on the picture, history, random formulas with a lock, Stop, PNG
// export, files from the command line and input that must not break anything.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstring>
#include <fstream>
#include <sstream>

#include "app/Application.h"
#include "app/GeneratorChooserDialog.h"
#include "app/ImageView.h"
#include "app/ImageWindowView.h"
#include "app/MainWindowView.h"
#include "app/PaneWidget.h"
#include "app/PreferencesDialog.h"
#include "app/QtAlerts.h"
#include "app/QtFileChooser.h"
#include "app/QtProgressWindow.h"
#include "core/control/DrawingController.h"
#include "core/control/UndoManager.h"
#include "core/files/SnapshotFile.h"
#include "core/library/EmbeddedResources.h"
#include "core/model/Snapshot.h"
#include "media/PngWriter.h"

using namespace orlenza;
using namespace orlenza::app;

namespace {

std::vector<std::uint32_t> pixels(Application& app) {
  RawBitMap const& bitmap = app.drawing().getRawBitMap();
  std::vector<std::uint32_t> words(bitmap.byteCount() / 4);
  std::memcpy(words.data(), bitmap.bytes(), bitmap.byteCount());
  return words;
}

// Replaces the text of a field as a user does: select all, type, then a key.
void typeInto(QWidget* field, QString const& text, Qt::Key finish = Qt::Key_unknown) {
  auto* edit = qobject_cast<QLineEdit*>(field);
  QVERIFY(edit);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  if (finish != Qt::Key_unknown) QTest::keyClick(edit, finish);
}

// Answers the next modal dialog with answer once it is open.
template <class Dialog, class F>
void whenDialogOpens(F answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    answer(*dialog);
  });
}

}  // namespace

class StudioSessionTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Application> m_app;
  QTemporaryDir m_folder;

  Application& app() { return *m_app; }
  MainWindowView& main() { return app().mainWindow(); }
  MainWindow& model() { return app().drawing().getMainWindow(); }
  ImageView& view() { return app().imageWindow().imageView(); }
  void trigger(std::string_view four) {
    QAction* action = app().action(commandId(four));
    QVERIFY2(action && action->isEnabled(), std::string(four).c_str());
    action->trigger();
  }
  // A key of the menus, pressed in the main window.
  void shortcut(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QApplication::setActiveWindow(&main());
    QTest::keyClick(&main(), key, modifiers);
  }
  int computations() { return app().progress().computationsStarted(); }
  std::shared_ptr<Snapshot> drawn() { return model().getSnapshot(); }

 private slots:
  void initTestCase() {
    m_app = std::make_unique<Application>();
    app().alerts().setHeadless(true);
    app().showWindows();
    QVERIFY(app().drawing().imageIsUpToDate());
    trigger("siz1");  // small pictures keep the sessions quick
    QCOMPARE(app().drawing().getCurrentImageWidth(), 128);
  }

  void cleanupTestCase() { m_app.reset(); }

  void typingUndoHistoryAndChance() {
    std::vector<std::uint32_t> const first = pixels(app());
    QWidget* a0 = main().generatorPane().fieldWidget(0);
    QVERIFY(a0);
    QString const former = qobject_cast<QLineEdit*>(a0)->text();
    // A typed coefficient lights Draw; Return draws it.
    typeInto(a0, QStringLiteral("0.35"));
    QVERIFY(app().action(commandId("Draw"))->isEnabled());
    QCOMPARE(app().action(commandId("undX"))->text(), QStringLiteral("Undo Typing"));
    QTest::keyClick(a0, Qt::Key_Return);
    QVERIFY(!app().action(commandId("Draw"))->isEnabled());
    std::vector<std::uint32_t> const edited = pixels(app());
    QVERIFY(edited != first);
    // Undo puts the former text back (its tab to the front); Return draws the exact former pixels.
    // Each keystroke that changed the number is one step ("0", "0.3", "0.35").
    main().tabs().setCurrentIndex(2);
    // Ctrl+Z in the field is the studio's undo, not the field's own.
    main().tabs().setCurrentIndex(0);
    QApplication::setActiveWindow(&main());
    QTest::keyClick(a0, Qt::Key_Z, Qt::ControlModifier);
    main().tabs().setCurrentIndex(2);
    for (int step = 1; step < 3; ++step) trigger("undX");
    QCOMPARE(qobject_cast<QLineEdit*>(a0)->text(), former);
    QCOMPARE(main().tabs().currentIndex(), 0);
    QTest::keyClick(a0, Qt::Key_Return);
    QCOMPARE(pixels(app()), first);

    // A click zooms in around the point; Back shows the former picture without computing it.
    int const before = computations();
    QTest::mouseClick(&view(), Qt::LeftButton, {}, QPoint(64, 64));
    QCOMPARE(computations(), before + 1);
    QVERIFY(pixels(app()) != first);
    trigger("SnaB");
    QCOMPARE(computations(), before + 1);
    QCOMPARE(pixels(app()), first);
    QVERIFY(app().action(commandId("SnaF"))->isEnabled());

    // A drag with Ctrl 20 pixels to the right moves the centre left by the plane width of 20 pixels.
    double const centre = drawn()->getCore().getView().getCenterX();
    double const size = drawn()->getCore().getView().getSize();
    QTest::mousePress(&view(), Qt::LeftButton, Qt::ControlModifier, QPoint(50, 60));
    QTest::mouseMove(&view(), QPoint(70, 60));
    QTest::mouseRelease(&view(), Qt::LeftButton, Qt::ControlModifier, QPoint(70, 60));
    // (The picture's width spans twice the view's size.)
    QVERIFY(qAbs(drawn()->getCore().getView().getCenterX() - (centre - 2 * size * 20 / 128)) < size * 1e-9);

    // Mirroring from the main window's box, then back from the picture window's, never computes.
    int const computed = computations();
    std::vector<std::uint32_t> const unmirrored = pixels(app());
    main().findChild<QCheckBox*>(QStringLiteral("flipH"))->click();
    QVERIFY(drawn()->getCore().getView().getFlipH());
    QVERIFY(pixels(app()) != unmirrored);
    QCheckBox* pictureBox = app().imageWindow().findChild<QCheckBox*>(QStringLiteral("flipH"));
    QVERIFY(pictureBox->isChecked());
    pictureBox->click();
    QVERIFY(!drawn()->getCore().getView().getFlipH());
    QCOMPARE(pixels(app()), unmirrored);
    QCOMPARE(computations(), computed);

    // A random formula keeps the locked coefficient; Alt+Left brings the picture before it back.
    PaneWidget& pane = main().generatorPane();
    int const lock = pane.pane()->fields()[0].lockIndex;
    QVERIFY(lock != 0);
    pane.lockBox(lock)->click();
    QString const kept = qobject_cast<QLineEdit*>(a0)->text();
    std::vector<std::uint32_t> const beforeRandom = pixels(app());
    shortcut(Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(qobject_cast<QLineEdit*>(a0)->text(), kept);
    QVERIFY(qobject_cast<QLineEdit*>(main().generatorPane().fieldWidget(1))->text() != QString());
    QVERIFY(pixels(app()) != beforeRandom);
    shortcut(Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(pixels(app()), beforeRandom);
    pane.lockBox(lock)->click();
  }

  void rubberBandShapes() {
    struct Case {
      bool centredPreference;
      Qt::KeyboardModifiers modifiers;
      double factor;  // of the drawn size: a 20 x 10 drag, corner 20 wide, centred 40 wide
    };
    Case const cases[] = {{true, {}, 40.0 / 128}, {true, Qt::ShiftModifier, 20.0 / 128},
                          {false, {}, 20.0 / 128}, {false, Qt::ShiftModifier, 40.0 / 128}};
    for (Case const& c : cases) {
      app().setPreferences(Preferences{c.centredPreference, true});
      double const size = drawn()->getCore().getView().getSize();
      QTest::mousePress(&view(), Qt::LeftButton, c.modifiers, QPoint(40, 40));
      QTest::mouseMove(&view(), QPoint(60, 50));
      QVERIFY(view().rubberBand().has_value());
      QTest::mouseRelease(&view(), Qt::LeftButton, c.modifiers, QPoint(60, 50));
      QVERIFY(qAbs(drawn()->getCore().getView().getSize() / size - c.factor) < 1e-9);
      trigger("SnaB");
    }
    // Both keys persist.
    QCOMPARE(Preferences::retrieve().defaultZoomCentred, false);
    app().setPreferences(Preferences{});
    QCOMPARE(Preferences::retrieve().defaultZoomCentred, true);
  }

  void chooserPreferencesAndStop() {
    // The chooser opens on the current generator; choosing another draws it at once.
    whenDialogOpens<GeneratorChooserDialog>([](GeneratorChooserDialog& dialog) {
      QCOMPARE(dialog.choice(), std::string("EscParams"));
      QList<QTreeWidgetItem*> const found = dialog.list()->findItems(
          QStringLiteral("Square-root system"), Qt::MatchExactly | Qt::MatchRecursive);
      QCOMPARE(found.size(), 1);
      dialog.list()->setCurrentItem(found.front());
      dialog.accept();
    });
    trigger("SelG");
    QCOMPARE(drawn()->getIdentifier(), std::string("DynSys-Sqrt"));
    QVERIFY(app().drawing().imageIsUpToDate());

    whenDialogOpens<PreferencesDialog>([](PreferencesDialog& dialog) {
      dialog.findChild<QRadioButton*>(QStringLiteral("corner"))->setChecked(true);
      dialog.findChild<QCheckBox*>(QStringLiteral("tooltips"))->setChecked(false);
      dialog.accept();
    });
    trigger("pref");
    QCOMPARE(app().preferences().defaultZoomCentred, false);
    QCOMPARE(app().preferences().displayTooltips, false);
    app().setPreferences(Preferences{});

    // Billions of iterations, stopped as soon as the window runs: the former
    // picture stays, Draw stays lit, and the studio answers the next command.
    std::vector<std::uint32_t> const before = pixels(app());
    QMetaObject::Connection stop = connect(&app().progress(), &QtProgressWindow::computationStarted, this,
                                           [this] { QTimer::singleShot(100, &app().progress(), &QtProgressWindow::stop); });
    typeInto(main().generatorPane().fieldWidget(0), QStringLiteral("999999"), Qt::Key_Return);
    disconnect(stop);
    QVERIFY(!app().progress().isRunning());
    QVERIFY(!app().drawing().imageIsUpToDate());
    QCOMPARE(pixels(app()), before);
    QVERIFY(app().action(commandId("Draw"))->isEnabled());
    main().generatorMenu().setCurrentIndex(0);
    emit main().generatorMenu().activated(0);
    QCOMPARE(drawn()->getIdentifier(), std::string("EscParams"));
    QVERIFY(app().drawing().imageIsUpToDate());
  }

  void exportFilesAndBadInput() {
    // Export: 8-bit RGB with the snapshot record that draws it again.
    std::filesystem::path const png = m_folder.filePath(QStringLiteral("picture.png")).toStdString();
    app().files().queueAnswer(png);
    shortcut(Qt::Key_E, Qt::ControlModifier);
    QVERIFY(std::filesystem::exists(png));
    media::PngInfo const info = media::readPngInfo(png);
    QCOMPARE(info.width, 128);
    QCOMPARE(info.bitDepth, 8);
    QCOMPARE(info.colorType, 2);
    media::PngText const* record = info.findText(media::kSnapshotTextKeyword);
    QVERIFY(record);
    std::ostringstream expected;
    expected.precision(12);
    expected << *drawn();
    QCOMPARE(record->text, expected.str());
    std::uint32_t const word = pixels(app())[5 * 128 + 7];
    std::uint8_t const* rgb = info.pixels.data() + 5 * info.rowBytes + 7 * 3;
    QCOMPARE((0xFF000000u | rgb[0] << 16 | rgb[1] << 8 | rgb[2]), word);
    // A folder that does not exist: an alert, no file.
    app().files().queueAnswer(std::filesystem::path(png).parent_path() / "missing" / "x.png");
    trigger("svas");
    QCOMPARE(app().alerts().shownAlerts().back(), std::string("CannotSaveFileMain"));

    // A snapshot file from the command line opens; a damaged one is refused with an alert and left as it was.
    std::filesystem::path const snaps = m_folder.filePath(QStringLiteral("a.b.snaps")).toStdString();
    std::ofstream(snaps, std::ios::binary) << *findEmbeddedResource("snaps/Halley.snaps");
    app().openFile(snaps);
    QVERIFY(app().drawing().getSnapshotFile());
    QVERIFY(!app().drawing().getSnapshotFile()->records().empty());
    std::filesystem::path const damaged = m_folder.filePath(QStringLiteral("damaged.snaps")).toStdString();
    std::string const garbage = "not a snapshot file\n\x01\x02 at all";
    std::ofstream(damaged, std::ios::binary) << garbage;
    std::size_t const alerts = app().alerts().shownAlerts().size();
    app().openFile(damaged);
    app().openFile(m_folder.filePath(QStringLiteral("missing.grads")).toStdString());
    app().openFile(m_folder.filePath(QStringLiteral("nothing")).toStdString());
    QVERIFY(app().alerts().shownAlerts().size() > alerts);
    std::ifstream back(damaged, std::ios::binary);
    QCOMPARE(std::string(std::istreambuf_iterator<char>(back), {}), garbage);

    // Text that is no number reads as 0, never NaN; sizes are clamped; letters change nothing.
    typeInto(main().windowField(WindowField::Norm), QStringLiteral("abc"), Qt::Key_Return);
    QCOMPARE(drawn()->getCore().getNorm(), drawn()->getCore().getNorm());
    ImageWindowView& picture = app().imageWindow();
    typeInto(&picture.widthField(), QStringLiteral("99999"));
    typeInto(&picture.heightField(), QStringLiteral("0"), Qt::Key_Return);
    QCOMPARE(app().drawing().getCurrentImageWidth(), 2048);
    QCOMPARE(app().drawing().getCurrentImageHeight(), 16);
    QCOMPARE(picture.widthField().text(), QStringLiteral("2048"));
    int const before = computations();
    typeInto(&picture.widthField(), QStringLiteral("wide"), Qt::Key_Return);
    QCOMPARE(computations(), before);
    QCOMPARE(picture.widthField().text(), QStringLiteral("2048"));
    // The used size is offered in the size menu after the presets.
    QCOMPARE(main().sizeMenu().actions().back()->text(), QStringLiteral("2048 x 16"));
  }

  void everyPaneIsDrawn() {
    // Each generator's and geometry's pane: one widget of its kind per field,
    // a lock box per lockable parameter, and labels from the string table.
    auto check = [this](PaneWidget& widget, QString const& name) {
      AbstractParameterPane const* pane = widget.pane();
      QVERIFY2(pane, qPrintable(name));
      int locks = 0;
      for (std::size_t i = 0; i < pane->fieldCount(); ++i) {
        PaneField const& field = pane->fields()[i];
        QWidget* shown = widget.fieldWidget(i);
        bool const rightKind = field.isTextBox() ? qobject_cast<QLineEdit*>(shown) != nullptr
                               : field.kind == FieldKind::CheckBox ? qobject_cast<QCheckBox*>(shown) != nullptr
                                                                   : qobject_cast<QComboBox*>(shown) != nullptr;
        QVERIFY2(rightKind, qPrintable(name + QString::number(i)));
        if (field.lockIndex == 0) continue;
        QVERIFY2(widget.lockBox(field.lockIndex), qPrintable(name + QString::number(i)));
        ++locks;
      }
      QCOMPARE(widget.findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^lock"))).size(), locks);
      for (QLabel* label : widget.findChildren<QLabel*>())
        QVERIFY2(!label->text().startsWith(QStringLiteral("lbl_")), qPrintable(name + label->text()));
    };
    QComboBox& generators = main().generatorMenu();
    for (int i = generators.count() - 1; i >= 0; --i) {
      emit generators.activated(i);
      QCOMPARE(generators.currentIndex(), i);
      check(main().generatorPane(), generators.itemText(i));
    }
    QCOMPARE(drawn()->getIdentifier(), std::string("EscParams"));
    QComboBox* geometries = main().findChild<QComboBox*>(QStringLiteral("geometryMenu"));
    for (int i = 0; i < geometries->count(); ++i) {
      emit geometries->activated(i);
      QCOMPARE(geometries->currentIndex(), i);
      check(main().geometryPane(), geometries->itemText(i));
    }
  }
};

int main(int argc, char* argv[]) {
  // Preferences go to a folder of their own, never the user's.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  QApplication qt(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("OrlenzaTests"));
  QApplication::setApplicationName(QStringLiteral("orlenza-tests"));
  StudioSessionTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "StudioSessionTest.moc"
