#include <winsock2.h>

#include "tests/update/LoopbackServer.h"

#include <algorithm>

namespace update_test {

namespace {

bool SendAll(SOCKET socket, const char* data, size_t size)
{
    while (size > 0) {
        int sent = send(socket, data, static_cast<int>(size), 0);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

// Until the client closes its end (or the server shuts down and closes it).
void WaitForClose(SOCKET socket)
{
    char buffer[256];
    while (recv(socket, buffer, sizeof buffer, 0) > 0) {
    }
}

std::string HeaderValue(const std::string& head, const std::string& name)
{
    size_t at = head.find("\r\n" + name + ": ");
    if (at == std::string::npos)
        return std::string();
    at += name.size() + 4;
    return head.substr(at, head.find("\r\n", at) - at);
}

} // namespace

LoopbackServer::LoopbackServer()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0; // any free port
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 8);
    int length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    accepting_ = std::thread([this] { Accept(); });
}

LoopbackServer::~LoopbackServer()
{
    closesocket(listener_);
    accepting_.join();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (SOCKET client : clients_)
            closesocket(client);
    }
    for (std::thread& thread : answering_)
        thread.join();
    WSACleanup();
}

std::string LoopbackServer::Address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

void LoopbackServer::Serve(const std::string& path, Reply reply)
{
    std::lock_guard<std::mutex> lock(mutex_);
    replies_[path] = std::move(reply);
}

std::vector<Request> LoopbackServer::Requests()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void LoopbackServer::Accept()
{
    while (true) {
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            return;
        std::lock_guard<std::mutex> lock(mutex_);
        clients_.push_back(client);
        answering_.emplace_back([this, client] { Answer(client); });
    }
}

void LoopbackServer::Answer(UINT_PTR client)
{
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos) {
        int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            return;
        head.append(buffer, static_cast<size_t>(got));
    }
    size_t pathStart = head.find(' ') + 1;
    std::string path = head.substr(pathStart, head.find(' ', pathStart) - pathStart);
    Reply reply;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back({path, HeaderValue(head, "User-Agent")});
        auto found = replies_.find(path);
        if (found != replies_.end())
            reply = found->second;
        else
            reply.status = 404;
    }
    if (reply.silent) {
        WaitForClose(client);
        return;
    }
    std::string answer = "HTTP/1.1 " + std::to_string(reply.status) + " Scripted" +
                         "\r\nConnection: close\r\nContent-Type: application/octet-stream\r\n";
    if (reply.announceLength)
        answer += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
    answer += "\r\n";
    size_t bodyBytes = reply.sendOnly ? *reply.sendOnly : reply.body.size();
    size_t hookAt = reply.hook ? std::min(reply.hookAt, bodyBytes) : bodyBytes;
    answer.append(reply.body, 0, hookAt);
    bool sent = SendAll(client, answer.data(), answer.size());
    if (reply.hook)
        reply.hook();
    sent = sent && SendAll(client, reply.body.data() + hookAt, bodyBytes - hookAt);
    if (sent && reply.holdAfterPart)
        WaitForClose(client);
    shutdown(client, SD_SEND);
}

Reply Page(int status, const std::string& body)
{
    Reply reply;
    reply.status = status;
    reply.body = body;
    return reply;
}

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 16);
    }
    return bytes;
}

} // namespace update_test
