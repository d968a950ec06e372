#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// A TCP forwarder on 127.0.0.1 that stands in for a LAN between a client and a server: every chunk
// it reads is held for a fixed delay before it is passed on, in each direction, so a round trip
// costs twice the delay. It can also cut the line (every connection dropped, new ones refused) and
// restore it, as a pulled cable or a stopped server would. Plain threads and sockets, no Qt.
class KivDelayProxy
{
public:
    KivDelayProxy(std::string targetHost, std::uint16_t targetPort,
                  std::chrono::microseconds delay = std::chrono::microseconds(250));
    ~KivDelayProxy();
    KivDelayProxy(const KivDelayProxy &) = delete;
    KivDelayProxy &operator=(const KivDelayProxy &) = delete;

    // Listens on 127.0.0.1:listenPort (0: a free port, see port()); false when that fails.
    bool start(std::uint16_t listenPort = 0);
    std::uint16_t port() const { return m_port; }
    // Drops every open connection and refuses new ones until restore().
    void cut();
    void restore();
    void stop();

    std::uint64_t chunks() const { return m_chunks.load(); }
    std::uint64_t connections() const { return m_connections.load(); }

private:
    struct Link;
    void acceptLoop();
    void serve(int client);
    void pump(Link &link, int from, int to);
    void reapFinished(bool all);

    std::string m_targetHost;
    std::uint16_t m_targetPort;
    std::chrono::microseconds m_delay;
    int m_listener = -1;
    std::uint16_t m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_refusing{false};
    std::atomic<std::uint64_t> m_chunks{0};
    std::atomic<std::uint64_t> m_connections{0};
    std::thread m_acceptor;
    std::mutex m_mutex;
    std::list<std::unique_ptr<Link>> m_links;
};
