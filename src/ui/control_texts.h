#pragma once

#include "model/filters.h"

#include <array>
#include <string_view>

namespace tessel {

// What the controls of the main window are known by, kept in one place of the window's
// side: their tips, and the filters of their entry fields.

// The tip a control of the main window shows while the pointer rests on it.
struct Hint
{
    const char *control;
    const char *text;
};

inline constexpr Hint kHints[] = {
    {"cmdMesure", "Click on this button to reduce the scale of your Plot"},
    {"Command1", "Select new direction and click on this button"},
    {"fraPlotDirection", "Select Direction of your Plot Here"},
    {"lblPlotLength", "Enter Length of Plot"},
    {"lblPlotWidth", "Enter Width of Plot"},
    {"picRoomLocation", "Drag and drop Chosen Room to change position"},
    {"lblListOfRooms", "Click on chosen Room to enter Room Details"},
    {"lstRoom", "Click on chosen Room to enter Area Details"},
    {"cmdDefaultRoom", "Click on this button and select one room from Room List"},
    {"cmdDeleteRoom", "Click on this button to delete selected room from Plot Chart"},
    {"lblRoomName", "This shows name of chosen Room"},
    {"txtAddRoomName", "This shows name of chosen Room"},
    {"lblRoomLength", "Enter Length of Room"},
    {"txtLength", "Enter Length of Room"},
    {"lblRoomWidth", "Enter Width of Room"},
    {"txtwidth", "Enter Width of Room"},
    {"cmdOK", "Click here if you have entered correct Length and Width"},
    {"cmdCancel", "Click here if you have not entered correct Length and Width"},
    {"cmdDoor", "Click on this button to create a Door for the selected Room in the Plot Chart"},
    {"cmdDeleteDoor", "Click on this button to delete selected door from Plot Chart"},
    {"cmdDoorOk", "Click here if you have entered the correct Lengt of The Door."},
    {"cmdDoorCancel", "Click here if you have NOT entered the correct Lengt of The Door."},
    {"cmdDoorDirectionOk", "Click here if you have entered the correct Facing Direction"},
    {"cmdDoorDirectionCancel", "Click here if you have NOT entered the correct Facing Direction"},
    {"cmdMEDirectionCancel", "Click here if you have NOT entered the correct Facing Direction"},
    {"cmdBEDirectionCancel", "Click here if you have NOT entered the correct Facing Direction"},
    {"cmdMEDirectionOk", "Click here if you have entered the correct Facing Direction."},
    {"cmdBEDirectionOk", "Click here if you have entered the correct Facing Direction."},
    {"cmdMEOk", "Click here if you have entered the correct Lengt of The Main Entrance."},
    {"cmdMECancel", "Click here if you have NOT entered the correct Lengt of The Main Entrance."},
    {"cmdBEOk", "Click here if you have entered the correct Lengt of The Back Entrance."},
    {"cmdBECancel", "Click here if you have NOT entered the correct Lengt of The Back Entrance."},
    {"cmdOpen", "Click on this button to open previously saved Chart"},
    {"Command2", "Click on this button to save Current Chart"},
    {"cmdAnalysis", "Click here to view the Vastu Result for your Home"},
    {"optEast", "Choose this option if Facing Direction of new Door is East"},
    {"optNorth", "Choose this option if Facing Direction of new Door is North"},
    {"optSouth", "Choose this option if Facing Direction of new Door is South"},
    {"optWest", "Choose this option if Facing Direction of new Door is West"},
    {"optMEEast", "Choose this option if Facing Direction of new Main Entrance is East"},
    {"optMENorth", "Choose this option if Facing Direction of new Main Entrance is North"},
    {"OptMEWest", "Choose this option if Facing Direction of new Main Entrance is West"},
    {"OptMESouth", "Choose this option if Facing Direction of Main Entrance is South"},
    {"optBEEast", "Choose this option if Facing Direction of new Back Entrance is East"},
    {"optBENorth", "Choose this option if Facing Direction of new Back Entrance is North"},
    {"OptBESouth", "Choose this option if Facing Direction of new Back Entrance is South"},
    {"OptBEWest", "Choose this option if Facing Direction of new Back Entrance is West"},
};

// The entrance buttons tell what they will do: create while they show their first caption,
// delete once the entrance exists.
struct CaptionHint
{
    const char *control;
    const char *caption;
    const char *whileCaption;
    const char *otherwise;

    std::string_view textFor(std::string_view shownCaption) const
    {
        return shownCaption == caption ? whileCaption : otherwise;
    }
};

inline constexpr CaptionHint kCaptionHints[] = {
    {"cmdFrontEntrence", "Main Entrance",
     "Create a Room and Click on this button to create the Main Entrance in the Plot Chart",
     "Click on this button to delete Main Entrance from Plot Chart"},
    {"cmdBackEntrence", "Back Entrance",
     "Click on this button to create the Back Entrance in the Plot Chart",
     "Click on this button to delete Back Entrance from Plot Chart"},
};

// A size field by its name, with what it says of a refused character.
struct NumericField
{
    const char *name;
    NumericMessages messages;
};

// Every size field of the window.
inline constexpr std::array<NumericField, 12> kNumericFields = {{
    {"txtPlotLength", {"Please enter only number", "Please enter only number"}},
    {"txtPlotWidth", {"Please enter only number", "Please enter only number"}},
    {"txtLength", {"Please enter only number", "Please enter only number"}},
    {"txtwidth", {"Please enter only number", "Please enter  only number"}},
    {"txtDoorLength", {"Please enter only number", "Please enter only number"}},
    {"txtDoorWidth", {"Please enter only number", "Please enter only Number"}},
    {"txtMELength", {"Please enter only number", "Please enter only number"}},
    {"txtMEWidth", {"Please enter only number", "Please enter only number"}},
    {"txtBELength", {"Please enter only number", "Please enter only number"}},
    {"txtBEWidth", {"Please enter only number", "Please enter only number"}},
    // The position of a room in its properties.
    {"txtRoomLeft", {"Please enter only number", "Please enter only number"}},
    {"txtRoomTop", {"Please enter only number", "Please enter only number"}},
}};

// The field whose room name is typed in capitals.
inline constexpr const char *kRoomNameField = "txtAddRoomName";

} // namespace tessel
