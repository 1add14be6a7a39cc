#pragma once

#include "chart_elements.h"
#include "fake_dialogs.h"
#include "model/editor.h"
#include "ui/chart_widget.h"
#include "ui/document.h"
#include "ui/frm_main.h"
#include "window_support.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

namespace tessel::testing {

// The main window as the UI tests start it: settings of its own, a folder of its own for the
// layout file, and every dialog answered by a script. A test class derives from it, opens the
// window in init() and closes it in cleanup().
class WindowFixture
{
public:
    // Opens the window and waits until it is shown; false when it never came up.
    bool openWindow()
    {
        QSettings().clear();
        m_dir = std::make_unique<QTemporaryDir>();
        m_dialogs = std::make_unique<FakeDialogs>();
        m_window = std::make_unique<FrmMain>(*m_dialogs);
        m_window->setLayoutFolder(m_dir->path());
        m_window->show();
        return m_dir->isValid() && QTest::qWaitForWindowExposed(m_window.get());
    }
    // Closes it; false when a dialog was shown that the test did not answer.
    bool closeWindow()
    {
        const bool answered = !m_dialogs || m_dialogs->unanswered.empty();
        m_window.reset();
        m_dialogs.reset();
        m_dir.reset();
        QSettings().clear();
        return answered;
    }

    FrmMain &window() const { return *m_window; }
    FakeDialogs &dialogs() const { return *m_dialogs; }
    Document &document() const { return m_window->document(); }
    const Editor &editor() const { return m_window->editor(); }
    ChartWidget &chart() const { return *find<ChartWidget>("picRoomLocation"); }
    QString inDir(const QString &name) const { return m_dir->filePath(name); }
    QString folder() const { return m_dir->path(); }

    template<typename T>
    T *find(const char *name) const
    {
        return findControl<T>(*m_window, name);
    }

    // The window's layout from now on: this chart on a plot of length by width feet,
    // measured, kept in no file and unchanged.
    void startWith(ChartTable table, const std::string &length = "60",
                   const std::string &width = "30", Facing facing = Facing::North) const
    {
        document().load(
            std::move(table),
            PlotState{length, width, facing, facing, facingBearing(facing), ZoneMethod::ByCorner},
            QString(), false);
    }
    // An editor's chart, on the plot its scales were measured from.
    void startWith(const Editor &editor) const
    {
        const auto feet = [](double scale) {
            return std::to_string(int(scale * 6));
        };
        startWith(editor.txtRoom, feet(editor.scales.length), feet(editor.scales.width),
                  editor.plot.facing);
    }

    // Changes the layout as no command of the window would: a test's set-up. The document
    // starts afresh from the changed chart, keeping its plot, file and plan image.
    template<typename F>
    void editChart(F change) const
    {
        ChartTable table = document().table();
        change(table);
        document().load(std::move(table), document().plot(), document().filePath(),
                        document().isModified(), document().editor().plan);
    }
    // Puts an element on the chart as a room entry or an opening would.
    int place(const std::string &text, float left, float top, float width, float height) const
    {
        int index = 0;
        editChart([&](ChartTable &table) {
            index = placeElement(table, text, left, top, width, height);
        });
        return index;
    }

protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeDialogs> m_dialogs;
    std::unique_ptr<FrmMain> m_window;
};

} // namespace tessel::testing
