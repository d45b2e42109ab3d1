#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>
#include <unistd.h>

// Root passes every permission check. While one of these lives, a test run as
// root runs as the user "nobody" instead; any other user stays as it is. Made
// before the test's files, it makes "nobody" their owner.
class UnprivilegedUser {
public:
    UnprivilegedUser() : m_wasRoot(::geteuid() == 0)
    {
        if (m_wasRoot) {
            EXPECT_EQ(::seteuid(Nobody), 0);
        }
    }
    ~UnprivilegedUser()
    {
        if (m_wasRoot) {
            EXPECT_EQ(::seteuid(0), 0);
        }
    }
    UnprivilegedUser(const UnprivilegedUser&) = delete;
    UnprivilegedUser& operator=(const UnprivilegedUser&) = delete;

private:
    static constexpr uid_t Nobody = 65534;
    bool m_wasRoot;
};
