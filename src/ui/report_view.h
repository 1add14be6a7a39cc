#pragma once

#include <QAbstractScrollArea>

#include <memory>
#include <string>
#include <vector>

class QTextLayout;

namespace tessel {

// A read-only view of a long plain text. A line is laid out, wrapped at the view's width,
// only when it comes into sight, so a report of megabytes shows at once; the view scrolls
// by lines. Its context menu and Ctrl+C copy the whole text.
class ReportView : public QAbstractScrollArea
{
    Q_OBJECT
    // Read as a text box's would be, by whoever inspects the window.
    Q_PROPERTY(QString plainText READ toPlainText)
public:
    explicit ReportView(QWidget *parent = nullptr);

    // text: UTF-8, lines ended by CR LF or LF.
    void setText(std::string text);
    void clear() { setText({}); }

    int lineCount() const { return static_cast<int>(m_lineStarts.size()); }
    QString line(int index) const;
    // The lines joined by LF.
    QString toPlainText() const;
    void copy() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void updateScrollBar();
    // One line of the text laid out in the view's width, wrapped where it is too long.
    std::unique_ptr<QTextLayout> layoutLine(int index) const;

    std::string m_text;
    // Byte offsets in m_text where each line starts; never empty, as even "" is one line.
    std::vector<std::size_t> m_lineStarts;
};

} // namespace tessel
