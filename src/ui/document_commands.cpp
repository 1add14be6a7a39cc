#include "ui/document_commands.h"

#include "model/dialogs.h"
#include "storage/layout_document.h"
#include "storage/layout_file.h"
#include "ui/document.h"
#include "ui/plan_image.h"
#include "ui/qt_file_access.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace tessel {

namespace {

constexpr const char *kRecentKey = "recentLayouts";

std::string quoted(const QString &path)
{
    return "\"" + path.toStdString() + "\"";
}

} // namespace

DocumentCommands::DocumentCommands(Document &document, Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_dialogs(dialogs)
{}

bool DocumentCommands::maySetAside()
{
    if (!m_document.isModified())
        return true;
    switch (m_dialogs.askSaveDiscardCancel("The layout " + quoted(m_document.displayName()) +
                                           " has changes that are not saved. Save them?")) {
    case Choice::Save:
        return saveLayout();
    case Choice::Discard:
        return true;
    case Choice::Cancel:
        break;
    }
    return false;
}

bool DocumentCommands::newLayout()
{
    if (!maySetAside())
        return false;
    // The plot stays as entered: a new layout is most often drawn on the same plot.
    m_document.load(ChartTable{}, m_document.plot(), QString(), false);
    return true;
}

bool DocumentCommands::openLayout()
{
    if (!maySetAside())
        return false;
    const auto path = m_dialogs.askOpenFileName(kFilter);
    if (!path || path->empty())
        return false;
    // Asked already: the work was saved or discarded.
    return open(QString::fromStdString(*path));
}

bool DocumentCommands::openLayoutFile(const QString &path)
{
    return maySetAside() && open(path);
}

bool DocumentCommands::open(const QString &path)
{
    const FileAccess::Content content =
        QtFileAccess().readAll(path.toStdString(), kMaxLayoutFileBytes);
    if (!content.ok) {
        m_dialogs.showMessage("The layout " + quoted(path) +
                                  " could not be opened: " + content.error,
                              Icon::Critical);
        return false;
    }
    AnyLayoutReadResult read = readAnyLayout(content.bytes);
    if (!read.layout) {
        m_dialogs.showMessage("The layout " + quoted(path) + " could not be opened: " + read.error +
                                  ".\n\nNothing was changed.",
                              Icon::Critical);
        return false;
    }
    LayoutDocument &layout = *read.layout;
    if (read.isDocument) {
        // An image the document brings passes the checks of one loaded from the menu; one
        // that fails is left out, and the rest of the layout opens.
        bool planLeftOut = false;
        if (layout.plan.isSet()) {
            if (const DecodedPlanImage &decoded = m_document.planImages().decoded(layout.plan);
                decoded.image.isNull()) {
                m_dialogs.showMessage("The plan image in the layout " + quoted(path) +
                                          " cannot be used: " + decoded.refusal +
                                          ".\n\nThe layout was opened without it.",
                                      Icon::Critical);
                layout.plan = PlanImage{};
                planLeftOut = true;
            }
        }
        m_document.load(std::move(layout.table),
                        plotOf(layout), path,
                        planLeftOut, std::move(layout.plan));
    } else {
        // A layout file of the program's first format, whatever its name, holds the chart
        // alone: it comes into a new layout, drawn on the plot as it is entered, that no
        // document holds yet.
        m_document.load(std::move(layout.table), m_document.plot(), QString(), true);
    }
    remember(path);
    return true;
}

bool DocumentCommands::saveLayout()
{
    if (m_document.filePath().isEmpty())
        return saveLayoutAs();
    return save(m_document.filePath());
}

bool DocumentCommands::saveLayoutAs()
{
    const QString start = m_document.filePath().isEmpty()
                              ? QStringLiteral("Untitled") + kLayoutDocumentSuffix
                              : m_document.filePath();
    const auto chosen =
        m_dialogs.askSaveFileName("Tessel Layouts (*.tessel)", "tessel", start.toStdString());
    if (!chosen || chosen->empty())
        return false;
    QString path = QString::fromStdString(*chosen);
    if (QFileInfo(path).suffix().isEmpty())
        path += kLayoutDocumentSuffix;
    return save(path);
}

bool DocumentCommands::save(const QString &path)
{
    const std::string bytes = writeLayoutDocument(layoutOf(m_document.editor()));
    if (const auto failure = QtFileAccess().writeAtomically(path.toStdString(), bytes)) {
        m_dialogs.showMessage("The layout could not be saved as " + quoted(path) + ": " + *failure +
                                  "\n\nA file saved there before is kept as it was.",
                              Icon::Critical);
        return false;
    }
    m_document.markSaved(path);
    remember(path);
    return true;
}

QStringList DocumentCommands::recentLayouts() const
{
    return m_settings.value(kRecentKey).toStringList().mid(0, kRecentLimit);
}

void DocumentCommands::remember(const QString &path)
{
    QStringList recent = recentLayouts();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    m_settings.setValue(kRecentKey, recent.mid(0, kRecentLimit));
    emit recentLayoutsChanged();
}

void DocumentCommands::forget(const QString &path)
{
    QStringList recent = recentLayouts();
    recent.removeAll(path);
    m_settings.setValue(kRecentKey, recent);
    emit recentLayoutsChanged();
}

void DocumentCommands::fillRecentMenu(QMenu &menu)
{
    menu.clear();
    const QStringList recent = recentLayouts();
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent.at(i);
        QAction *item = menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QFileInfo(path).fileName().replace('&', QLatin1String("&&"))));
        item->setToolTip(path);
        item->setStatusTip(path);
        connect(item, &QAction::triggered, this, [this, path] {
            if (!QFileInfo::exists(path)) {
                m_dialogs.showMessage("The layout " + quoted(path) +
                                          " is no longer there. It was taken off the recent "
                                          "layouts.",
                                      Icon::Information);
                forget(path);
                return;
            }
            openLayoutFile(path);
        });
    }
    menu.setEnabled(!recent.isEmpty());
}

} // namespace tessel
