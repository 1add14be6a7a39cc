#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

namespace tessel {

class Dialogs;
class Document;

// Keeps a copy of a document with unsaved changes in a recovery file, so that work survives
// a crash: written (atomically, in the layout document's format) within a second of every
// change, and removed once the document has no unsaved changes or the program ends cleanly.
// The document is taken on the window's thread and written on a thread of its own, so that
// a large chart never holds up the pointer.
class RecoveryFile : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDelayMs = 1000;

    RecoveryFile(Document &document, QString path, QObject *parent = nullptr);
    // Waits for a write under way.
    ~RecoveryFile() override;

    const QString &path() const { return m_path; }

    // If a recovery file was left by a run that did not end cleanly, asks whether to bring its
    // layout back: Yes loads it, with its name and marked as changed; No removes it.
    void offerRestore(Dialogs &dialogs);
    // Takes a copy of the document now and writes it on the writer's thread.
    void write();
    // Writes the document now, and waits until it is written.
    void writeNow();
    // The program ends cleanly, or the document has nothing left to lose.
    void remove();

private:
    void follow();

    Document &m_document;
    QString m_path;
    QTimer m_delay;
    // One thread, so that writes land in the order they were made.
    QThreadPool m_writer;
};

} // namespace tessel
