#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// Lets a test that runs as root see read-only files as other users do: while it lives, the
// process's effective capability to override file permissions is dropped (it stays permitted and is
// raised again at the end). Does nothing for other users.
class WriteGuard
{
public:
    WriteGuard()
    {
        if (::geteuid() != 0 || !get())
            return;
        m_saved[0] = m_data[0];
        m_data[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        m_active = set();
    }
    ~WriteGuard()
    {
        if (m_active) {
            m_data[0] = m_saved[0];
            set();
        }
    }
    WriteGuard(const WriteGuard &) = delete;
    WriteGuard &operator=(const WriteGuard &) = delete;

private:
    bool get()
    {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        m_header.pid = 0;
        return ::syscall(SYS_capget, &m_header, m_data) == 0;
    }
    bool set() { return ::syscall(SYS_capset, &m_header, m_data) == 0; }

    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_data[2]{};
    __user_cap_data_struct m_saved[1]{};
    bool m_active = false;
};
