// melvora-delayproxy LISTEN_PORT TARGET_HOST TARGET_PORT [DELAY_MICROSECONDS]: forwards TCP
// connections from 127.0.0.1:LISTEN_PORT to the target, holding every chunk DELAY (250) us in each
// direction, until it is stopped (SIGINT or SIGTERM). Prints "listening on PORT" once it listens.
#include "DelayProxy.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int)
{
    g_stop = 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: melvora-delayproxy LISTEN_PORT TARGET_HOST TARGET_PORT [DELAY_US]\n");
        return 1;
    }
    const auto delay = std::chrono::microseconds(argc == 5 ? std::atol(argv[4]) : 250);
    KivDelayProxy proxy(argv[2], std::uint16_t(std::atoi(argv[3])), delay);
    if (!proxy.start(std::uint16_t(std::atoi(argv[1])))) {
        std::perror("melvora-delayproxy: cannot listen");
        return 1;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::printf("listening on %u\n", unsigned(proxy.port()));
    std::fflush(stdout);
    while (!g_stop)
        ::pause();
    proxy.stop();
    std::printf("%llu connections, %llu chunks\n", static_cast<unsigned long long>(proxy.connections()),
                static_cast<unsigned long long>(proxy.chunks()));
    return 0;
}
