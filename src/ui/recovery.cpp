#include "ui/recovery.h"

#include "model/dialogs.h"
#include "storage/layout_document.h"
#include "storage/layout_file.h"
#include "ui/document.h"
#include "ui/plan_image.h"
#include "ui/qt_file_access.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryFile>
#include <QUuid>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace tessel {

namespace {

// The files of one copy share the name its instance chose, up to the first dot:
//   <name>.tessel        the layout document
//   <name>.tessel.lock   the lock its instance holds while it runs
//   <name>.<n>.plan      the plan image, base64, as the document keeps it
const QString kCopySuffix = QStringLiteral(".tessel");
const QString kLockSuffix = QStringLiteral(".lock");
const QString kImageSuffix = QStringLiteral(".plan");

// A copy's "planImage" holds, in place of the image, where its bytes are: this line, the
// image file's name and its size in bytes, one a line.
const std::string kImageReference = "tessel-recovery-plan-image\n";

// Copies that were done with (declined, or their work saved) but could not be removed, each
// as "<size> <modified, ms since the epoch> <path>": never offered again while they are so.
const QString kDismissedKey = QStringLiteral("recovery/dismissed");

QString nameOf(const QString &fileName)
{
    return fileName.section(QLatin1Char('.'), 0, 0);
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

std::unique_ptr<QLockFile> lockFor(const QString &copyPath)
{
    auto lock = std::make_unique<QLockFile>(copyPath + kLockSuffix);
    // Held for the whole run, however long; the lock of a process that no longer runs is free
    // at once.
    lock->setStaleLockTime(0);
    lock->tryLock(0);
    return lock;
}

// Why no file can be made in `folder`, in the system's words.
std::string whyNothingCanBeKept(const QString &folder)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(folder.toStdString()), error);
    if (error)
        return error.message();
    QTemporaryFile probe(folder + QStringLiteral("/XXXXXX.probe"));
    if (!probe.open() || probe.write("-", 1) != 1 || !probe.flush())
        return probe.errorString().toStdString();
    return "its lock cannot be made";
}

QString dismissedEntry(const QFileInfo &copy)
{
    return QStringLiteral("%1 %2 %3")
        .arg(copy.size())
        .arg(copy.lastModified().toMSecsSinceEpoch())
        .arg(copy.absoluteFilePath());
}

bool isDismissed(const QFileInfo &copy)
{
    return QSettings().value(kDismissedKey).toStringList().contains(dismissedEntry(copy));
}

// Removes a copy and every file of its name but the lock, which goes when it is given back. A
// copy that stays is remembered, so that it is never offered again: its work was saved or let
// go.
void discard(const QString &copyPath)
{
    const QFileInfo copy(copyPath);
    QDir folder = copy.absoluteDir();
    for (const QString &file :
         folder.entryList({nameOf(copy.fileName()) + QStringLiteral(".*")}, QDir::Files)) {
        if (file != copy.fileName() && file != copy.fileName() + kLockSuffix)
            folder.remove(file);
    }
    if (!copy.exists() || QFile::remove(copyPath))
        return;
    QSettings settings;
    QStringList dismissed = settings.value(kDismissedKey).toStringList();
    if (const QString entry = dismissedEntry(QFileInfo(copyPath)); !dismissed.contains(entry))
        settings.setValue(kDismissedKey, dismissed << entry);
}

// Drops what is remembered of copies that are gone or were written again since.
void forgetRemovedCopies()
{
    QSettings settings;
    QStringList dismissed = settings.value(kDismissedKey).toStringList();
    const auto gone = std::remove_if(dismissed.begin(), dismissed.end(), [](const QString &entry) {
        const QFileInfo copy(entry.section(QLatin1Char(' '), 2));
        return !copy.exists() || dismissedEntry(copy) != entry;
    });
    if (gone == dismissed.end())
        return;
    dismissed.erase(gone, dismissed.end());
    settings.setValue(kDismissedKey, dismissed);
}

PlanImage referenceTo(const PlanImage &plan, const QString &fileName)
{
    PlanImage reference = plan;
    reference.base64 = std::make_shared<const std::string>(
        kImageReference + fileName.toStdString() + '\n' + std::to_string(plan.base64->size()));
    return reference;
}

struct ImageFile
{
    QString fileName;
    std::size_t size = 0;
};

// The image file a copy's plan image refers to; std::nullopt when it holds the image itself.
std::optional<ImageFile> referredImage(const PlanImage &plan)
{
    if (!plan.isSet() || !plan.base64->starts_with(kImageReference))
        return std::nullopt;
    const QStringList lines = QString::fromStdString(plan.base64->substr(kImageReference.size()))
                                  .split(QLatin1Char('\n'));
    bool isNumber = false;
    const qulonglong size = lines.value(1).toULongLong(&isNumber);
    return ImageFile{lines.value(0), isNumber ? std::size_t(size) : 0};
}

