// The end after the first complete frame: the event loop ends only once every widget of the
// window has been painted, repaints asked for during that pass included.

#include "app/first_frame.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPaintEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace tessel {
namespace {

// Counts its paints; on its first one it changes a label's text, as the status line does
// when the chart paints, so that one more repaint is pending when the pass ends.
class Painted : public QWidget
{
public:
    explicit Painted(QLabel *follower = nullptr)
        : m_follower(follower)
    {
        setMinimumSize(40, 40);
    }
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (++paints == 1 && m_follower)
            m_follower->setText(QStringLiteral("changed while painting"));
    }

private:
    QLabel *m_follower;
};

class CountingLabel : public QLabel
{
public:
    using QLabel::QLabel;
    QString paintedText;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        paintedText = text();
        QLabel::paintEvent(event);
    }
};

TEST(FirstFrame, EndsOnlyOnceRepaintsAskedForDuringThePassHaveRun)
{
    QMainWindow window;
    auto *central = new QWidget;
    auto *label = new CountingLabel(QStringLiteral("first text"));
    auto *painted = new Painted(label);
    auto *column = new QVBoxLayout(central);
    // The label is painted before the widget that changes it: its new text needs a pass of
    // its own.
    column->addWidget(label);
    column->addWidget(painted);
    window.setCentralWidget(central);
    window.show();
    quitAfterFirstFrame(window);
    // A loop that never ends fails here instead of hanging.
    bool timedOut = false;
    QTimer::singleShot(20'000, qApp, [&timedOut] {
        timedOut = true;
        QCoreApplication::quit();
    });

    EXPECT_EQ(QApplication::exec(), 0);

    EXPECT_FALSE(timedOut);
    EXPECT_GE(painted->paints, 1);
    EXPECT_EQ(label->paintedText.toStdString(), "changed while painting");
}

} // namespace
} // namespace tessel

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
