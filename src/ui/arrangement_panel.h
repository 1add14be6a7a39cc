#pragma once

#include "analysis/arrangement.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <optional>

class QAction;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QThread;

namespace tessel {

class ChartWidget;
class Dialogs;
class Document;
class ZoneRules;

// "Suggest &Arrangement...": looks for new places for the rooms on a thread of its own, shows
// its progress and then its proposal in a panel of the window (fraSuggestArrangement) and on
// the chart, and changes the layout only when the proposal is applied, as one step. Cancel
// stops the search, or sets the proposal aside. A change to the layout meanwhile makes the
// proposal stale: it is set aside.
class ArrangementPanel : public QObject
{
    Q_OBJECT
public:
    // snapToFeet: whether the proposed corners lie on whole feet.
    ArrangementPanel(Document &document, const ZoneRules &rules, ChartWidget &chart,
                     const QAction &snapToFeet, QAction &suggest, QObject *parent = nullptr);
    ~ArrangementPanel() override;

    QGroupBox *panel() const { return m_panel; }
    // The proposal shown, if the search has ended.
    const Arrangement *proposal() const { return m_proposal ? &*m_proposal : nullptr; }
    bool isSearching() const { return m_thread != nullptr; }

    void suggest();
    void apply();
    void cancel();

private:
    void progressed(const ArrangementProgress &progress);
    void finished(Arrangement arrangement);
    void stop();
    void close();

    Document &m_document;
    const ZoneRules &m_rules;
    ChartWidget &m_chart;
    const QAction &m_snapToFeet;
    QGroupBox *m_panel = nullptr;
    QLabel *m_summary = nullptr;
    QLabel *m_shortfalls = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_apply = nullptr;
    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    std::optional<Arrangement> m_proposal;
    // While the proposal is applied, the document's change is no reason to set it aside.
    bool m_applying = false;
};

} // namespace tessel