// Brings back the image a copy refers to, or says why it cannot; the image of a copy's own
// name only, as a copy is read as hostile.
std::optional<std::string> restoreImage(PlanImage &plan, const ImageFile &image,
                                        const QString &copyPath)
{
    const QString name = nameOf(QFileInfo(copyPath).fileName());
    if (!image.fileName.startsWith(name + QLatin1Char('.')) ||
        !image.fileName.endsWith(kImageSuffix) || image.fileName.contains(QLatin1Char('/')) ||
        image.size == 0 || image.size > kMaxPlanImageBytes)
        return "the copy does not say where it is";
    FileAccess::Content content = QtFileAccess().readAll(
        (folderOf(copyPath) + QLatin1Char('/') + image.fileName).toStdString(), image.size);
    if (!content.ok)
        return content.error;
    if (content.bytes.size() != image.size)
        return "its file was cut short or changed";
    plan.base64 = std::make_shared<const std::string>(std::move(content.bytes));
    return std::nullopt;
}

struct Leftover
{
    QString path;
    QDateTime modified;
    std::unique_ptr<QLockFile> lock;
};

} // namespace

RecoveryFile::RecoveryFile(Document &document, Dialogs &dialogs, const QString &folder,
                           QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_dialogs(dialogs)
    , m_folder(QDir::cleanPath(folder))
{
    m_writer.setMaxThreadCount(1);
    m_delay.setSingleShot(true);
    m_delay.setInterval(kDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &RecoveryFile::write);
    connect(&m_document, &Document::changed, this, &RecoveryFile::follow);

    m_path = m_folder + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces) +
             kCopySuffix;
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
    LayoutDocument copy = layoutOf(m_document.editor());
    copy.filePath = m_document.filePath().toStdString();
    m_writer.start([this, copy = std::move(copy), path = m_path]() mutable {
        const std::optional<std::string> failure = writeCopy(std::move(copy), path);
        QMetaObject::invokeMethod(
            this, [this, failure] { written(failure); }, Qt::QueuedConnection);
    });
}

std::optional<std::string> RecoveryFile::writeCopy(LayoutDocument copy, const QString &path)
{
    // Taken here rather than at the start: making a lock waits for the disk, which the first
    // frame should not.
    if (!m_lock) {
        std::error_code ignored; // a folder that cannot be made keeps the lock from being made
        std::filesystem::create_directories(std::filesystem::path(folderOf(path).toStdString()),
                                            ignored);
        std::unique_ptr<QLockFile> lock = lockFor(path);
        if (!lock->isLocked())
            return whyNothingCanBeKept(folderOf(path));
        m_lock = std::move(lock);
    }
    KeptImage &kept = m_kept;
    const PlanImage plan = copy.plan;
    QString imageFile;
    QtFileAccess files;
    std::optional<std::string> failure;
    if (plan.isSet()) {
        imageFile = kept.fileName;
        if (plan.base64 != kept.bytes || imageFile.isEmpty()) {
            const QString name = nameOf(QFileInfo(path).fileName());
            do
                imageFile = name + QLatin1Char('.') + QString::number(++kept.serial) + kImageSuffix;
            while (imageFile == kept.fileName);
            failure = files.writeAtomically(
                (folderOf(path) + QLatin1Char('/') + imageFile).toStdString(), *plan.base64);
        }
        copy.plan = referenceTo(plan, imageFile);
    }
    if (!failure)
        failure = files.writeAtomically(path.toStdString(), writeLayoutDocument(copy));
    // The copy on disk refers to one image file: the new one once the copy is written, else the
    // one it referred to before.
    const QString unused = failure ? imageFile : kept.fileName;
    if (!unused.isEmpty() && unused != (failure ? kept.fileName : imageFile))
        QFile::remove(folderOf(path) + QLatin1Char('/') + unused);
    if (!failure)
        kept = {plan.isSet() ? plan.base64 : nullptr, imageFile, kept.serial};
    return failure;
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
    // Without the lock, nothing was written.
    if (!m_lock)
        return;
    discard(m_path);
    m_kept = {{}, {}, m_kept.serial};
}

void RecoveryFile::written(const std::optional<std::string> &failure)
{
    if (failure)
        tell(*failure);
    else
        m_told = false;
}

void RecoveryFile::tell(const std::string &reason, const std::string &more)
{
    if (m_told)
        return;
    m_told = true;
    showWhenQuiet("Unsaved changes cannot be protected against a crash: no copy of them can be "
                  "kept in \"" +
                  QDir::toNativeSeparators(m_folder).toStdString() + "\": " + reason +
                  ".\n\nSave the layout to keep your work." + more);
}

