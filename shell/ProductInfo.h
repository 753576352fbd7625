// The maker's addresses, shown and opened by the status bar, the about box and the
// exported lists; kept in one place so that they cannot drift apart.
#pragma once

namespace product {

inline constexpr const char* WebSite = "www.tidewrack.example";
// The web site as a link target: a bare host name is not a URL for the shell or a browser.
inline constexpr const char* WebSiteUrl = "http://www.tidewrack.example/";
inline constexpr const char* MailAddress = "info@tidewrack.example";
inline constexpr const char* SupportAddress = "support@tidewrack.example";

} // namespace product
