#include "ui/frm_main.h"

#include "analysis/report.h"
#include "analysis/zone_texts.h"
#include "model/bearing.h"
#include "model/dialogs.h"
#include "model/number.h"
#include "model/placement.h"
#include "model/plot.h"
#include "model/rooms.h"
#include "ui/actions.h"
#include "ui/arrangement_panel.h"
#include "ui/chart_widget.h"
#include "ui/compass_rose.h"
#include "ui/dialog_tracker.h"
#include "ui/document.h"
#include "ui/document_commands.h"
#include "ui/drag_guard.h"
#include "ui/file_commands.h"
#include "ui/frm_display.h"
#include "ui/key_filters.h"
#include "ui/make_widget.h"
#include "ui/opening_panels.h"
#include "ui/plan_image.h"
#include "ui/recovery.h"
#include "ui/refusal.h"
#include "ui/room_placement.h"
#include "ui/room_properties.h"
#include "ui/tooltips.h"
#include "ui/view_options.h"
#include "ui/zone_rules.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace tessel {

namespace {

std::string textOf(const QLineEdit *field)
{
    return field->text().toStdString();
}

} // namespace

FrmMain::FrmMain(Dialogs &dialogs, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(*new DialogTracker(dialogs, this))
    , m_document(new Document(this))
    , m_actions(std::make_unique<Actions>(createActions(*this)))
    , m_zoneRules(new ZoneRules(this))
    , m_documents(new DocumentCommands(*m_document, m_dialogs, this))
{
    setObjectName("frmMain");
    setWindowTitle(kWindowCaption);
    const Menus menus = createMenus(*this, *m_actions);

    auto *central = new QWidget(this);
    auto *columns = new QHBoxLayout(central);
    columns->addWidget(buildPlotColumn(), 0, Qt::AlignTop);
    columns->addWidget(buildChartPanel(), 0, Qt::AlignTop);
    columns->addWidget(buildRoomColumn(), 0, Qt::AlignTop);
    setCentralWidget(central);

    m_placement = new RoomPlacement(*m_document, m_dialogs, *m_chart, *m_addRoom, this);
    m_fileCommands = new FileCommands(
        *m_document, m_dialogs, *m_chart, *m_save, *m_open,
        [this](Field field) {
            if (QLineEdit *box = fieldFor(field))
                box->setFocus();
        },
        this);
    new ViewOptions(*this, *m_document, *m_actions, *m_chartArea, *m_zoneRules);
    m_arrangement =
        new ArrangementPanel(*m_document, *m_zoneRules, *m_chart, *m_actions->snapToFeet,
                             *m_actions->suggestArrangement, this);
    m_dialogStack->addWidget(m_arrangement->panel());
    m_planImage = new PlanImageCommands(*m_document, m_dialogs, *m_actions, this);
    // Nothing but the drag runs while the chart holds an element.
    new DragGuard(*m_chart);
    m_documents->fillRecentMenu(*menus.recentLayouts);
    connect(m_documents, &DocumentCommands::recentLayoutsChanged, menus.recentLayouts,
            [this, recent = menus.recentLayouts] { m_documents->fillRecentMenu(*recent); });
    connectActions();

    // Files handed over meanwhile are opened once the drop or the dialog is over, each after
    // the other in the order they came.
    connect(m_chart, &ChartWidget::holdChanged, this, [this](bool held) {
        if (!held)
            QMetaObject::invokeMethod(this, &FrmMain::openWaitingFiles, Qt::QueuedConnection);
    });
    connect(&m_dialogs, &DialogTracker::idle, this, [this] {
        QMetaObject::invokeMethod(this, &FrmMain::openWaitingFiles, Qt::QueuedConnection);
    });
    // The facing chosen is part of the layout, however it was chosen.
    connect(m_direction, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && !m_showingPlot)
            m_document->chooseFacing(static_cast<Facing>(index));
    });
    connect(m_document, &Document::changed, this, &FrmMain::showDocument);
    // A press selects without a step until the drop: the selection's commands follow it.
    connect(m_document, &Document::elementsChanged, this, &FrmMain::showSelection);
    showDocument();

    // The window fits its content: it widens while a wide entry panel is open and narrows
    // again after. The user may make it larger (the chart can then be zoomed to fit), never
    // smaller than its content.
    layout()->setSizeConstraint(QLayout::SetMinimumSize);
    // Shown at its content's size on any screen; show() alone would bound it by the screen.
    resize(sizeHint());
}

