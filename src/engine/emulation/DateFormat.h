#pragma once

#include <string>
#include <string_view>

namespace quorvex::emulation {

// Oracle's date format models for TO_DATE and TO_CHAR on the embedded engine, where a date is
// the text 'YYYY-MM-DD HH:MM:SS'. Elements: YYYY, RRRR, YY, RR, MM, MON, MONTH, DD, DY, DAY,
// HH24, HH12, HH, MI, SS, AM/PM, FM (no padding), "quoted text" and punctuation.

// The format a date has without one: NLS_DATE_FORMAT's default.
inline constexpr std::string_view kDefaultDateFormat = "DD-MON-RR";

// The text 'YYYY-MM-DD HH:MM:SS' of `text` read by the model; a text in that stored form
// itself is taken as it is when no model is given. Failures raise Oracle's messages
// (ORA-01843 not a valid month, ORA-01847, ORA-01858, ORA-01861, ORA-01830, ...).
std::string ParseDate(std::string_view text, std::string_view format);

// Whether a text is a date as the embedded engine stores it ('YYYY-MM-DD', time optional).
bool IsStoredDate(std::string_view text);

// A stored date written by the model.
std::string FormatDate(std::string_view stored, std::string_view format);

} // namespace quorvex::emulation
