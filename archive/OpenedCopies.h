// Copies of backed-up files extracted for the user to look at. The program that opens
// one may hand it on to a viewer that is running already and end at once, or no process
// comes back at all: nothing tells when the file has been read. So the copies stay until
// this program ends.
#pragma once

#include <string>

namespace backup {

// Remembers a copy to be deleted when the program ends.
void KeepUntilExit(const std::string& path);
// True for a copy remembered in this run (any spelling of its case).
bool IsKeptCopy(const std::string& path);
// Deletes the remembered copies, read-only ones too; one still in use stays. Runs by
// itself when the program ends.
void DeleteKeptCopies();

} // namespace backup