FrmMain::~FrmMain()
{
    // The fields tell of the focus they lose as the window's children go: no longer to it.
    disconnect(m_bearing, nullptr, this, nullptr);
}

const Editor &FrmMain::editor() const
{
    return m_document->editor();
}

void FrmMain::connectActions()
{
    const Actions &a = *m_actions;
    DocumentCommands *documents = m_documents;
    connect(a.newLayout, &QAction::triggered, documents, &DocumentCommands::newLayout);
    connect(a.openLayout, &QAction::triggered, documents, &DocumentCommands::openLayout);
    connect(a.saveLayout, &QAction::triggered, documents, &DocumentCommands::saveLayout);
    connect(a.saveLayoutAs, &QAction::triggered, documents, &DocumentCommands::saveLayoutAs);
    connect(a.analysis, &QAction::triggered, this, &FrmMain::runAnalysis);
    connect(a.saveLayoutFile, &QAction::triggered, m_fileCommands, &FileCommands::saveLayout);
    connect(a.exportJpeg, &QAction::triggered, m_fileCommands, &FileCommands::exportChartImage);
    connect(a.openLayoutFile, &QAction::triggered, m_fileCommands, &FileCommands::openLayout);
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    connect(a.undo, &QAction::triggered, m_document, &Document::undo);
    connect(a.redo, &QAction::triggered, m_document, &Document::redo);
    connect(a.roomProperties, &QAction::triggered, this, [this] {
        editRoomProperties(*m_document, m_dialogs, *m_chart, textOf(m_plotLength),
                           textOf(m_plotWidth));
    });
    connect(a.about, &QAction::triggered, this, &FrmMain::showAbout);
    const std::pair<QAction *, ZoneMethod> methods[] = {{a.zonesByCorner, ZoneMethod::ByCorner},
                                                        {a.zonesWheel8, ZoneMethod::Wheel8},
                                                        {a.zonesWheel16, ZoneMethod::Wheel16}};
    for (const auto &[action, method] : methods)
        connect(action, &QAction::triggered, this,
                [this, method = method] { m_document->setZoneMethod(method); });
    connect(a.loadRuleSet, &QAction::triggered, this, [this] {
        if (const auto path = m_dialogs.askOpenFileName("Rule Sets (*.json);;All Files (*)"))
            m_zoneRules->load(*path, m_dialogs);
    });
    connect(a.builtInRuleSet, &QAction::triggered, m_zoneRules, &ZoneRules::useBuiltIn);
    connect(m_zoneRules, &ZoneRules::changed, this,
            [this] { m_actions->builtInRuleSet->setChecked(m_zoneRules->isBuiltIn()); });
    connect(a.keepInPlace, &QAction::triggered, this, [this](bool kept) {
        if (const auto selected = highlightedElement(m_document->table()))
            m_document->setKeptInPlace(*selected, kept);
    });
    connect(a.measurePlot, &QAction::triggered, this, &FrmMain::reducedScaleMeasure);
    connect(a.changeDirection, &QAction::triggered, this, &FrmMain::changeDirection);
    connect(a.addRoom, &QAction::triggered, this, &FrmMain::addRoom);
    connect(a.selectRoom, &QAction::triggered, this, &FrmMain::selectRoom);
    connect(a.deleteRoom, &QAction::triggered, m_placement, &RoomPlacement::deleteRoom);
    connect(a.deleteDoor, &QAction::triggered, m_openings.front(), &OpeningPanels::deleteDoor);
}

