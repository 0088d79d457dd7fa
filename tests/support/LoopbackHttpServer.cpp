#include "support/LoopbackHttpServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

struct WinsockUser {
    WinsockUser()
    {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
            throw std::runtime_error("WSAStartup failed");
    }
    ~WinsockUser() { WSACleanup(); }
};

void EnsureWinsock()
{
    static WinsockUser user;
}

SOCKET ListenOnLoopback(unsigned short& port)
{
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET)
        throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof(address);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(listener);
        throw std::runtime_error("bind failed");
    }
    port = ntohs(address.sin_port);
    return listener;
}

bool SendAll(SOCKET s, const char* data, size_t size)
{
    while (size > 0) {
        const int sent = send(s, data, static_cast<int>(size > 65536 ? 65536 : size), 0);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

const char* ReasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer()
{
    EnsureWinsock();
    m_listener = ListenOnLoopback(m_port);
    if (listen(m_listener, 8) != 0) {
        closesocket(m_listener);
        throw std::runtime_error("listen failed");
    }
    m_thread = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    m_stopping = true;
    m_thread.join();
    for (std::thread& client : m_clients)
        client.join();
    closesocket(m_listener);
}

void LoopbackHttpServer::Route(const std::string& path, HttpReply reply)
{
    std::lock_guard<std::mutex> lock(m_routesLock);
    m_routes[path] = std::move(reply);
}

std::wstring LoopbackHttpServer::Url(const std::string& path) const
{
    return L"http://127.0.0.1:" + std::to_wstring(m_port) + std::wstring(path.begin(), path.end());
}

std::wstring LoopbackHttpServer::RefusedUrl(const std::string& path)
{
    EnsureWinsock();
    unsigned short port = 0;
    closesocket(ListenOnLoopback(port));
    return L"http://127.0.0.1:" + std::to_wstring(port) + std::wstring(path.begin(), path.end());
}

void LoopbackHttpServer::Serve()
{
    while (!m_stopping) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_listener, &readable);
        timeval wait{0, 50 * 1000};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0)
            continue;
        SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            continue;
        // Each client on a thread of its own: downloads may overlap.
        m_clients.emplace_back([this, client] { Answer(client); });
    }
}

void LoopbackHttpServer::Answer(SOCKET client)
{
    std::string request;
    char chunk[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const int received = recv(client, chunk, sizeof(chunk), 0);
        if (received <= 0) {
            closesocket(client);
            return;
        }
        request.append(chunk, static_cast<size_t>(received));
    }
    ++m_requests;
    const size_t pathStart = request.find(' ') + 1;
    const std::string path = request.substr(pathStart, request.find(' ', pathStart) - pathStart);

    HttpReply reply;
    {
        std::lock_guard<std::mutex> lock(m_routesLock);
        const auto found = m_routes.find(path);
        if (found != m_routes.end())
            reply = found->second;
        else
            reply = HttpReply{404, "no such file", true, HttpReply::Fault::None};
    }

    std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + ReasonPhrase(reply.status) + "\r\n";
    head += "Content-Type: " + reply.contentType + "\r\nConnection: close\r\n";
    if (reply.chunked)
        head += "Transfer-Encoding: chunked\r\n";
    else if (reply.sendContentLength)
        head += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
    head += "\r\n";

    const bool whole = reply.fault == HttpReply::Fault::None || reply.fault == HttpReply::Fault::Trickle;
    const size_t bodyToSend = whole ? reply.body.size() : reply.body.size() / 2;
    if (!SendAll(client, head.data(), head.size())) {
        closesocket(client);
        return;
    }
    if (reply.chunked) {
        const size_t piece = 64 * 1024;
        bool sent = true;
        for (size_t at = 0; sent && at < bodyToSend; at += piece) {
            const size_t size = std::min(piece, bodyToSend - at);
            char line[16];
            snprintf(line, sizeof(line), "%lx\r\n", static_cast<unsigned long>(size));
            sent = SendAll(client, line, strlen(line)) && SendAll(client, reply.body.data() + at, size) &&
                   SendAll(client, "\r\n", 2);
        }
        if (sent && whole)
            SendAll(client, "0\r\n\r\n", 5);
    } else if (reply.fault == HttpReply::Fault::Trickle) {
        const size_t piece = 32 * 1024;
        for (size_t sent = 0; sent < bodyToSend && !m_stopping; sent += piece) {
            if (!SendAll(client, reply.body.data() + sent, std::min(piece, bodyToSend - sent)))
                break;
            Sleep(100);
        }
    } else {
        SendAll(client, reply.body.data(), bodyToSend);
    }

    if (reply.fault == HttpReply::Fault::Stall) {
        while (!m_stopping)
            Sleep(20);
    }
    if (reply.fault == HttpReply::Fault::ResetMidBody) {
        // A zero linger turns the close into a reset.
        linger abortive{1, 0};
        setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive), sizeof(abortive));
    } else {
        shutdown(client, SD_SEND);
        // Let the peer read to the end before the socket goes, but never
        // wait on a peer that keeps its end open.
        DWORD timeoutMs = 5000;
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof(timeoutMs));
        while (recv(client, chunk, sizeof(chunk), 0) > 0) {}
    }
    closesocket(client);
}
