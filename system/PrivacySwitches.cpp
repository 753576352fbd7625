#include "system/PrivacySwitches.h"

#include "common/PathFacts.h"
#include "common/RegistryKey.h"
#include "pageparts/RegistryLayer.h"

namespace privacy {

namespace {

// How a switch lives in the registry.
struct Switch {
    int node;
    bool userKey;            // under the current user's hive, else HKEY_LOCAL_MACHINE
    const char* key;
    const char* name;
    const char* type;        // registry layer letter
    const char* chosenValue; // the value that shows the switch in effect
    bool chosenUnlessValue;  // chosen when the value is anything but chosenValue
    const char* writeChosen; // nullptr: delete the value
    const char* writeNotChosen;
    bool xpOnly;
};

const char* const internetSettings = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const char* const webcheck = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Webcheck";
const char* const mediaPlayer = "\\Software\\Microsoft\\MediaPlayer\\Preferences";
const char* const errorReporting = "Software\\Microsoft\\PCHealth\\ErrorReporting";
const char* const userRun = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const extensionsKey = "Software\\Microsoft\\Internet Explorer\\Extensions";
const char* const relatedSites = "c95fe080-8f5d-112d-a20b-00aa003c157a";

// Service and control settings are read and written in the control set the system runs.
const Switch switches[] = {
    {1, true, internetSettings, "EnableNegotiate", "i", "0", false, "0", "1", false},
    {2, true, webcheck, "NoScheduledUpdates", "i", "1", false, "1", "0", false},
    {4, true, mediaPlayer, "SilentAcquisition", "b", "00", false, "00", nullptr, false},
    {5, true, mediaPlayer, "SendUserGUID", "b", "00", false, "00", nullptr, false},
    {6, true, mediaPlayer, "UpgradeCodecPrompt", "b", "00", false, "00", nullptr, false},
    {8, false, errorReporting, "DoReport", "i", "1", true, "0", "1", true},
    {9, false, errorReporting, "ShowUI", "i", "1", true, "0", "1", true},
    {11, false, "SYSTEM\\CurrentControlSet\\Services\\ERSvc", "Start", "i", "4", false, "4", "2", true},
    {12, false, "SYSTEM\\CurrentControlSet\\Services\\wuauserv", "Start", "i", "4", false, "4", "2", true},
    {13, false, "SYSTEM\\CurrentControlSet\\Services\\W32Time", "Start", "i", "4", false, "4", "2", false},
    {14, false, "SYSTEM\\CurrentControlSet\\Services\\upnphost", "Start", "i", "4", false, "4", "2", true},
    {17, true, userRun, "MSMSGS", "s", "", false, nullptr, nullptr, false},
    {20, false, "SYSTEM\\CurrentControlSet\\Control\\Terminal Server", "fAllowToGetHelp", "i", "0", false, "0", "1",
     false},
    {21, false, "SYSTEM\\CurrentControlSet\\Services\\W32Time\\Parameters", "Type", "s", "NoSync", false, "NoSync",
     "Ntp", true},
    {22, false, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegDone", "s", "1", false, "1", nullptr, true},
    {23, false, "SOFTWARE\\Microsoft\\Outlook Express", "Hide Messenger", "i", "2", false, "2", nullptr, false},
};

const Switch* Find(int node)
{
    for (const Switch& s : switches)
        if (s.node == node)
            return &s;
    return nullptr;
}

LONG Write(HKEY key, const char* name, const char* type, const std::string& data)
{
    std::vector<BYTE> bytes;
    DWORD kind = REG_SZ;
    if (std::string(type) == "i") {
        DWORD number = static_cast<DWORD>(std::stoul(data));
        bytes.assign(reinterpret_cast<BYTE*>(&number), reinterpret_cast<BYTE*>(&number) + sizeof number);
        kind = REG_DWORD;
    } else if (std::string(type) == "b") {
        bytes = registry_layer::HexByteTextToBytes(data);
        kind = REG_BINARY;
    } else {
        bytes.assign(data.begin(), data.end());
        bytes.push_back(0);
    }
    return RegSetValueExA(key, name, 0, kind, bytes.data(), static_cast<DWORD>(bytes.size()));
}

LONG Delete(HKEY key, const char* name)
{
    LONG status = RegDeleteValueA(key, name);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

// The status of opening the extensions key; when it opens, subkeyMissing tells whether
// the related-sites extension is gone.
LONG ExtensionsState(bool& subkeyMissing)
{
    const RegistryKey key(HKEY_LOCAL_MACHINE, extensionsKey);
    if (!key)
        return key.Status();
    subkeyMissing = !RegistryKey(key.Get(), relatedSites);
    return ERROR_SUCCESS;
}

} // namespace

bool IsRegistrySwitch(int node) { return Find(node) != nullptr || node == 24; }

bool ReadChosen(TRegistry& registry, int node, const Context& context)
{
    if (node == 24) {
        bool subkeyMissing = false;
        return ExtensionsState(subkeyMissing) == ERROR_SUCCESS && subkeyMissing;
    }
    const Switch* s = Find(node);
    if (!s || (s->xpOnly && !context.xp))
        return false;
    const std::string value =
        s->userKey ? registry_layer::ReadReg(registry, rootUsers, context.userHive + s->key, s->name, s->type)
                   : registry_layer::ReadReg(registry, rootLocalMachine, s->key, s->name, s->type);
    return s->chosenUnlessValue ? value != s->chosenValue : value == s->chosenValue;
}

LONG Apply(int node, bool chosen, const Context& context)
{
    // A machine key that is not there has nothing to switch; any other failure counts.
    auto machineKeyFailure = [](LONG status) {
        return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND ? ERROR_SUCCESS : status;
    };
    if (node == 24) {
        bool subkeyMissing = true;
        const LONG status = chosen ? ExtensionsState(subkeyMissing) : ERROR_SUCCESS;
        if (!chosen || status != ERROR_SUCCESS || subkeyMissing)
            return machineKeyFailure(status);
        const RegistryKey key(HKEY_LOCAL_MACHINE, extensionsKey, KEY_READ | KEY_WRITE);
        return key.Get() ? RegDeleteKeyA(key.Get(), relatedSites) : machineKeyFailure(key.Status());
    }
    const Switch* s = Find(node);
    if (!s || (s->xpOnly && !context.xp))
        return ERROR_SUCCESS;
    const char* data = chosen ? s->writeChosen : s->writeNotChosen;
    std::string messengerStart;
    if (node == messengerNoAutostart && !chosen) {
        const std::string messenger = context.programFilesDir + "\\Messenger\\msmsgs.exe";
        if (context.programFilesDir.empty() || !common::FileExists(messenger))
            return ERROR_FILE_NOT_FOUND;
        messengerStart = "\"" + messenger + "\" /background";
        data = messengerStart.c_str();
    }
    // A user's key is made when missing; a machine key must be there.
    const RegistryKey key = s->userKey
                                ? RegistryKey::Create(HKEY_USERS, context.userHive + s->key, KEY_READ | KEY_WRITE)
                                : RegistryKey(HKEY_LOCAL_MACHINE, s->key, KEY_READ | KEY_WRITE);
    if (!key.Get())
        return s->userKey ? key.Status() : machineKeyFailure(key.Status());
    return data ? Write(key.Get(), s->name, s->type, data) : Delete(key.Get(), s->name);
}

} // namespace privacy