QWidget *FrmMain::buildPlotColumn()
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *plot = makePanel("fraPlotArea", "Enter Plot/Apartment Area (In feet)");
    auto *plotGrid = new QGridLayout(plot);
    m_plotLength = makeField("txtPlotLength", m_dialogs);
    m_plotWidth = makeField("txtPlotWidth", m_dialogs);
    auto *measure = makeButton("cmdMesure", "&Reduced Scale Measure ");
    plotGrid->addWidget(makeLabel("lblPlotLength", "Length"), 0, 0);
    plotGrid->addWidget(m_plotLength, 0, 1);
    plotGrid->addWidget(makeLabel("lblPlotWidth", "Width"), 1, 0);
    plotGrid->addWidget(m_plotWidth, 1, 1);
    plotGrid->addWidget(measure, 2, 0, 1, 2);
    connect(measure, &QPushButton::clicked, m_actions->measurePlot, &QAction::trigger);
    layout->addWidget(plot);

    auto *direction = makePanel("fraPlotDirection", "Plot Direction");
    auto *directionGrid = new QGridLayout(direction);
    m_direction = make<QComboBox>("cmbDirection");
    for (const char *name : kFacingNames)
        m_direction->addItem(name);
    m_direction->setCurrentIndex(static_cast<int>(Facing::North));
    m_changeDirection = makeButton("Command1", "Change &Direction");
    m_compass = new CompassRose;
    directionGrid->addWidget(m_direction, 0, 0);
    directionGrid->addWidget(m_changeDirection, 1, 0);
    directionGrid->addWidget(m_compass, 0, 1, 2, 1, Qt::AlignCenter);
    // The exact bearing a compass reads at the door, below the facing it refines.
    auto *bearingRow = new QHBoxLayout;
    auto *bearingLabel = makeLabel("lblBearing", "Bearing (\u00b0)");
    m_bearing = make<QLineEdit>("txtBearing");
    m_bearing->setToolTip("The compass bearing the top of the chart faces, in degrees clockwise "
                          "from north (0 to 359.9); press Enter to use it");
    bearingLabel->setBuddy(m_bearing);
    bearingRow->addWidget(bearingLabel);
    bearingRow->addWidget(m_bearing, 1);
    directionGrid->addLayout(bearingRow, 2, 0, 1, 2);
    connect(m_bearing, &QLineEdit::editingFinished, this, &FrmMain::enterBearing);
    connect(m_changeDirection, &QPushButton::clicked, m_actions->changeDirection,
            &QAction::trigger);
    layout->addWidget(direction);

    auto *details = makePanel("fraRoomDetails", "Enter Room/Door Details");
    auto *buttons = new QVBoxLayout(details);
    m_addRoom = makeButton("cmdAddRoom", "&Add Room");
    m_selectRoom = makeButton("cmdDefaultRoom", "&Select Room");
    m_deleteRoom = makeButton("cmdDeleteRoom", "&Delete Room");
    m_door = makeButton("cmdDoor", "Create Door");
    m_deleteDoor = makeButton("cmdDeleteDoor", "&Delete Door");
    m_mainEntrance = makeButton("cmdFrontEntrence", "Main Entrance");
    m_backEntrance = makeButton("cmdBackEntrence", "Back Entrance");
    // Room entry hides the first two while it runs, a door's steps hide "Create Door": the
    // buttons below must not move under the pointer meanwhile.
    for (QPushButton *button : {m_addRoom, m_selectRoom, m_door}) {
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
    }
    for (QPushButton *button : {m_addRoom, m_selectRoom, m_deleteRoom, m_door, m_deleteDoor,
                                m_mainEntrance, m_backEntrance})
        buttons->addWidget(button);
    const std::pair<QPushButton *, QAction *> commands[] = {
        {m_addRoom, m_actions->addRoom},           {m_selectRoom, m_actions->selectRoom},
        {m_deleteRoom, m_actions->deleteRoom},     {m_door, m_actions->createDoor},
        {m_deleteDoor, m_actions->deleteDoor},     {m_mainEntrance, m_actions->mainEntrance},
        {m_backEntrance, m_actions->backEntrance},
    };
    for (const auto &[button, action] : commands)
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
    layout->addWidget(details);
    return column;
}