void RecoveryFile::showWhenQuiet(const std::string &text)
{
    // Not in the middle of a drag, nor over another dialog: the message waits for them.
    if (QApplication::activeModalWidget() || QGuiApplication::mouseButtons() != Qt::NoButton) {
        QTimer::singleShot(250, this, [this, text] { showWhenQuiet(text); });
        return;
    }
    m_dialogs.showMessage(text, Icon::Critical);
}

void RecoveryFile::adopt(const QString &path, std::unique_ptr<QLockFile> lock, KeptImage image)
{
    // A write that a change started while a question was open goes to the copy it was for.
    m_writer.waitForDone();
    if (m_lock)
        discard(m_path);
    m_path = path;
    m_lock = std::move(lock);
    m_kept = std::move(image);
}

void RecoveryFile::offerRestore()
{
    m_writer.waitForDone();
    forgetRemovedCopies();
    // The files of every copy, by name; a copy is offered only by the instance that holds its
    // lock, which no running instance then holds, and which can be made only where the copy
    // can be removed after it.
    QHash<QString, bool> names; // whether the name has a layout document
    for (const QFileInfo &file : QDir(m_folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString name = nameOf(file.fileName());
        if (!name.isEmpty() && QFileInfo(m_path).fileName() != name + kCopySuffix)
            names[name] = names.value(name) || file.fileName() == name + kCopySuffix;
    }
    std::vector<Leftover> leftovers;
    bool stuck = false;
    for (auto name = names.cbegin(); name != names.cend(); ++name) {
        const QString path = m_folder + QLatin1Char('/') + name.key() + kCopySuffix;
        std::unique_ptr<QLockFile> lock = lockFor(path);
        if (!lock->isLocked()) {
            stuck = stuck || (name.value() && lock->error() != QLockFile::LockFailedError);
            continue;
        }
        // What a run killed before its first copy, or a copy let go, left behind goes with
        // the lock.
        if (!name.value() || isDismissed(QFileInfo(path)))
            discard(path);
        else
            leftovers.push_back({path, QFileInfo(path).lastModified(), std::move(lock)});
    }
    // The newest is the most likely wanted; the window holds one layout, so once one is
    // restored the others wait for the next start.
    std::sort(leftovers.begin(), leftovers.end(),
              [](const Leftover &a, const Leftover &b) { return a.modified > b.modified; });
    for (Leftover &leftover : leftovers) {
        const FileAccess::Content content =
            QtFileAccess().readAll(leftover.path.toStdString(), kMaxLayoutFileBytes);
        DocumentReadResult read =
            content.ok ? readLayoutDocument(content.bytes) : DocumentReadResult{};
        if (!read.document) {
            m_dialogs.showMessage("Tessel was not ended properly last time, and the layout it "
                                  "kept for that case cannot be read: " +
                                      (content.ok ? read.error : content.error) + ".",
                                  Icon::Critical);
            discard(leftover.path);
            continue;
        }
        LayoutDocument &document = *read.document;
        const QString filePath = QString::fromStdString(document.filePath);
        const std::string name = filePath.isEmpty() ? std::string("Untitled")
                                                    : QFileInfo(filePath).fileName().toStdString();
        if (!m_dialogs.askYesNo("Tessel was not ended properly last time. Restore the layout \"" +
                                    name + "\" with the changes that were not saved?",
                                Icon::None)) {
            discard(leftover.path);
            continue;
        }
        KeptImage kept;
        std::optional<std::string> imageFailure;
        if (const std::optional<ImageFile> image = referredImage(document.plan)) {
            imageFailure = restoreImage(document.plan, *image, leftover.path);
            if (imageFailure)
                document.plan = {};
            else
                kept = {document.plan.base64, image->fileName, 0};
        }
        // An image passes the checks of a loaded one, as a document's does when opened.
        if (document.plan.isSet() &&
            m_document.planImages().decoded(document.plan).image.isNull()) {
            document.plan = {};
            kept = {};
        }
        adopt(leftover.path, std::move(leftover.lock), std::move(kept));
        m_document.load(std::move(document.table),
                        plotOf(document),
                        filePath, true, std::move(document.plan));
        if (imageFailure)
            m_dialogs.showMessage("The layout was restored without its plan image, which "
                                  "could not be read: " +
                                      *imageFailure + ".",
                                  Icon::Critical);
        break;
    }
    if (stuck)
        tell(whyNothingCanBeKept(m_folder), "\n\nThe unsaved work an earlier run left there is "
                                            "kept, and will be offered once the folder can be "
                                            "written again.");
}

} // namespace tessel
