// One file fetched over HTTP with WinINet into a local file. A transfer counts only when
// the server answered 200 and every byte it announced has arrived; anything else leaves
// no new file behind and a file already at the target as it was, so that neither an error
// page nor a cut transfer is ever taken for the version file or the program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace update {

enum class DownloadOutcome {
    Done,
    NoConnection, // no internet session, or the server could not be reached
    NoAnswer,     // the server was reached but did not answer, or stopped sending, in time
    HttpError,    // the server answered with a status other than 200
    Incomplete,   // the transfer broke off: fewer bytes than announced, or none at all
    Cancelled,
    TargetFailed, // the local file could not be created or written
};

struct DownloadResult {
    DownloadOutcome outcome = DownloadOutcome::NoConnection;
    DWORD httpStatus = 0;
    uint64_t bytes = 0;             // received and written
    std::optional<uint64_t> total;  // the server's Content-Length, when it sent one
};

// Called before the first block and after every block written, with the bytes so far
// and the announced total; returning false cancels the transfer.
using DownloadStep = std::function<bool(uint64_t bytes, const std::optional<uint64_t>& total)>;

// Long enough for a slow line, short enough that a silent server does not hold the
// program for minutes (WinINet's own defaults).
constexpr DWORD DefaultTimeoutMs = 30000;

// The user agent the maker's server sees.
constexpr const char* UserAgent = "Tidewrack Update";

DownloadResult DownloadFile(const std::string& url, const std::string& target, const DownloadStep& step,
                            DWORD timeoutMs = DefaultTimeoutMs);

} // namespace update