QWidget *FrmMain::buildChartPanel()
{
    auto *panel = makePanel("fraLayout", "      Layout Of Your Plot      ");
    panel->setAlignment(Qt::AlignHCenter);
    auto *layout = new QVBoxLayout(panel);
    auto *frame = new PlotFrame(*m_document);
    m_chart = frame->chart();
    m_chartArea = new ChartScrollArea(frame);
    layout->addWidget(m_chartArea, 0, Qt::AlignHCenter);

    m_lengthScale = make<QLabel>("lblLengthMesure");
    m_widthScale = make<QLabel>("lblWidthMesure");
    m_lengthScale->hide();
    auto *scales = new QHBoxLayout;
    scales->addWidget(m_lengthScale);
    scales->addStretch();
    scales->addWidget(m_widthScale);
    layout->addLayout(scales);
    return panel;
}

QWidget *FrmMain::buildRoomColumn()
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    layout->addWidget(makeLabel("lblListOfRooms", "List Of Rooms"));
    m_roomList = make<QListWidget>("lstRoom");
    // Every entry is one line of text: measuring one sizes them all.
    m_roomList->setUniformItemSizes(true);
    for (const char *name : kRoomCatalogue) {
        // Each entry carries the list's tip, which a list shows for its entries.
        m_roomList->addItem(name);
        m_roomList->item(m_roomList->count() - 1)->setToolTip(m_roomList->toolTip());
    }
    m_roomList->setEnabled(false);
    m_roomList->setFixedHeight(m_roomList->sizeHintForRow(0) * int(kRoomCatalogue.size()) +
                               2 * m_roomList->frameWidth());
    connect(m_roomList, &QListWidget::itemClicked, this, &FrmMain::pickRoomName);
    // Enter on an entry picks it as a click does; the length is typed next.
    connect(m_roomList, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        pickRoomName(item);
        m_roomLength->setFocus();
    });
    layout->addWidget(m_roomList);

    layout->addWidget(buildDialogArea());

    auto *commands = makePanel("Frame3", "");
    auto *grid = new QGridLayout(commands);
    m_open = makeButton("cmdOpen", "Open");
    m_save = makeButton("Command2", "&Save");
    grid->addWidget(m_open, 0, 0);
    grid->addWidget(m_save, 0, 1);
    auto *analysis = makeButton("cmdAnalysis", "&Vastu Shastra Result");
    connect(analysis, &QPushButton::clicked, m_actions->analysis, &QAction::trigger);
    connect(m_open, &QPushButton::clicked, m_actions->openLayoutFile, &QAction::trigger);
    connect(m_save, &QPushButton::clicked, m_actions->saveLayoutFile, &QAction::trigger);
    grid->addWidget(analysis, 1, 0, 1, 2);
    m_saveJpeg = makeButton("cmdSaveAsJPEG", "Save As &JPEG");
    connect(m_saveJpeg, &QPushButton::clicked, m_actions->exportJpeg, &QAction::trigger);
    grid->addWidget(m_saveJpeg, 2, 0, 1, 2);
    layout->addWidget(commands);
    layout->addStretch();
    return column;
}

