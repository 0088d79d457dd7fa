#pragma once
// A real HTTP/1.1 server on 127.0.0.1 for download tests, on a thread of the
// test process. Each route answers with a reply that may carry a fault.

#include <winsock2.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct HttpReply {
    enum class Fault {
        None,
        ResetMidBody,  // sends half the body, then resets the connection
        ShortBody,  // announces the whole body, sends half, closes cleanly
        Stall,  // sends half the body, then nothing until the server stops
        Trickle,  // sends the body slowly: 32 KiB every 100 ms
    };
    int status = 200;
    std::string body;
    bool sendContentLength = true;
    Fault fault = Fault::None;
    // Sent in chunks (no Content-Length); a ShortBody fault then ends
    // without the last chunk.
    bool chunked = false;
    std::string contentType = "application/octet-stream";
};

class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;
    ~LoopbackHttpServer();

    void Route(const std::string& path, HttpReply reply);
    // http://127.0.0.1:PORT + path
    std::wstring Url(const std::string& path) const;
    int RequestCount() const { return m_requests; }

    // An address on which nothing listens: connections are refused.
    static std::wstring RefusedUrl(const std::string& path);

private:
    void Serve();
    void Answer(SOCKET client);

    SOCKET m_listener = INVALID_SOCKET;
    unsigned short m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_requests{0};
    std::mutex m_routesLock;
    std::map<std::string, HttpReply> m_routes;
    std::thread m_thread;
    std::vector<std::thread> m_clients;  // touched by m_thread only, until it ends
};
