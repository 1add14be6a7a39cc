#include "ui/arrangement_panel.h"

#include "analysis/zone_analysis.h"
#include "model/placement.h"
#include "ui/chart_widget.h"
#include "ui/document.h"
#include "ui/make_widget.h"
#include "ui/zone_rules.h"

#include <QAction>
#include <QGridLayout>
#include <QProgressBar>
#include <QThread>

#include <string>

namespace tessel {

ArrangementPanel::ArrangementPanel(Document &document, const ZoneRules &rules, ChartWidget &chart,
                                   const QAction &snapToFeet, QAction &suggest, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_rules(rules)
    , m_chart(chart)
    , m_snapToFeet(snapToFeet)
{
    m_panel = makePanel("fraSuggestArrangement", "Suggested Arrangement");
    auto *grid = new QGridLayout(m_panel);
    m_summary = make<QLabel>("lblArrangementSummary");
    m_summary->setWordWrap(true);
    m_shortfalls = make<QLabel>("lblArrangementShortfalls");
    m_shortfalls->setWordWrap(true);
    m_progress = make<QProgressBar>("prgArrangement");
    m_progress->setRange(0, 100);
    m_apply = makeButton("cmdApplyArrangement", "A&pply");
    auto *cancelButton = makeButton("cmdCancelArrangement", "&Cancel");
    grid->addWidget(m_summary, 0, 0, 1, 2);
    grid->addWidget(m_shortfalls, 1, 0, 1, 2);
    grid->addWidget(m_progress, 2, 0, 1, 2);
    grid->addWidget(m_apply, 3, 0);
    grid->addWidget(cancelButton, 3, 1);
    m_panel->hide();

    connect(&suggest, &QAction::triggered, this, &ArrangementPanel::suggest);
    connect(m_apply, &QPushButton::clicked, this, &ArrangementPanel::apply);
    connect(cancelButton, &QPushButton::clicked, this, &ArrangementPanel::cancel);
    connect(&document, &Document::changed, this, [this] {
        if (!m_applying && (m_thread || m_proposal))
            close();
    });
}

ArrangementPanel::~ArrangementPanel()
{
    stop();
}

void ArrangementPanel::suggest()
{
    close();
    // Everything the search reads is its own copy.
    ArrangementRequest request{
        m_document.table(), m_document.editor().scales,
        arrangementJudge(zoneSettings(m_document), m_rules.ruleSet(), m_rules.table())};
    request.snapToFeet = m_snapToFeet.isChecked();

    m_summary->setText("Looking for places where the rooms' rules want them...");
    m_shortfalls->clear();
    m_shortfalls->hide();
    m_progress->setValue(0);
    m_progress->show();
    m_apply->setEnabled(false);
    m_panel->show();

    auto cancel = std::make_shared<std::atomic<bool>>(false);
    m_cancel = cancel;
    m_thread = QThread::create([this, request = std::move(request), cancel] {
        Arrangement found = arrange(
            request,
            [this](const ArrangementProgress &progress) {
                QMetaObject::invokeMethod(
                    this, [this, progress] { progressed(progress); }, Qt::QueuedConnection);
            },
            cancel.get());
        if (!*cancel)
            QMetaObject::invokeMethod(
                this, [this, found = std::move(found)]() mutable { finished(std::move(found)); },
                Qt::QueuedConnection);
    });
    m_thread->start();
}

void ArrangementPanel::progressed(const ArrangementProgress &progress)
{
    if (!m_thread)
        return;
    m_progress->setValue(int(progress.fraction * 100));
    m_summary->setText(QStringLiteral("Looking... best so far: %1 in their best zone, %2 "
                                      "acceptable, %3 move advised")
                           .arg(progress.best.best)
                           .arg(progress.best.acceptable)
                           .arg(progress.best.moveAdvised));
}

void ArrangementPanel::finished(Arrangement arrangement)
{
    if (!m_thread)
        return;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_progress->hide();
    m_summary->setText(QString::fromStdString(arrangement.summary));
    QStringList reasons;
    for (const RoomShortfall &shortfall : arrangement.shortfalls)
        reasons << QString::fromStdString(shortfall.message);
    m_shortfalls->setText(reasons.join('\n'));
    m_shortfalls->setVisible(!reasons.isEmpty());
    m_apply->setEnabled(!arrangement.moves.empty());
    m_proposal = std::move(arrangement);
    m_chart.showArrangement(&*m_proposal);
}

void ArrangementPanel::apply()
{
    if (!m_proposal)
        return;
    m_applying = true;
    m_document.applyArrangement(*m_proposal);
    m_applying = false;
    close();
}

void ArrangementPanel::cancel()
{
    close();
}

void ArrangementPanel::stop()
{
    if (!m_thread)
        return;
    *m_cancel = true;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

void ArrangementPanel::close()
{
    stop();
    m_proposal.reset();
    m_chart.showArrangement(nullptr);
    m_panel->hide();
}

} // namespace tessel