QWidget *FrmMain::buildDialogArea()
{
    // The room, door and entrance panels share this area; several may be open at once and
    // then stand one below the other.
    auto *area = new QWidget;
    area->setObjectName("dialogArea");
    auto *stack = new QVBoxLayout(area);
    stack->setContentsMargins(0, 0, 0, 0);

    m_roomPanel = makePanel("fraAddNewRoom", "Enter Room Details");
    auto *grid = new QGridLayout(m_roomPanel);
    m_roomName = makeField("txtAddRoomName", m_dialogs);
    m_roomLength = makeField("txtLength", m_dialogs);
    m_roomWidth = makeField("txtwidth", m_dialogs);
    grid->addWidget(makeLabel("lblRoomName", "Name Of Room"), 0, 0);
    grid->addWidget(m_roomName, 0, 1, 1, 2);
    grid->addWidget(makeLabel("lblRoomLength", "Length"), 1, 0);
    grid->addWidget(m_roomLength, 1, 1, 1, 2);
    grid->addWidget(makeLabel("lblRoomWidth", "Width"), 2, 0);
    grid->addWidget(m_roomWidth, 2, 1, 1, 2);
    auto *ok = makeButton("cmdOK", "&OK");
    auto *cancel = makeButton("cmdCancel", "&Cancel");
    grid->addWidget(ok, 3, 1);
    grid->addWidget(cancel, 3, 2);
    connect(ok, &QPushButton::clicked, this, &FrmMain::confirmRoom);
    connect(cancel, &QPushButton::clicked, this, &FrmMain::cancelRoom);
    m_roomPanel->hide();
    stack->addWidget(m_roomPanel);

    const struct
    {
        OpeningKind kind;
        QPushButton *start;
        QAction *command;
    } openings[] = {
        {OpeningKind::Door, m_door, m_actions->createDoor},
        {OpeningKind::MainEntrance, m_mainEntrance, m_actions->mainEntrance},
        {OpeningKind::BackEntrance, m_backEntrance, m_actions->backEntrance},
    };
    for (const auto &opening : openings) {
        auto *panels = new OpeningPanels(opening.kind, *m_document, m_dialogs, *opening.command,
                                         *opening.start, this);
        stack->addWidget(panels->facingPanel());
        stack->addWidget(panels->sizePanel());
        m_openings.push_back(panels);
    }
    m_dialogStack = stack;
    return area;
}

void FrmMain::showDocument()
{
    showPlot();
    showTitle();
    showSelection();
    const QUndoStack &stack = m_document->undoStack();
    const auto caption = [](const char *action, const QString &step) {
        return step.isEmpty() ? QString(action) : QString(action) + ' ' + step;
    };
    m_actions->undo->setEnabled(stack.canUndo());
    m_actions->undo->setText(caption("&Undo", stack.undoText()));
    m_actions->redo->setEnabled(stack.canRedo());
    m_actions->redo->setText(caption("&Redo", stack.redoText()));
}

void FrmMain::showPlot()
{
    const PlotState &plot = m_document->plot();
    // The fields are the user's while they type: they show the document's plot only when it
    // changed (measured, undone, opened), never over what is being typed.
    if (plot.length != m_shownPlot.length || plot.width != m_shownPlot.width) {
        m_plotLength->setText(QString::fromStdString(plot.length));
        m_plotWidth->setText(QString::fromStdString(plot.width));
    }
    if (m_direction->currentIndex() != static_cast<int>(plot.facing)) {
        m_showingPlot = true;
        m_direction->setCurrentIndex(static_cast<int>(plot.facing));
        m_showingPlot = false;
    }
    m_compass->setCaptions(compassCaptions(plot.compass));
    if (plot.bearing != m_shownPlot.bearing || m_bearing->text().isEmpty())
        m_bearing->setText(QString::fromStdString(formatBearing(plot.bearing)));
    const Actions &a = *m_actions;
    a.zonesByCorner->setChecked(plot.zoneMethod == ZoneMethod::ByCorner);
    a.zonesWheel8->setChecked(plot.zoneMethod == ZoneMethod::Wheel8);
    a.zonesWheel16->setChecked(plot.zoneMethod == ZoneMethod::Wheel16);
    m_shownPlot = plot;

    const Scales &scales = m_document->editor().scales;
    if (!scales.isSet()) {
        m_lengthScale->hide();
        m_lengthScale->clear();
        m_widthScale->clear();
        return;
    }
    const std::string point = QLocale().decimalPoint().toStdString();
    m_lengthScale->show();
    m_lengthScale->setText(QString::fromStdString(lengthScaleCaption(scales, point)));
    m_widthScale->setText(QString::fromStdString(widthScaleCaption(scales, point)));
}

