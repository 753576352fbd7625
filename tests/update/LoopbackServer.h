// A small HTTP server on 127.0.0.1 for the update tests: each path gets a scripted reply,
// so the program's real WinINet calls are answered without the internet. Every reply
// closes its connection.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace update_test {

struct Reply {
    int status = 200;
    std::string body;
    bool announceLength = true;          // send Content-Length (of the whole body)
    std::optional<size_t> sendOnly;      // bytes of the body sent before the reply stops
    bool holdAfterPart = false;          // after sendOnly bytes keep the line open, else close it
    bool silent = false;                 // read the request and never answer
    size_t hookAt = 0;                   // hook runs once this many body bytes are out
    std::function<void()> hook;
};

// A whole reply with this status and body.
Reply Page(int status, const std::string& body);

struct Request {
    std::string path;
    std::string userAgent;
};

class LoopbackServer {
public:
    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // "http://127.0.0.1:PORT/"
    std::string Address() const;
    void Serve(const std::string& path, Reply reply);
    std::vector<Request> Requests();

private:
    void Accept();
    // Sockets are kept as the integer they are, so that users of this header need not
    // include the socket headers before windows.h.
    void Answer(UINT_PTR client);

    UINT_PTR listener_ = ~UINT_PTR(0);
    int port_ = 0;
    std::mutex mutex_;
    std::map<std::string, Reply> replies_;
    std::vector<Request> requests_;
    std::vector<UINT_PTR> clients_;
    std::vector<std::thread> answering_;
    std::thread accepting_;
};

// Bytes that differ from position to position, so a lost or doubled block shows.
std::string Pattern(size_t size);

} // namespace update_test
