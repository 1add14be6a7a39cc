#pragma once

#include <QObject>
#include <QSettings>
#include <QString>
#include <QStringList>

class QMenu;

namespace tessel {

class Dialogs;
class Document;

// The commands on layout documents: a new layout, opening one (a .tessel document, or a
// layout file in the Structure.txt format, known by its content), saving it where it is kept
// or under a new name, and the layouts opened last. Work that would be lost is asked about
// first: Save, Discard or Cancel.
class DocumentCommands : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRecentLimit = 8;
    static constexpr const char *kFilter =
        "Tessel Layouts (*.tessel);;Layout Files (*.txt);;All Files (*)";

    DocumentCommands(Document &document, Dialogs &dialogs, QObject *parent = nullptr);

    bool newLayout();
    // Asks for a file, then opens it.
    bool openLayout();
    bool openLayoutFile(const QString &path);
    bool saveLayout();
    bool saveLayoutAs();
    // Before the work on the chart would be lost: true when it may go (saved, or discarded).
    bool maySetAside();

    // Most recent first, at most kRecentLimit.
    QStringList recentLayouts() const;
    // Fills the menu with the recent layouts, each opening its file.
    void fillRecentMenu(QMenu &menu);

signals:
    void recentLayoutsChanged();

private:
    bool open(const QString &path);
    bool save(const QString &path);
    void remember(const QString &path);
    void forget(const QString &path);

    Document &m_document;
    Dialogs &m_dialogs;
    QSettings m_settings;
};

} // namespace tessel
