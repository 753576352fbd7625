#include "shell/Download.h"

#include "fileengines/StagedFile.h"

#include <wininet.h>

#include <vector>

namespace update {

namespace {

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle()
    {
        if (handle_)
            InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }

private:
    HINTERNET handle_;
};

DWORD StatusOf(HINTERNET request)
{
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return 0;
    return status;
}

// Read as text: the numeric form of the query is 32 bits wide, a program file need not be.
std::optional<uint64_t> ContentLengthOf(HINTERNET request)
{
    char text[32] = {};
    DWORD size = sizeof text;
    if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr) || size == 0)
        return std::nullopt;
    uint64_t length = 0;
    for (DWORD i = 0; i < size; ++i) {
        if (text[i] < '0' || text[i] > '9' || length > UINT64_MAX / 10)
            return std::nullopt;
        length = length * 10 + static_cast<uint64_t>(text[i] - '0');
    }
    return length;
}

// A server that was reached but went quiet, told apart from other failures.
DownloadOutcome FailureOf(DWORD error, DownloadOutcome otherwise)
{
    switch (error) {
    case ERROR_INTERNET_TIMEOUT:
    case ERROR_INTERNET_CONNECTION_ABORTED: // Wine: no answer within the time limit
    case WSAETIMEDOUT:                      // Wine: no further data within the time limit
        return DownloadOutcome::NoAnswer;
    default:
        return otherwise;
    }
}

struct WebAddress {
    std::string host;
    INTERNET_PORT port;
    std::string object; // path and query
    bool secure;
};

std::optional<WebAddress> Cracked(const std::string& url)
{
    char host[256] = {};
    char path[2048] = {};
    char query[2048] = {};
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof path;
    parts.lpszExtraInfo = query;
    parts.dwExtraInfoLength = sizeof query;
    if (!InternetCrackUrlA(url.c_str(), 0, 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
        return std::nullopt;
    return WebAddress{host, parts.nPort, std::string(path) + query, parts.nScheme == INTERNET_SCHEME_HTTPS};
}

DownloadOutcome Transfer(HINTERNET request, staged_file::StagedFile& file, DownloadResult& result, const DownloadStep& step)
{
    if (step && !step(0, result.total))
        return DownloadOutcome::Cancelled;
    std::vector<char> block(8192);
    while (true) {
        DWORD read = 0;
        if (!InternetReadFile(request, block.data(), static_cast<DWORD>(block.size()), &read))
            return FailureOf(GetLastError(), DownloadOutcome::Incomplete);
        // Only a successful read of nothing ends the transfer; a short block does not.
        if (read == 0)
            break;
        if (!file.Write(block.data(), read))
            return DownloadOutcome::TargetFailed;
        result.bytes += read;
        if (step && !step(result.bytes, result.total))
            return DownloadOutcome::Cancelled;
    }
    if (result.bytes == 0 || (result.total && result.bytes != *result.total))
        return DownloadOutcome::Incomplete;
    return DownloadOutcome::Done;
}

} // namespace

DownloadResult DownloadFile(const std::string& url, const std::string& target, const DownloadStep& step,
                            DWORD timeoutMs)
{
    DownloadResult result;
    std::optional<WebAddress> address = Cracked(url);
    InternetHandle session(InternetOpenA(UserAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!address || !session.get())
        return result;
    // The request is made in steps rather than with InternetOpenUrlA so that the time
    // limits sit on the connection, where every WinINet honours them; Wine's
    // InternetOpenUrlA does not pass them on, and a silent server would hold the program.
    InternetHandle connection(InternetConnectA(session.get(), address->host.c_str(), address->port, nullptr,
                                               nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection.get())
        return result;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionA(connection.get(), option, &timeoutMs, sizeof timeoutMs);

    // Always from the server: a cached version file would hide a newer version.
    DWORD flags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI;
    if (address->secure)
        flags |= INTERNET_FLAG_SECURE;
    InternetHandle request(HttpOpenRequestA(connection.get(), "GET", address->object.c_str(), nullptr, nullptr,
                                            nullptr, flags, 0));
    if (!request.get())
        return result;
    if (!HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) {
        result.outcome = FailureOf(GetLastError(), DownloadOutcome::NoConnection);
        return result;
    }
    result.httpStatus = StatusOf(request.get());
    if (result.httpStatus != HTTP_STATUS_OK) {
        result.outcome = DownloadOutcome::HttpError;
        return result;
    }
    result.total = ContentLengthOf(request.get());

    // Written beside the target and moved over it only when complete: a file already at the
    // target stays as it was whatever happens to the transfer.
    staged_file::StagedFile file(target);
    if (!file.Opened()) {
        result.outcome = DownloadOutcome::TargetFailed;
        return result;
    }
    result.outcome = Transfer(request.get(), file, result, step);
    if (result.outcome == DownloadOutcome::Done && !file.Commit())
        result.outcome = DownloadOutcome::TargetFailed;
    return result;
}

} // namespace update
