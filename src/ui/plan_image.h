#pragma once

#include <QImage>
#include <QObject>

#include <optional>
#include <string>

namespace tessel {

class Dialogs;
class Document;
struct Actions;

// A plan image's file bytes as a picture; a null image for bytes that are no image.
QImage decodePlanImage(const std::string &bytes);
// Why these bytes cannot be a plan image ("it is not an image Tessel can read", ...), or
// nothing when they can: the checks of an image loaded from the menu and of one a document
// brings alike.
std::optional<std::string> planImageFault(const std::string &bytes);

// The plan image of the document: "Plan &Image..." and "Remove Plan Image" in the File menu,
// "Show &Plan Image" and its opacity in the View menu. Loading, removing, showing or hiding it
// and changing its opacity are steps of the history; the chart shows it as the document
// holds it.
class PlanImageCommands : public QObject
{
    Q_OBJECT
public:
    PlanImageCommands(Document &document, Dialogs &dialogs, const Actions &actions,
                      QObject *parent = nullptr);

    // Asks for an image file and puts it under the rooms; false when cancelled or refused.
    bool loadPlanImage();
    // Puts this file under the rooms; an unreadable, foreign or too large file is refused
    // with a message and nothing changes.
    bool loadPlanImageFile(const QString &path);
    void removePlanImage();
    void setShown(bool shown);
    void setOpacity(int percent);

private:
    void follow();

    Document &m_document;
    Dialogs &m_dialogs;
    const Actions &m_actions;
};

} // namespace tessel
