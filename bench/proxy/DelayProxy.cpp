#include "DelayProxy.h"

#include <arpa/inet.h>
#include <cerrno>
#include <ctime>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

struct KivDelayProxy::Link
{
    int client = -1;
    int server = -1;
    std::thread up;
    std::thread down;
    std::atomic<int> finished{0};

    void shutdownBoth() const
    {
        ::shutdown(client, SHUT_RDWR);
        ::shutdown(server, SHUT_RDWR);
    }
};

namespace {

int connectTo(const std::string &host, std::uint16_t port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return -1;
    int fd = -1;
    for (addrinfo *a = found; a && fd < 0; a = a->ai_next) {
        fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd >= 0 && ::connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    ::freeaddrinfo(found);
    return fd;
}

void noDelay(int fd)
{
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// Sleeps until the deadline on the monotonic clock (no drift from repeated short sleeps).
void holdUntil(const timespec &deadline)
{
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

bool writeAll(int fd, const char *data, ssize_t size)
{
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size_t(size), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

} // namespace

KivDelayProxy::KivDelayProxy(std::string targetHost, std::uint16_t targetPort, std::chrono::microseconds delay)
    : m_targetHost(std::move(targetHost)), m_targetPort(targetPort), m_delay(delay)
{
}

KivDelayProxy::~KivDelayProxy()
{
    stop();
}

bool KivDelayProxy::start(std::uint16_t listenPort)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listener < 0)
        return false;
    const int one = 1;
    ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(listenPort);
    socklen_t length = sizeof address;
    if (::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 64) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        ::close(m_listener);
        m_listener = -1;
        return false;
    }
    m_port = ntohs(address.sin_port);
    m_stopping = false;
    m_acceptor = std::thread([this] { acceptLoop(); });
    return true;
}

void KivDelayProxy::acceptLoop()
{
    while (!m_stopping) {
        pollfd waiting{m_listener, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0) {
            reapFinished(false);
            continue;
        }
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        if (m_refusing) {
            ::close(client);
            continue;
        }
        serve(client);
        reapFinished(false);
    }
}

void KivDelayProxy::serve(int client)
{
    const int server = connectTo(m_targetHost, m_targetPort);
    if (server < 0) {
        ::close(client);
        return;
    }
    noDelay(client);
    noDelay(server);
    ++m_connections;
    auto link = std::make_unique<Link>();
    link->client = client;
    link->server = server;
    Link &l = *link;
    std::lock_guard lock(m_mutex);
    l.up = std::thread([this, &l] { pump(l, l.client, l.server); });
    l.down = std::thread([this, &l] { pump(l, l.server, l.client); });
    m_links.push_back(std::move(link));
}

void KivDelayProxy::pump(Link &link, int from, int to)
{
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::recv(from, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || m_refusing)
            break;
        timespec deadline{};
        ::clock_gettime(CLOCK_MONOTONIC, &deadline);
        const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(m_delay).count();
        deadline.tv_nsec += long(nanos % 1000000000);
        deadline.tv_sec += time_t(nanos / 1000000000) + deadline.tv_nsec / 1000000000;
        deadline.tv_nsec %= 1000000000;
        holdUntil(deadline);
        ++m_chunks;
        if (!writeAll(to, buffer, n))
            break;
    }
    // One side ended: the whole connection ends, as when a cable is pulled.
    link.shutdownBoth();
    ++link.finished;
}

void KivDelayProxy::reapFinished(bool all)
{
    std::lock_guard lock(m_mutex);
    for (auto it = m_links.begin(); it != m_links.end();) {
        Link &link = **it;
        if (all)
            link.shutdownBoth();
        if (!all && link.finished.load() < 2) {
            ++it;
            continue;
        }
        link.up.join();
        link.down.join();
        ::close(link.client);
        ::close(link.server);
        it = m_links.erase(it);
    }
}

void KivDelayProxy::cut()
{
    m_refusing = true;
    std::lock_guard lock(m_mutex);
    for (const auto &link : m_links)
        link->shutdownBoth();
}

void KivDelayProxy::restore()
{
    m_refusing = false;
}

void KivDelayProxy::stop()
{
    if (m_listener < 0)
        return;
    m_stopping = true;
    if (m_acceptor.joinable())
        m_acceptor.join();
    reapFinished(true);
    ::close(m_listener);
    m_listener = -1;
}
