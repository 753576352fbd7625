// Copies of backed-up files extracted for the user to look at. The program that opens
// one may hand it on to a viewer that is running already and end at once, or no process
// comes back at all: nothing tells when the file has been read. So the copies stay until
// this program ends. A copy is deleted then only while it is still the file that was
// extracted: one the user has edited and saved, or that another file of that name has
// taken the place of (a restore, say), is the user's and stays.
#pragma once

#include <string>

namespace backup {

// Remembers a copy just extracted, as it is now, to be deleted when the program ends.
void KeepUntilExit(const std::string& path);
// True for a copy remembered in this run (any spelling of its case) that is still as it
// was extracted; a copy that has changed since is forgotten.
bool IsKeptCopy(const std::string& path);
// Deletes the remembered copies that are still as they were extracted, read-only ones
// too; one still in use stays. The others are left alone. Runs by itself when the
// program ends.
void DeleteKeptCopies();

} // namespace backup