void FrmMain::showTitle()
{
    // A layout with no name and no changes keeps the window's own caption alone.
    const QString &path = m_document->filePath();
    const bool modified = m_document->isModified();
    setWindowFilePath(path);
    if (path.isEmpty())
        setWindowTitle(modified ? QString(kWindowCaption) + "[*]" : QString(kWindowCaption));
    else
        setWindowTitle(m_document->displayName() + "[*] - " + kWindowCaption);
    setWindowModified(modified);
}

bool FrmMain::openLayoutFile(const QString &path)
{
    // A file handed over while an element is held, or while a question waits for its
    // answer, waits for the drop or the answer.
    if (m_chart->holdingButton() != Qt::NoButton || m_dialogs.isAsking() ||
        !m_waitingFiles.isEmpty()) {
        m_waitingFiles.append(path);
        return false;
    }
    return m_documents->openLayoutFile(path);
}

void FrmMain::openWaitingFiles()
{
    while (!m_waitingFiles.isEmpty() && m_chart->holdingButton() == Qt::NoButton &&
           !m_dialogs.isAsking())
        m_documents->openLayoutFile(m_waitingFiles.takeFirst());
}

void FrmMain::keepRecoveryFile(const QString &folder)
{
    delete m_recovery;
    m_recovery = new RecoveryFile(*m_document, m_dialogs, folder, this);
    m_recovery->offerRestore();
}

bool FrmMain::event(QEvent *event)
{
    if (event->type() != QEvent::LayoutRequest) {
        const bool handled = QMainWindow::event(event);
        if (event->type() == QEvent::Resize && !m_fittingContent)
            m_fitsContent = size() == sizeHint();
        return handled;
    }
    // As large as its content before the content changed, it stays so, narrower as well as
    // wider; sized by the user, it keeps the user's size (never less than its content).
    const bool fits = m_fitsContent;
    m_fittingContent = true;
    const bool handled = QMainWindow::event(event);
    if (fits)
        resize(sizeHint());
    m_fittingContent = false;
    m_fitsContent = fits || size() == sizeHint();
    return handled;
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    if (!m_documents->maySetAside()) {
        event->ignore();
        return;
    }
    // A clean end: nothing is left to recover.
    if (m_recovery)
        m_recovery->remove();
    QMainWindow::closeEvent(event);
}

void FrmMain::showAbout()
{
    m_dialogs.showMessage(std::string(kWindowCaption) +
                              "\nJudges the layout of a house against the rules of Vastu "
                              "Shastra.",
                          Icon::Information);
}

QLineEdit *FrmMain::fieldFor(Field field) const
{
    switch (field) {
    case Field::PlotLength:
        return m_plotLength;
    case Field::PlotWidth:
        return m_plotWidth;
    case Field::RoomName:
        return m_roomName;
    case Field::RoomLength:
        return m_roomLength;
    case Field::RoomWidth:
        return m_roomWidth;
    case Field::DoorWidth:
    case Field::DoorLength:
    case Field::MEWidth:
    case Field::MELength:
    case Field::BEWidth:
    case Field::BELength:
        for (const OpeningPanels *panels : m_openings) {
            if (QLineEdit *box = panels->box(field))
                return box;
        }
        break;
    case Field::RoomLeft:
    case Field::RoomTop:
    case Field::None:
        break;
    }
    return nullptr;
}

void FrmMain::refuse(const Refusal &refusal)
{
    showRefusal(m_dialogs, refusal, fieldFor(refusal.focus));
}

bool FrmMain::reducedScaleMeasure()
{
    if (const auto refusal = m_document->measurePlot(textOf(m_plotLength), textOf(m_plotWidth))) {
        refuse(*refusal);
        return false;
    }
    return true;
}

void FrmMain::changeDirection()
{
    m_document->changeDirection();
}

