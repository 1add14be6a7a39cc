#include "ui/document.h"

#include "storage/layout_commands.h"
#include "ui/undo_history.h"

#include <QFileInfo>

namespace tessel {

Document::Document(QObject *parent)
    : QObject(parent)
    , m_history(std::make_unique<History>(m_editor))
{
    connect(m_history.get(), &History::changed, this, &Document::changed);
}

Document::~Document() = default;

void Document::setPlotAccess(ReadPlot read, ShowPlot show)
{
    m_readPlot = std::move(read);
    m_showPlot = std::move(show);
}

PlotEntry Document::plot() const
{
    return m_readPlot ? m_readPlot() : PlotEntry{};
}

QString Document::displayName() const
{
    return m_filePath.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_filePath).fileName();
}

bool Document::isModified() const
{
    return m_unsavedLoad || !m_history->isClean();
}

void Document::load(ChartTable table, const PlotEntry &plot, const QString &filePath, bool modified,
                    PlanImage plan)
{
    m_history->clear();
    replaceChart(m_editor, std::move(table));
    m_editor.plan = std::move(plan);
    if (m_showPlot)
        m_showPlot(plot);
    m_filePath = filePath;
    m_unsavedLoad = modified;
    emit changed();
}

void Document::markSaved(const QString &filePath)
{
    m_filePath = filePath;
    m_unsavedLoad = false;
    m_history->setClean();
    emit changed();
}

} // namespace tessel
