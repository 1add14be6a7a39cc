#pragma once

#include "model/editor.h"
#include "model/openings.h"
#include "storage/layout_document.h"
#include "storage/layout_file.h"

#include <string>

namespace tessel::testing {

inline int addElement(Editor &editor, const std::string &text, float left, float top, float width,
                      float height, std::int16_t border = 1)
{
    return *appendElement(editor.txtRoom, {text, left, top, width, height, border});
}

// Deleting parks an element, disabled and without size, at the chart's far corner.
inline void park(Editor &editor, int index, const std::string &newText)
{
    ChartElement &element = editor.txtRoom.at(index);
    element.text = newText;
    element.left = element.top = 4800;
    element.width = element.height = 0;
    element.enabled = false;
}

// A plan that passes every check of a save: two rooms side by side, a door, the main
// entrance on the kitchen's outer wall and the back entrance on the hall's.
inline Editor samplePlan()
{
    Editor editor;
    editor.scales = {10, 5};
    editor.roomCreated = true;
    addElement(editor, "Kitchen", 0, 0, 1600, 800, 0); // 1
    addElement(editor, "Hall", 1600, 0, 1600, 800, 0); // 2
    addElement(editor, "", 800, 800, 400, 0);          // 3, a door on the kitchen
    editor.doorsPresent = true;
    addElement(editor, "Main Entrance", 0, 200, 0, 400); // 4
    editor.mainEntranceIndex = 4;
    addElement(editor, "Back Entrance", 3200, 200, 0, 533.3333f); // 5
    editor.backEntranceIndex = 5;
    return editor;
}

// The sample plan with a deleted room, a deleted door, a door of another border, and a name
// with quotes at fractional positions.
inline LayoutDocument samplePlanDocument(Facing facing)
{
    Editor editor = samplePlan();
    addElement(editor, "Caf\xC3\xA9 \"Nook\"", 1066.667f, 0.001f, 533.3333f, 1.0f / 3, 0);
    park(editor, addElement(editor, "Store Room", 0, 800, 800, 800), "Store Room");
    const int door = addElement(editor, "", 1600, 400, 0, 400);
    park(editor, door, "Deleted Door");
    editor.txtRoom.at(door).fillOverride = kDeletedOpeningFill;
    addElement(editor, "", 2000, 800, 400, 0, 5);
    return {"60.5", "3O", facing, editor.txtRoom};
}

} // namespace tessel::testing