void FrmMain::enterBearing()
{
    const auto bearing = parseBearing(textOf(m_bearing));
    if (!bearing) {
        // Said once for each text refused: leaving the field again with it says nothing more.
        if (m_bearing->text() != m_refusedBearing) {
            m_refusedBearing = m_bearing->text();
            m_dialogs.showMessage(kBearingRefusal, Icon::Information);
            m_bearing->setFocus();
            m_bearing->selectAll();
        }
        return;
    }
    m_refusedBearing.clear();
    m_document->setBearing(*bearing);
    m_bearing->setText(QString::fromStdString(formatBearing(m_document->plot().bearing)));
}

void FrmMain::showSelection()
{
    const ChartTable &table = m_document->table();
    const auto selected = highlightedElement(table);
    const bool room = selected && kindOf(table.at(*selected).text) == ElementKind::Room;
    m_actions->keepInPlace->setEnabled(room);
    m_actions->keepInPlace->setChecked(room && table.at(*selected).keptInPlace);
}

void FrmMain::selectRoom()
{
    if (!reducedScaleMeasure())
        return;
    m_roomList->setEnabled(true);
    m_roomList->setFocus();
    m_selectRoom->hide();
}

void FrmMain::addRoom()
{
    if (!reducedScaleMeasure())
        return;
    if (!m_dialogs.askYesNo("Do you want to create a  new room ?", Icon::None))
        return;
    m_roomName->clear();
    m_roomLength->clear();
    m_roomWidth->clear();
    m_roomPanel->show();
    m_roomName->setFocus();
    m_addRoom->hide();
}

void FrmMain::pickRoomName(QListWidgetItem *item)
{
    m_roomPanel->show();
    m_roomName->setText(item->text());
}

void FrmMain::confirmRoom()
{
    const RoomEntry entry{textOf(m_roomName), textOf(m_roomLength), textOf(m_roomWidth),
                          textOf(m_plotLength), textOf(m_plotWidth)};
    const auto result = m_document->createRoom(entry);
    if (const auto *refusal = std::get_if<Refusal>(&result)) {
        refuse(*refusal);
        return;
    }

    m_roomPanel->hide();
    m_selectRoom->show();
    m_changeDirection->setFocus();
    m_roomList->setEnabled(false);
    m_addRoom->show();
    m_roomLength->clear();
    m_roomWidth->clear();
    m_dialogs.showMessage("Now Drag The Room To Bring It To Your Prefered Position", Icon::None);
}

void FrmMain::runAnalysis()
{
    const PlotState &plot = m_document->plot();
    const int facing = static_cast<int>(plot.facing);
    // The specified report, and on a wheel the section on the zones that follows it.
    const ZoneSettings settings = zoneSettings(*m_document);
    const std::string report =
        settings.method == ZoneMethod::ByCorner || !editor().scales.isSet()
            ? RunAnalysis(editor().txtRoom, facing)
            : reportWithZones(editor().txtRoom,
                              analyseZones(editor().txtRoom, settings, m_zoneRules->ruleSet(),
                                           m_zoneRules->table()));
    // The PDF draws the plan image as the chart shows it.
    ReportSubject subject{editor().txtRoom, plot.length,           plot.width,
                          facing,           m_chart->planSource(), editor().plan.opacity / 100.0};
    if (settings.method != ZoneMethod::ByCorner && editor().scales.isSet()) {
        subject.wheel = settings;
        subject.ruleSet = m_zoneRules->ruleSet();
    }
    auto *display = new FrmDisplay(m_dialogs, report, std::move(subject), this);
    connect(display, &FrmDisplay::left, this, &QWidget::show);
    display->show();
    hide();
}

void FrmMain::setLayoutFolder(const QString &folder)
{
    m_fileCommands->setLayoutFolder(folder);
}

void FrmMain::cancelRoom()
{
    m_roomPanel->hide();
    m_addRoom->show();
    m_selectRoom->show();
    m_roomList->setEnabled(false);
    m_roomName->clear();
    m_roomLength->clear();
    m_roomWidth->clear();
}

} // namespace tessel
