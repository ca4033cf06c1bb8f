#include "app/CommandTable.h"

#include <algorithm>

#include "app/Application.h"
#include "app/GradationEditorDialog.h"
#include "app/KeyframeAxisWidget.h"
#include "app/TimeLineWindowView.h"
#include "core/control/DrawingController.h"
#include "core/control/GradationController.h"
#include "core/control/SnapshotBrowserController.h"
#include "core/control/TimeLineController.h"
#include "core/control/UndoManager.h"

namespace orlenza::app {

namespace {

bool always(Application const&) { return true; }
bool drawPending(Application const& app) { return app.drawing().drawCommandEnabled(); }
bool canUndo(Application const&) { return DrawingUndo::getManager().undoItemEnabled(); }
bool canRedo(Application const&) { return DrawingUndo::getManager().redoItemEnabled(); }
bool canGoBack(Application const& app) { return app.drawing().getMainWindow().backButtonEnabled(); }
bool canGoForward(Application const& app) { return app.drawing().getMainWindow().forwardButtonEnabled(); }

bool keyframeSelected(Application const& app) { return app.timeline().getSelectedSnap() != nullptr; }
bool hasKeyframes(Application const& app) { return !app.timeline().keyframes().empty(); }
bool movieButtonEnabled(Application const& app) { return app.timeline().isMovieButtonEnabled(); }
bool timelineCanZoomIn(Application const& app) {
  return !app.timelineWindow().axisWidget()->axis().isFullyZoomedIn();
}
bool timelineCanZoomOut(Application const& app) {
  return !app.timelineWindow().axisWidget()->axis().isFullyZoomedOut();
}
// The snapshot browser and the gradation windows.
bool snapshotSelected(Application const& app) { return app.browser().getButtons().apply; }
bool fileSnapshotSelected(Application const& app) { return app.browser().getButtons().remove; }
bool snapshotFileOpen(Application const& app) { return app.drawing().getSnapshotFile() != nullptr; }
bool notEditing(Application const& app) { return !app.gradations().isEditing(); }
bool editing(Application const& app) { return app.gradations().isEditing(); }
bool keyDeletable(Application const& app) { return editing(app) && app.gradations().isDeleteEnabled(); }
bool keyRecolourable(Application const& app) { return editing(app) && app.gradations().isChangeColourEnabled(); }
bool editorCanZoomIn(Application const& app) {
  return editing(app) && !app.gradationEditor().axisWidget()->axis().isFullyZoomedIn();
}
bool editorCanZoomOut(Application const& app) {
  return editing(app) && !app.gradationEditor().axisWidget()->axis().isFullyZoomedOut();
}
bool gradationSelected(Application const& app) { return app.gradations().getButtons().apply; }
bool fileGradationSelected(Application const& app) { return app.gradations().getButtons().remove; }
bool gradationFileOpen(Application const& app) { return app.gradations().getGradationFile() != nullptr; }

constexpr CommandId id(std::string_view four) { return commandId(four); }

std::vector<CommandInfo> makeRows() {
  return {
      // File
      {id("svas"), "menu_File", "cmd_ExportPicture", "Ctrl+E", "", always},
      {id("quit"), "menu_File", "cmd_Quit", "Ctrl+Q", "", always, true},
      // Edit
      {id("undX"), "menu_Edit", "undo_cannotUndo", "Ctrl+Z", "", canUndo},
      {id("redX"), "menu_Edit", "undo_cannotRedo", "Ctrl+Shift+Z", "", canRedo},
      {id("pref"), "menu_Edit", "cmd_Preferences", "Ctrl+,", "", always, true},
      // Picture
      {id("Draw"), "menu_Picture", "cmd_Draw", "Ctrl+D", "Drawing", drawPending},
      {id("Rand"), "menu_Picture", "cmd_RandomFormula", "Ctrl+R", "BlueDie", always},
      {id("Rclr"), "menu_Picture", "cmd_RandomColours", "Ctrl+Shift+R", "DieColor2", always},
      {id("Adnm"), "menu_Picture", "cmd_AdjustNorm", "Ctrl+N", "", always},
      {id("SelG"), "menu_Picture", "cmd_ChooseGenerator", "Ctrl+G", "", always, true},
      {id("SelA"), "menu_Picture", "cmd_NextGenerator", "Ctrl+Shift+G", "", always},
      {id("Zom+"), "menu_Picture", "cmd_ZoomIn", "Ctrl++", "", always, true},
      {id("Zom-"), "menu_Picture", "cmd_ZoomOut", "Ctrl+-", "", always},
      {id("Rest"), "menu_Picture", "cmd_ResetView", "Ctrl+0", "", always},
      {id("fliH"), "menu_Picture", "cmd_MirrorHorizontally", "Ctrl+Shift+H", "", always, true},
      {id("fliV"), "menu_Picture", "cmd_MirrorVertically", "Ctrl+Shift+V", "", always},
      {id("flpH"), "menu_Picture", "cmd_MirroredHorizontally", "", "", always, false, true},
      {id("flpV"), "menu_Picture", "cmd_MirroredVertically", "", "", always, false, true},
      {id("SnaB"), "menu_Picture", "cmd_Back", "Alt+Left", "BackArr", canGoBack, true},
      {id("SnaF"), "menu_Picture", "cmd_Forward", "Alt+Right", "FwdArr", canGoForward},
      // Size (the used sizes follow the presets)
      {id("siz1"), "menu_Size", "cmd_Size1", "Ctrl+1", "", always},
      {id("siz2"), "menu_Size", "cmd_Size2", "Ctrl+2", "", always},
      {id("siz3"), "menu_Size", "cmd_Size3", "Ctrl+3", "", always},
      {id("siz4"), "menu_Size", "cmd_Size4", "Ctrl+4", "", always},
      {id("siz5"), "menu_Size", "cmd_Size5", "Ctrl+5", "", always},
      {id("siz6"), "menu_Size", "cmd_Size6", "Ctrl+6", "", always},
      // Snapshots
      {id("Snap"), "menu_Snapshots", "cmd_Store", "Ctrl+S", "Store", always},
      {id("SnaD"), "menu_Snapshots", "cmd_DeleteSnapshot", "", "", fileSnapshotSelected},
      {id("AppC"), "menu_Snapshots", "cmd_ApplySnapshot", "", "", snapshotSelected},
      {id("CnfS"), "menu_Snapshots", "cmd_SnapshotCategory", "", "", always},
      {id("NewC"), "menu_Snapshots", "cmd_NewSnapshotFile", "", "", always, true},
      {id("OpeC"), "menu_Snapshots", "cmd_OpenSnapshotFile", "Ctrl+O", "", always},
      {id("ClsC"), "menu_Snapshots", "cmd_CloseSnapshotFile", "", "", snapshotFileOpen},
      {id("Dwer"), "menu_Snapshots", "cmd_ShowSnapshotBrowser", "Ctrl+B", "Configs", always, true},
      // Gradations
      {id("HGrd"), "menu_Gradations", "cmd_ShowGradations", "Ctrl+Shift+D", "GradsTB", always},
      {id("Eclr"), "menu_Gradations", "cmd_EditGradation", "Ctrl+Shift+E", "", notEditing},
      {id("aplG"), "menu_Gradations", "cmd_ApplyEditedGradation", "", "", editing},
      {id("AppG"), "menu_Gradations", "cmd_ApplyChosenGradation", "", "", gradationSelected},
      {id("StGd"), "menu_Gradations", "cmd_StoreGradation", "", "", notEditing},
      {id("DelG"), "menu_Gradations", "cmd_DeleteGradation", "", "", fileGradationSelected},
      {id("CnfG"), "menu_Gradations", "cmd_GradationCategory", "", "", always},
      {id("Colr"), "menu_Gradations", "cmd_AddColour", "", "", editing, true},
      {id("Dclr"), "menu_Gradations", "cmd_DeleteColour", "", "", keyDeletable},
      {id("Cclr"), "menu_Gradations", "cmd_ChangeColour", "", "", keyRecolourable},
      {id("GrZ+"), "menu_Gradations", "cmd_GradationZoomIn", "", "", editorCanZoomIn},
      {id("GrZ-"), "menu_Gradations", "cmd_GradationZoomOut", "", "", editorCanZoomOut},
      {id("NewG"), "menu_Gradations", "cmd_NewGradationFile", "", "", always, true},
      {id("OpeG"), "menu_Gradations", "cmd_OpenGradationFile", "", "", always},
      {id("ClsG"), "menu_Gradations", "cmd_CloseGradationFile", "", "", gradationFileOpen},
      // Timeline
      {id("Keyf"), "menu_Timeline", "cmd_AddKeyframe", "Ctrl+K", "", always},
      {id("RepK"), "menu_Timeline", "cmd_ReplaceKeyframe", "", "", keyframeSelected},
      {id("Dkey"), "menu_Timeline", "cmd_DeleteKeyframe", "", "", keyframeSelected},
      {id("Mkey"), "menu_Timeline", "cmd_MoveKeyframe", "", "", keyframeSelected},
      {id("Lkey"), "menu_Timeline", "cmd_LoadKeyframe", "", "", keyframeSelected},
      {id("ScZ+"), "menu_Timeline", "cmd_TimelineZoomIn", "", "", timelineCanZoomIn, true},
      {id("ScZ-"), "menu_Timeline", "cmd_TimelineZoomOut", "", "", timelineCanZoomOut},
      {id("Okey"), "menu_Timeline", "cmd_OpenKeyframes", "", "", always, true},
      {id("Skey"), "menu_Timeline", "cmd_SaveKeyframes", "", "", hasKeyframes},
      {id("Morf"), "menu_Timeline", "cmd_RenderMovie", "Ctrl+M", "", movieButtonEnabled, true},
      // Window
      {id("Wimg"), "menu_Window", "cmd_ShowPictureWindow", "Ctrl+Shift+P", "", always},
      {id("Wmai"), "menu_Window", "cmd_ShowMainWindow", "Ctrl+Shift+M", "", always},
      {id("Wtim"), "menu_Window", "cmd_ShowTimeline", "Ctrl+Shift+T", "", always},
      // Help
      {id("abou"), "menu_Help", "cmd_About", "", "", always},
      {id("Webs"), "menu_Help", "cmd_WebPage", "", "", always},
  };
}

}  // namespace

namespace CommandTable {

std::vector<CommandInfo> const& rows() {
  static std::vector<CommandInfo> const table = makeRows();
  return table;
}

CommandInfo const* find(CommandId id) {
  auto const& table = rows();
  auto const it = std::find_if(table.begin(), table.end(), [id](CommandInfo const& row) { return row.id == id; });
  return it == table.end() ? nullptr : &*it;
}

std::vector<std::string_view> const& menuKeys() {
  static std::vector<std::string_view> const keys = {"menu_File",      "menu_Edit",       "menu_Picture",
                                                     "menu_Size",      "menu_Snapshots",  "menu_Gradations",
                                                     "menu_Timeline",  "menu_Window",     "menu_Help"};
  return keys;
}

std::vector<ToolbarItem> const& toolbarItems() {
  static std::vector<ToolbarItem> const items = {
      {"com.orlenza.die", "BlueDie", "TB_Randomize", "TB_RandomizeHelp", commandId("Rand")},
      {"com.orlenza.colorDie", "DieColor2", "TB_RandomColor", "TB_RandomColorHelp", commandId("Rclr")},
      {"com.orlenza.backArr", "BackArr", "TB_Back", "TB_BackHelp", commandId("SnaB")},
      {"com.orlenza.fwdArr", "FwdArr", "TB_Next", "TB_NextHelp", commandId("SnaF")},
      {"com.orlenza.store", "Store", "TB_Store", "TB_StoreHelp", commandId("Snap")},
      {"com.orlenza.configs", "Configs", "TB_Configurations", "TB_ConfigurationsHelp", commandId("Dwer")},
      {"com.orlenza.grads", "GradsTB", "TB_Gradients", "TB_GradientsHelp", commandId("HGrd")},
      {"com.orlenza.draw", "Drawing", "TB_Draw", "TB_DrawHelp", commandId("Draw")},
  };
  return items;
}

}  // namespace CommandTable

}  // namespace orlenza::app
