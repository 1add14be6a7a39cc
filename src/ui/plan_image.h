#pragma once

#include <QImage>
#include <QObject>

#include <memory>
#include <string>

class QAction;
class QMenu;

namespace tessel {

class ChartWidget;
class Dialogs;
class Document;

// The plan image of the document: "Plan &Image..." and "Remove Plan Image" in the File menu,
// "Show &Plan Image" and its opacity in the View menu. Loading, removing, showing or hiding it
// and changing its opacity are steps of the history; the chart shows it as the document
// holds it, decoded once for each image loaded.
class PlanImageCommands : public QObject
{
    Q_OBJECT
public:
    // The File menu's items go before its last separator (before "E&xit").
    PlanImageCommands(Document &document, Dialogs &dialogs, ChartWidget &chart, QMenu &file,
                      QMenu &view, QObject *parent = nullptr);

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
    ChartWidget &m_chart;
    QAction *m_remove = nullptr;
    QAction *m_show = nullptr;
    std::vector<std::pair<int, QAction *>> m_opacities;
    // The image decoded from the bytes it was decoded from.
    std::shared_ptr<const std::string> m_decodedBytes;
    QImage m_decoded;
};

} // namespace tessel
