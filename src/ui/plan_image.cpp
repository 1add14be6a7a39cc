#include "ui/plan_image.h"

#include "model/dialogs.h"
#include "model/editor.h"
#include "model/plan_image.h"
#include "ui/actions.h"
#include "ui/document.h"
#include "ui/qt_file_access.h"

#include <QAction>
#include <QBuffer>
#include <QImageReader>

#include <iterator>

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

const DecodedPlanImage &PlanImageCache::decoded(const PlanImage &plan) const
{
    if (plan.base64 != m_base64 || !m_base64) {
        m_base64 = plan.base64;
        m_decoded = decodePlanImage(plan);
    }
    return m_decoded;
}

void PlanImageCache::keep(const PlanImage &plan, DecodedPlanImage decoded) const
{
    m_base64 = plan.base64;
    m_decoded = std::move(decoded);
}

PlanImageCommands::PlanImageCommands(Document &document, Dialogs &dialogs, const Actions &actions,
                                     QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_dialogs(dialogs)
    , m_actions(actions)
{
    connect(actions.planImage, &QAction::triggered, this, &PlanImageCommands::loadPlanImage);
    connect(actions.removePlanImage, &QAction::triggered, this,
            &PlanImageCommands::removePlanImage);
    connect(actions.showPlanImage, &QAction::triggered, this, &PlanImageCommands::setShown);
    for (std::size_t i = 0; i < std::size(kPlanOpacitySteps); ++i) {
        const int percent = kPlanOpacitySteps[i];
        connect(actions.planOpacity[i], &QAction::triggered, this,
                [this, percent] { setOpacity(percent); });
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
    const QByteArray bytes =
        QByteArray::fromRawData(content.bytes.data(), qsizetype(content.bytes.size()));
    DecodedPlanImage decoded = decodePlanImage(QByteArrayView(bytes));
    if (decoded.image.isNull())
        return refuse(decoded.refusal);
    // Kept as the document keeps it, the file's bytes as they were read.
    const PlanImage plan{std::make_shared<const std::string>(bytes.toBase64().toStdString()),
                         kDefaultPlanOpacity, true};
    m_document.planImages().keep(plan, std::move(decoded));
    m_document.setPlanImage(plan);
    return true;
}

void PlanImageCommands::removePlanImage()
{
    m_document.removePlanImage();
}

void PlanImageCommands::setShown(bool shown)
{
    m_document.showPlanImage(shown);
}

void PlanImageCommands::setOpacity(int percent)
{
    m_document.setPlanOpacity(percent);
}

void PlanImageCommands::follow()
{
    const PlanImage &plan = m_document.editor().plan;
    // A document's image passed the checks of a loaded one when it was opened.
    const bool has = plan.isSet();
    m_actions.removePlanImage->setEnabled(has);
    m_actions.showPlanImage->setEnabled(has);
    m_actions.showPlanImage->setChecked(has && plan.shown);
    for (std::size_t i = 0; i < std::size(kPlanOpacitySteps); ++i) {
        m_actions.planOpacity[i]->setEnabled(has);
        m_actions.planOpacity[i]->setChecked(plan.opacity == kPlanOpacitySteps[i]);
    }
}

} // namespace tessel
