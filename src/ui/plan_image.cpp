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

QImage decodePlanImage(const QByteArray &bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    // Independent of the bytes it was read from.
    image.detach();
    return image;
}

QByteArray planImageBytes(const PlanImage &plan)
{
    if (!plan.isSet())
        return {};
    const std::string &base64 = *plan.base64;
    auto bytes = QByteArray::fromBase64Encoding(
        QByteArray::fromRawData(base64.data(), qsizetype(base64.size())),
        QByteArray::AbortOnBase64DecodingErrors);
    if (!bytes || std::size_t(bytes.decoded.size()) > kMaxPlanImageBytes)
        return {};
    return std::move(bytes.decoded);
}

std::optional<std::string> planImageFault(const QByteArray &bytes)
{
    if (std::size_t(bytes.size()) > kMaxPlanImageBytes)
        return "it is larger than " + std::to_string(kMaxPlanImageBytes / (1024 * 1024)) + " MB";
    const std::string side =
        "it is larger than " + std::to_string(kMaxPlanImageSide) + " pixels on a side";
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return "it is not an image Tessel can read";
    const QSize size = reader.size();
    if (size.width() > kMaxPlanImageSide || size.height() > kMaxPlanImageSide)
        return side;
    const QImage image = decodePlanImage(bytes);
    if (image.isNull())
        return "it is not an image Tessel can read";
    if (image.width() > kMaxPlanImageSide || image.height() > kMaxPlanImageSide)
        return side;
    return std::nullopt;
}

std::optional<std::string> planImageFault(const PlanImage &plan)
{
    const QByteArray bytes = planImageBytes(plan);
    if (bytes.isEmpty())
        return std::string("it is not an image Tessel can read");
    return planImageFault(bytes);
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
    if (const auto fault = planImageFault(bytes))
        return refuse(*fault);
    // Kept as the document keeps it.
    m_document.setPlanImage(
        PlanImage{std::make_shared<const std::string>(bytes.toBase64().toStdString()),
                  kDefaultPlanOpacity, true});
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
