// The program's string table: resource id -> French text in UTF-8. Messages use ids from 61216
// up; a command id holds its status-line prompt and its tooltip, separated by one line feed.
#pragma once

#include <string_view>

namespace velmor {

// Text of a string resource, or "" for an id the table does not hold. The pointer refers to
// static storage and stays valid for the whole run.
const char* LoadString(int id);

// Status-line prompt of a command: the text up to the first line feed (the whole text when it
// has none). "" for an unknown id.
std::string_view StatusPrompt(int id);

// Tooltip of a command: the text after the first line feed, "" when there is none.
std::string_view ToolTip(int id);

} // namespace velmor
