#pragma once

#include "core/InterviewRecord.h"

#include <QString>

#include <optional>
#include <vector>

namespace corvel {

// What the history screen shows of its records; pure, so the rules are tested as tables.
namespace history {

// The role, or "Interview" when it is empty, then " · " and the company when there is one.
QString recordTitle(const InterviewRecord& record);
// The record's date in English, local time: the same text the export writes.
QString dateText(const InterviewRecord& record);
// "0 questions", "1 question", "2 questions".
QString questionCountText(const InterviewRecord& record);
// "M min S s"; there is no hour unit.
QString durationText(qint64 seconds);
// "Question 01" for the first entry (1-based, at least two digits).
QString questionLabel(qsizetype index);

// The records the list shows, pointing into `history`: demo records never are.
std::vector<const InterviewRecord*> listedRecords(const std::vector<InterviewRecord>& history);
// The record the detail shows: a selected demo record counts as none.
std::optional<InterviewRecord> openRecord(const std::optional<InterviewRecord>& selected);

} // namespace history

} // namespace corvel
