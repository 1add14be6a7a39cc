#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

class QLockFile;

namespace tessel {

class Dialogs;
class Document;
struct LayoutDocument;

// Keeps a copy of a document with unsaved changes against a crash: written (atomically, in
// the layout document's format) within a second of every change, and removed once the
// document has no unsaved changes or the program ends cleanly.
//
// Each running instance keeps its copy in a file of its own in the recovery folder, held with
// a lock beside it for as long as the instance runs, so that no instance offers, overwrites or
// removes the copy of another that is still running. The plan image goes into a file beside the
// copy, written only when the image changes, so that a change to the rooms writes a few
// kilobytes rather than the whole image again.
//
// The document is taken on the window's thread and written on a thread of its own, so that a
// large chart never holds up the pointer. A copy that cannot be kept is said once, with the
// reason, through the dialogs.
class RecoveryFile : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDelayMs = 1000;

    // Keeps a copy of its own in `folder`, made when missing, from the first write on. Where no
    // lock can be made there (a folder that cannot be written or is full) nothing is kept.
    RecoveryFile(Document &document, Dialogs &dialogs, const QString &folder,
                 QObject *parent = nullptr);
    // Waits for a write under way, and gives the lock back; the copy stays unless removed.
    ~RecoveryFile() override;

    // This instance's copy, once it is written.
    const QString &path() const { return m_path; }

    // Offers, the newest first, the copies runs that did not end cleanly left in the folder,
    // those no running instance holds: Yes loads one, with its name and marked as changed, and
    // keeps it as this instance's own copy (the others wait for the next start); No removes
    // it and offers the next. Says, once, when copies are left that cannot be offered.
    void offerRestore();
    // Takes a copy of the document now and writes it on the writer's thread.
    void write();
    // Writes the document now, and waits until it is written.
    void writeNow();
    // The program ends cleanly, or the document has nothing left to lose.
    void remove();

private:
    // What the copy on disk holds of the plan image; only the writer's thread touches it while
    // a write is under way.
    struct KeptImage
    {
        std::shared_ptr<const std::string> bytes;
        QString fileName; // beside the copy; empty when the copy holds no image
        int serial = 0;   // of the last file name given
    };

    void follow();
    // On the writer's thread: the plan image first when it changed, then the copy that
    // refers to it. The reason for the user on failure.
    std::optional<std::string> writeCopy(LayoutDocument copy, const QString &path);
    void adopt(const QString &path, std::unique_ptr<QLockFile> lock, KeptImage image);
    void written(const std::optional<std::string> &failure);
    // Says, once until a copy is written again, that unsaved work is not protected.
    void tell(const std::string &reason, const std::string &more = {});
    void showWhenQuiet(const std::string &text);

    Document &m_document;
    Dialogs &m_dialogs;
    QString m_folder;
    QString m_path;
    // Taken by the first write; only the writer's thread touches it while a write is under
    // way.
    std::unique_ptr<QLockFile> m_lock;
    bool m_told = false;
    KeptImage m_kept;
    QTimer m_delay;
    // One thread, so that writes land in the order they were made.
    QThreadPool m_writer;
};

} // namespace tessel
