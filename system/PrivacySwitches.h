// The Windows XP privacy switches: where each one lives in the registry, when it counts
// as chosen, and what applying it writes.
#pragma once

#include "toolkit/Registry.h"

#include <string>
#include <vector>

namespace privacy {

constexpr int nodeCount = 25;
// The three nodes of the Messenger choice.
constexpr int messengerNothing = 16, messengerNoAutostart = 17, messengerRemove = 18;

struct Context {
    std::string userHive;        // the current user's key under HKEY_USERS
    bool xp = false;             // Windows XP or Server 2003
    std::string programFilesDir; // where Messenger is installed
};

// True for the 19 switch nodes (not the six group nodes, not the Messenger nodes 16, 18).
bool IsRegistrySwitch(int node);
// The switch's state as the registry shows it; false for a switch not read on this system.
bool ReadChosen(TRegistry& registry, int node, const Context& context);
// Writes what the state means for the switch. Keys are never created under
// HKEY_LOCAL_MACHINE (a missing service key means there is nothing to switch) and the
// write then counts as done; a key that cannot be opened for any other reason (access
// denied) is a failure. ERROR_SUCCESS when done or nothing to switch, otherwise the
// status of the step that failed. Un-choosing "Disable autostart" writes Messenger's start
// command back; ERROR_FILE_NOT_FOUND when Messenger is not installed, as a start entry
// for a program that is not there would only be a dead entry.
LONG Apply(int node, bool chosen, const Context& context);

} // namespace privacy
