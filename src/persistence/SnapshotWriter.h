#pragma once

#include <string>

namespace quorvex {

class TStreamed;
class TByteSink;

// Writes an object and everything reachable through its nested objects and list items in the
// snapshot format. Absent nested lists that an owner creates on first read are written as
// empty records, without creating them.
void WriteSnapshot(const TStreamed& root, TByteSink& sink);
std::string SaveToString(const TStreamed& root);

// Writes a snapshot file through a temporary file renamed into place: a failed save never
// destroys the previous file. EFCreateError "Cannot create file %s" when it cannot be created.
void SaveToFile(const TStreamed& root, const std::string& fileName);

} // namespace quorvex
