#pragma once

#include <string>

namespace quorvex {

class TStreamed;
class TByteSink;

// Writes the creating texts of an object tree as a text file: for each item its creating text
// (lone CR or LF turned into CR LF) followed by CR LF when not empty, then its nested objects
// in stored-property order, then a list's items in list order. No headings, no blank lines.
void WriteTextReport(const TStreamed& root, TByteSink& sink);

// Saves the text report through a temporary file renamed into place, so a failed save never
// destroys the previous file. "Cannot create file %s" when it cannot be created.
void SaveAsText(const TStreamed& root, const std::string& fileName);

} // namespace quorvex
