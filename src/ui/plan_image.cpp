#include "ui/plan_image.h"

#include "model/dialogs.h"
#include "model/editor.h"
#include "model/plan_image.h"
#include "ui/chart_widget.h"
#include "ui/document.h"
#include "ui/plan_image_decoder.h"
#include "ui/qt_file_access.h"
#include "ui/undo_history.h"

#include <QAction>
#include <QActionGroup>
#include <QImageReader>
#include <QMenu>

namespace tessel {

namespace {

std::string quoted(const QString &path)
{
    return "\"" + path.toStdString() + "\"";
}

// Every format the image readers at hand take.
std::string imageFilter()
{
    QStringList patterns;
    for (const QByteArray &suffix : QImageReader::supportedImageFormats())
        patterns << "*." + QString::fromLatin1(suffix);
    return "Images (" + patterns.join(' ').toStdString() + ");;All Files (*)";
}

} // namespace

PlanImageCommands::PlanImageCommands(Document &document, Dialogs &dialogs, ChartWidget &chart,
                                     QMenu &file, QMenu &view, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_dialogs(dialogs)
    , m_chart(chart)
{
    QAction *before = nullptr;
    for (QAction *action : file.actions()) {
        if (action->isSeparator())
            before = action;
    }
    auto *load = new QAction("Plan &Image...", &file);
    load->setObjectName("mnuPlanImage");
    connect(load, &QAction::triggered, this, &PlanImageCommands::loadPlanImage);
    m_remove = new QAction("Remove Plan Image", &file);
    m_remove->setObjectName("mnuRemovePlanImage");
    connect(m_remove, &QAction::triggered, this, &PlanImageCommands::removePlanImage);
    file.insertActions(before, {load, m_remove});
    if (before)
        file.insertSeparator(load);

    view.addSeparator();
    m_show = view.addAction("Show &Plan Image");
    m_show->setObjectName("mnuShowPlanImage");
    m_show->setCheckable(true);
    connect(m_show, &QAction::triggered, this, &PlanImageCommands::setShown);
    QMenu *opacity = view.addMenu("Plan Image &Opacity");
    opacity->setObjectName("mnuPlanOpacity");
    auto *group = new QActionGroup(opacity);
    const char *const captions[] = {"&Faint (25 %)", "&Half (50 %)", "&Opaque (100 %)"};
    for (std::size_t i = 0; i < std::size(kPlanOpacitySteps); ++i) {
        const int percent = kPlanOpacitySteps[i];
        QAction *step = opacity->addAction(captions[i]);
        step->setObjectName(QStringLiteral("mnuPlanOpacity%1").arg(percent));
        step->setCheckable(true);
        group->addAction(step);
        connect(step, &QAction::triggered, this, [this, percent] { setOpacity(percent); });
        m_opacities.emplace_back(percent, step);
    }

    connect(&m_document, &Document::changed, this, &PlanImageCommands::follow);
    follow();
}

bool PlanImageCommands::loadPlanImage()
{
    const auto path = m_dialogs.askImageFileName(imageFilter());
    if (!path || path->empty())
        return false;
    return loadPlanImageFile(QString::fromStdString(*path));
}

bool PlanImageCommands::loadPlanImageFile(const QString &path)
{
    const auto refuse = [&](const std::string &why) {
        m_dialogs.showMessage("The plan image " + quoted(path) + " cannot be used: " + why +
                                  ".\n\nNothing was changed.",
                              Icon::Critical);
        return false;
    };
    FileAccess::Content content = QtFileAccess().readAll(path.toStdString(), kMaxPlanImageBytes);
    if (!content.ok)
        return refuse(content.error);
    DecodedPlanImage decoded = decodePlanImage(QByteArrayView(content.bytes));
    if (decoded.image.isNull())
        return refuse(decoded.refusal);
    // The document keeps the file's bytes as they were read; the chart shows them decoded.
    auto bytes = std::make_shared<const std::string>(std::move(content.bytes));
    m_decodedBytes = bytes;
    m_decoded = decoded.image;
    m_document.history().record("Load Plan Image", 0, [&] {
        m_document.editor().plan = PlanImage{bytes, kDefaultPlanOpacity, true};
    });
    return true;
}

void PlanImageCommands::removePlanImage()
{
    if (!m_document.editor().plan.isSet())
        return;
    m_document.history().record("Remove Plan Image", 0,
                                [&] { m_document.editor().plan = PlanImage{}; });
}

void PlanImageCommands::setShown(bool shown)
{
    PlanImage plan = m_document.editor().plan;
    if (!plan.isSet() || plan.shown == shown) {
        follow();
        return;
    }
    plan.shown = shown;
    m_document.history().record(shown ? "Show Plan Image" : "Hide Plan Image", 0,
                                [&] { m_document.editor().plan = plan; });
}

void PlanImageCommands::setOpacity(int percent)
{
    PlanImage plan = m_document.editor().plan;
    if (!plan.isSet() || plan.opacity == percent) {
        follow();
        return;
    }
    plan.opacity = percent;
    m_document.history().record("Plan Image Opacity", 0, [&] { m_document.editor().plan = plan; });
}

void PlanImageCommands::follow()
{
    const PlanImage &plan = m_document.editor().plan;
    if (plan.bytes != m_decodedBytes) {
        m_decodedBytes = plan.bytes;
        m_decoded = plan.isSet() ? decodePlanImage(QByteArrayView(*plan.bytes)).image : QImage();
    }
    const bool has = plan.isSet() && !m_decoded.isNull();
    m_remove->setEnabled(plan.isSet());
    m_show->setEnabled(has);
    m_show->setChecked(has && plan.shown);
    for (const auto &[percent, step] : m_opacities) {
        step->setEnabled(has);
        step->setChecked(plan.opacity == percent);
    }
    m_chart.setPlanImage(shownImage(), shownOpacity());
}

QImage PlanImageCommands::shownImage() const
{
    const PlanImage &plan = m_document.editor().plan;
    return plan.isSet() && plan.shown ? m_decoded : QImage();
}

double PlanImageCommands::shownOpacity() const
{
    return m_document.editor().plan.opacity / 100.0;
}

} // namespace tessel
