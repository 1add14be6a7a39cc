#include "ui/recovery.h"

#include "model/dialogs.h"
#include "storage/layout_document.h"
#include "storage/layout_file.h"
#include "ui/document.h"
#include "ui/plan_image.h"
#include "ui/qt_file_access.h"

#include <QFile>
#include <QFileInfo>

namespace tessel {

RecoveryFile::RecoveryFile(Document &document, QString path, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_path(std::move(path))
{
    m_writer.setMaxThreadCount(1);
    m_delay.setSingleShot(true);
    m_delay.setInterval(kDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &RecoveryFile::write);
    connect(&m_document, &Document::changed, this, &RecoveryFile::follow);
}

RecoveryFile::~RecoveryFile()
{
    m_writer.waitForDone();
}

void RecoveryFile::follow()
{
    // Not started again by later changes: a run of changes is still written within the delay
    // of its first, and the copy taken then holds them all.
    if (m_document.isModified()) {
        if (!m_delay.isActive())
            m_delay.start();
    } else {
        remove();
    }
}

void RecoveryFile::write()
{
    const PlotState &plot = m_document.plot();
    LayoutDocument copy{plot.length, plot.width, plot.facing, m_document.editor().txtRoom};
    copy.filePath = m_document.filePath().toStdString();
    copy.plan = m_document.editor().plan;
    m_writer.start([copy = std::move(copy), path = m_path.toStdString()] {
        // A recovery file that cannot be written is no reason to interrupt the user's work.
        (void)QtFileAccess().writeAtomically(path, writeLayoutDocument(copy));
    });
}

void RecoveryFile::writeNow()
{
    m_delay.stop();
    write();
    m_writer.waitForDone();
}

void RecoveryFile::remove()
{
    m_delay.stop();
    m_writer.waitForDone();
    QFile::remove(m_path);
}

void RecoveryFile::offerRestore(Dialogs &dialogs)
{
    if (!QFileInfo::exists(m_path))
        return;
    const FileAccess::Content content =
        QtFileAccess().readAll(m_path.toStdString(), kMaxLayoutFileBytes);
    DocumentReadResult read = content.ok ? readLayoutDocument(content.bytes) : DocumentReadResult{};
    if (!read.document) {
        dialogs.showMessage("Tessel was not ended properly last time, and the layout it kept "
                            "for that case cannot be read: " +
                                (content.ok ? read.error : content.error) + ".",
                            Icon::Critical);
        remove();
        return;
    }
    LayoutDocument &document = *read.document;
    const QString filePath = QString::fromStdString(document.filePath);
    const std::string name =
        filePath.isEmpty() ? std::string("Untitled") : QFileInfo(filePath).fileName().toStdString();
    if (!dialogs.askYesNo("Tessel was not ended properly last time. Restore the layout \"" + name +
                              "\" with the changes that were not saved?",
                          Icon::None)) {
        remove();
        return;
    }
    if (document.plan.isSet() && planImageFault(*document.plan.bytes))
        document.plan = PlanImage{};
    m_document.load(std::move(document.table),
                    {document.plotLength, document.plotWidth, document.facing, document.facing},
                    filePath, true, std::move(document.plan));
}

} // namespace tessel
