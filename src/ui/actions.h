#pragma once

#include <array>

class QAction;
class QMainWindow;
class QMenu;
class QObject;

namespace tessel {

// Every command of the main window, each one QAction made in one place with its caption,
// objectName and shortcut. Menu items are these actions; the window's buttons trigger them;
// whoever runs a command connects to its action.
struct Actions
{
    // File
    QAction *newLayout = nullptr;
    QAction *openLayout = nullptr;
    QAction *saveLayout = nullptr;
    QAction *saveLayoutAs = nullptr;
    QAction *analysis = nullptr;
    // The layout file: "&Save", "Open"; and the chart image.
    QAction *saveLayoutFile = nullptr;
    QAction *exportJpeg = nullptr;
    QAction *openLayoutFile = nullptr;
    QAction *planImage = nullptr;
    QAction *removePlanImage = nullptr;
    QAction *exit = nullptr;
    // Edit
    QAction *undo = nullptr;
    QAction *redo = nullptr;
    QAction *roomProperties = nullptr;
    // Checkable: the selected room stays where it is when an arrangement is suggested.
    QAction *keepInPlace = nullptr;
    QAction *suggestArrangement = nullptr;
    // View: checkable options, the zoom and the plan image.
    QAction *showZones = nullptr;
    QAction *showNames = nullptr;
    QAction *showVerdicts = nullptr;
    QAction *showStatusBar = nullptr;
    QAction *snapToFeet = nullptr;
    QAction *zoomIn = nullptr;
    QAction *zoomOut = nullptr;
    QAction *actualSize = nullptr;
    QAction *zoomToFit = nullptr;
    QAction *showPlanImage = nullptr;
    // How zones are told, one checked at a time; the rules the wheels judge by.
    QAction *zonesByCorner = nullptr;
    QAction *zonesWheel8 = nullptr;
    QAction *zonesWheel16 = nullptr;
    QAction *loadRuleSet = nullptr;
    QAction *builtInRuleSet = nullptr;
    // By kPlanOpacitySteps, one checked at a time.
    std::array<QAction *, 3> planOpacity{};
    // Help
    QAction *about = nullptr;
    // Commands of the window's buttons alone.
    QAction *measurePlot = nullptr;
    QAction *changeDirection = nullptr;
    QAction *addRoom = nullptr;
    QAction *selectRoom = nullptr;
    QAction *deleteRoom = nullptr;
    QAction *createDoor = nullptr;
    QAction *deleteDoor = nullptr;
    QAction *mainEntrance = nullptr;
    QAction *backEntrance = nullptr;
};

// The actions, owned by `owner`.
Actions createActions(QObject &owner);

// The menus that hold more than actions, filled by their own commands.
struct Menus
{
    QMenu *file = nullptr;
    QMenu *recentLayouts = nullptr;
    QMenu *view = nullptr;
};

// The menu bar: "&File", "&Edit", "V&iew" (Alt+V stays with "&Vastu Shastra Result") and
// "&Help", in that order.
Menus createMenus(QMainWindow &window, const Actions &actions);

} // namespace tessel
