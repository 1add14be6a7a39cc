#include "analysis/report.h"

#include "analysis/rule_table.h"
#include "analysis/verdict.h"
#include "analysis/zone.h"

namespace tessel {

namespace {

// Hands each piece of the report's text to `piece`, in order: one walk measures the report and
// the next writes it into a string sized once. Grown piece by piece, the report of a full chart
// (8 MB) was copied at every doubling and touched fresh memory each time.
template<typename Piece>
void forEachPiece(const ChartTable &txtRoom, const std::vector<RoomVerdict> &rooms,
                  std::string_view titleIndent, Piece &&piece)
{
    piece(kIntroParagraph);
    piece(kLineBreak);
    piece(kLineBreak);
    piece(titleIndent);
    piece(kReportTitle);
    piece(kLineBreak);
    piece(kLineBreak);
    bool firstBlock = true;
    for (const RoomVerdict &room : rooms) {
        if (!firstBlock) {
            piece(kLineBreak);
            piece(kLineBreak);
        }
        piece(room.rules->heading(firstBlock));
        piece(kLineBreak);
        piece(txtRoom.at(room.index).text);
        piece(" ");
        piece(zoneSentence(room.zone));
        piece(kLineBreak);
        piece(kLineBreak);
        piece(room.rules->adviceFor(room.zone));
        firstBlock = false;
    }
}

} // namespace

std::string RunAnalysis(const ChartTable &txtRoom, int facing)
{
    const RuleTable rules;
    // The rooms the report speaks of are the rooms that are judged, in the same order.
    const std::vector<RoomVerdict> rooms = judgeRooms(txtRoom, facing, rules);
    const std::string titleIndent(kReportTitleIndent, ' ');
    std::size_t size = 0;
    forEachPiece(txtRoom, rooms, titleIndent,
                 [&size](std::string_view text) { size += text.size(); });
    std::string report;
    report.reserve(size);
    forEachPiece(txtRoom, rooms, titleIndent, [&report](std::string_view text) { report += text; });
    return report;
}

} // namespace tessel
