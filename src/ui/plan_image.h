#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>

#include <optional>
#include <string>

namespace tessel {

class Dialogs;
class Document;
struct Actions;
struct PlanImage;

// A plan image's file bytes as a picture; a null image for bytes that are no image.
QImage decodePlanImage(const QByteArray &bytes);
// The file's bytes of the plan image a document keeps in base64; empty when the text is no
// base64 or holds more than a plan image may.
QByteArray planImageBytes(const PlanImage &plan);
// Why an image file's bytes cannot be a plan image ("it is not an image Tessel can read",
// ...), or nothing when they can.
std::optional<std::string> planImageFault(const QByteArray &bytes);
// The same checks for the image a document brings: an image loaded from the menu and one
// opened or restored pass the same ones.
std::optional<std::string> planImageFault(const PlanImage &plan);

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
