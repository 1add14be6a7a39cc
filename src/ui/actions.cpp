#include "ui/actions.h"

#include "model/plan_image.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>

#include <iterator>

namespace tessel {

namespace {

QAction *makeAction(QObject &owner, const char *name, const char *caption,
                    QList<QKeySequence> keys = {}, bool checkable = false)
{
    auto *action = new QAction(QString::fromUtf8(caption), &owner);
    if (name)
        action->setObjectName(name);
    action->setShortcuts(keys);
    action->setCheckable(checkable);
    return action;
}

QList<QKeySequence> standard(QKeySequence::StandardKey key, QList<QKeySequence> fallback)
{
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    return keys.isEmpty() ? fallback : keys;
}

} // namespace

Actions createActions(QObject &owner)
{
    Actions a;
    a.newLayout = makeAction(owner, "mnuNewLayout", "&New Layout",
                             standard(QKeySequence::New, {Qt::CTRL | Qt::Key_N}));
    a.openLayout = makeAction(owner, "mnuOpenLayout", "&Open Layout...",
                              standard(QKeySequence::Open, {Qt::CTRL | Qt::Key_O}));
    a.saveLayout = makeAction(owner, "mnuSaveLayout", "Save &Layout",
                              standard(QKeySequence::Save, {Qt::CTRL | Qt::Key_S}));
    a.saveLayoutAs = makeAction(owner, "mnuSaveLayoutAs", "Save Layout &As...",
                                {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    a.analysis = makeAction(owner, "mnuVastuInformation", "&Vastu Shastra Result");
    a.saveLayoutFile = makeAction(owner, "mnuSave", "Save");
    a.exportJpeg = makeAction(owner, "mnuJPEG", "Save As &JPEG");
    a.openLayoutFile = makeAction(owner, "mnuOpen", "Open");
    a.planImage = makeAction(owner, "mnuPlanImage", "Plan &Image...");
    a.removePlanImage = makeAction(owner, "mnuRemovePlanImage", "Remove Plan Image");
    a.exit = makeAction(owner, "mnuExit", "E&xit");

    a.undo =
        makeAction(owner, "mnuUndo", "&Undo", standard(QKeySequence::Undo, {Qt::CTRL | Qt::Key_Z}));
    a.redo = makeAction(
        owner, "mnuRedo", "&Redo",
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    a.roomProperties =
        makeAction(owner, "mnuRoomProperties", "Room &Properties...",
                   {QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)});

    a.keepInPlace = makeAction(owner, "mnuKeepInPlace", "&Keep in Place",
                               {QKeySequence(Qt::CTRL | Qt::Key_K)}, true);
    a.suggestArrangement = makeAction(owner, "mnuSuggestArrangement", "Suggest &Arrangement...");

    a.showZones = makeAction(owner, "mnuShowZones", "Show &Zones", {}, true);
    a.showNames = makeAction(owner, "mnuShowNames", "Show Room &Names", {}, true);
    a.showVerdicts = makeAction(owner, "mnuShowVerdicts", "Show &Verdicts", {}, true);
    a.showStatusBar = makeAction(owner, "mnuShowStatusBar", "Show &Status Bar", {}, true);
    a.snapToFeet = makeAction(owner, "mnuSnapToFeet", "&Snap to Feet", {}, true);
    a.zoomIn =
        makeAction(owner, "mnuZoomIn", "Zoom &In",
                   {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    a.zoomOut =
        makeAction(owner, "mnuZoomOut", "Zoom &Out", {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    a.actualSize =
        makeAction(owner, "mnuActualSize", "&Actual Size", {QKeySequence(Qt::CTRL | Qt::Key_0)});
    a.zoomToFit =
        makeAction(owner, "mnuZoomToFit", "Zoom to &Fit", {QKeySequence(Qt::CTRL | Qt::Key_9)});
    a.showPlanImage = makeAction(owner, "mnuShowPlanImage", "Show &Plan Image", {}, true);
    a.zonesByCorner = makeAction(owner, "mnuZonesByCorner", "Zones by &Corner", {}, true);
    a.zonesWheel8 = makeAction(owner, "mnuZonesWheel8", "Zone Wheel of &8", {}, true);
    a.zonesWheel16 = makeAction(owner, "mnuZonesWheel16", "Zone Wheel of 1&6", {}, true);
    auto *methods = new QActionGroup(&owner);
    for (QAction *method : {a.zonesByCorner, a.zonesWheel8, a.zonesWheel16})
        methods->addAction(method);
    a.zonesByCorner->setChecked(true);
    a.loadRuleSet = makeAction(owner, "mnuLoadRuleSet", "&Load Rule Set...");
    a.builtInRuleSet = makeAction(owner, "mnuBuiltInRuleSet", "&Built-in Rule Set", {}, true);
    a.builtInRuleSet->setChecked(true);
    auto *opacities = new QActionGroup(&owner);
    const char *const captions[] = {"&Faint (25 %)", "&Half (50 %)", "&Opaque (100 %)"};
    static_assert(std::size(captions) == std::size(kPlanOpacitySteps));
    for (std::size_t i = 0; i < std::size(kPlanOpacitySteps); ++i) {
        QAction *step = makeAction(owner, nullptr, captions[i], {}, true);
        step->setObjectName(QStringLiteral("mnuPlanOpacity%1").arg(kPlanOpacitySteps[i]));
        opacities->addAction(step);
        a.planOpacity[i] = step;
    }

    a.about = makeAction(owner, "mnuAbout", "&About Software");

    a.measurePlot = makeAction(owner, nullptr, "&Reduced Scale Measure ");
    a.changeDirection = makeAction(owner, nullptr, "Change &Direction");
    a.addRoom = makeAction(owner, nullptr, "&Add Room");
    a.selectRoom = makeAction(owner, nullptr, "&Select Room");
    a.deleteRoom = makeAction(owner, nullptr, "&Delete Room");
    a.createDoor = makeAction(owner, nullptr, "Create Door");
    a.deleteDoor = makeAction(owner, nullptr, "&Delete Door");
    a.mainEntrance = makeAction(owner, nullptr, "Main Entrance");
    a.backEntrance = makeAction(owner, nullptr, "Back Entrance");
    return a;
}

Menus createMenus(QMainWindow &window, const Actions &a)
{
    Menus menus;
    QMenuBar *bar = window.menuBar();
    QMenu *file = bar->addMenu("&File");
    file->setObjectName("mnuFile");
    menus.file = file;
    file->addActions({a.newLayout, a.openLayout, a.saveLayout, a.saveLayoutAs});
    menus.recentLayouts = file->addMenu("&Recent Layouts");
    menus.recentLayouts->setObjectName("mnuRecentLayouts");
    file->addSeparator();
    file->addActions({a.analysis, a.saveLayoutFile, a.exportJpeg, a.openLayoutFile});
    file->addSeparator();
    file->addActions({a.planImage, a.removePlanImage});
    file->addSeparator();
    file->addAction(a.exit);

    QMenu *edit = bar->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    edit->addActions({a.undo, a.redo});
    edit->addSeparator();
    edit->addAction(a.roomProperties);
    edit->addAction(a.keepInPlace);
    edit->addSeparator();
    edit->addAction(a.suggestArrangement);

    QMenu *view = bar->addMenu("V&iew");
    view->setObjectName("mnuView");
    menus.view = view;
    view->addActions({a.showZones, a.showNames, a.showVerdicts, a.showStatusBar, a.snapToFeet});
    QMenu *zones = view->addMenu("Zone &Method");
    zones->setObjectName("mnuZoneMethod");
    zones->addActions({a.zonesByCorner, a.zonesWheel8, a.zonesWheel16});
    zones->addSeparator();
    zones->addActions({a.loadRuleSet, a.builtInRuleSet});
    view->addSeparator();
    view->addActions({a.zoomIn, a.zoomOut, a.actualSize, a.zoomToFit});
    view->addSeparator();
    view->addAction(a.showPlanImage);
    QMenu *opacity = view->addMenu("Plan Image &Opacity");
    opacity->setObjectName("mnuPlanOpacity");
    for (QAction *step : a.planOpacity)
        opacity->addAction(step);

    QMenu *help = bar->addMenu("&Help");
    help->setObjectName("mnuHelp");
    help->addAction(a.about);
    return menus;
}

} // namespace tessel
