// The maker's addresses, shown and opened by the status bar, the about box and the
// exported lists, and asked by the update check; kept in one place so that they cannot
// drift apart.
#pragma once

#include <string>

namespace product {

inline constexpr const char* WebSite = "www.tidewrack.example";
// The web site as a link target: a bare host name is not a URL for the shell or a browser.
inline constexpr const char* WebSiteUrl = "http://www.tidewrack.example/";
inline constexpr const char* MailAddress = "info@tidewrack.example";
inline constexpr const char* SupportAddress = "support@tidewrack.example";

// The folder on the maker's web server that holds the version file and the program file
// of the newest version, ending in "/". A variable, so that tests can point the update
// check at a server of their own.
inline std::string UpdateAddress = "http://www.tidewrack.example/update/";
// The file there whose first line is the newest version.
inline constexpr const char* VersionFileName = "tidewrackversion.txt";

} // namespace product
