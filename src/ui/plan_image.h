#pragma once

#include "ui/plan_image_decoder.h"

#include <QImage>
#include <QObject>

#include <memory>
#include <string>

namespace tessel {

class Dialogs;
class Document;
struct Actions;
struct PlanImage;

// The plan images documents hold, decoded once for each image: the one a document brings is
// checked as it opens, then drawn by the chart and printed from the same decoding.
class PlanImageCache
{
public:
    // The image, or why it cannot be a plan image (a refusal that follows "cannot be used: ").
    const DecodedPlanImage &decoded(const PlanImage &plan) const;
    // Keeps what these bytes were found to be when they were checked.
    void keep(const PlanImage &plan, DecodedPlanImage decoded) const;

private:
    mutable std::shared_ptr<const std::string> m_base64;
    mutable DecodedPlanImage m_decoded;
};

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

    // The image as the chart shows it, null when there is none or it is hidden, and its
    // opacity (0 to 1).
    QImage shownImage() const;
    double shownOpacity() const;

private:
    void follow();

    Document &m_document;
    Dialogs &m_dialogs;
    const Actions &m_actions;
};

} // namespace tessel
