#include "media/DriveLayer.h"

#include "media/LinuxDrives.h"

#include <atomic>

namespace {

std::atomic<IKivDriveLayer *> g_current{nullptr};

IKivDriveLayer &systemDrives()
{
    static CKivLinuxDrives drives;
    return drives;
}

} // namespace

IKivDriveLayer &kivDrives()
{
    IKivDriveLayer *layer = g_current.load(std::memory_order_acquire);
    return layer ? *layer : systemDrives();
}

void installKivDrives(IKivDriveLayer *layer)
{
    g_current.store(layer, std::memory_order_release);
}
