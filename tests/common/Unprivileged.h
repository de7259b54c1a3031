#pragma once
// Running a test case without root's privileges: root ignores permission
// bits, so a read-only folder only stops a write by an ordinary user. CI
// runs as root, so cases about refused writes switch the process's
// effective user to "nobody" for their duration, owning the case's own
// files meanwhile so that only the refusal under test differs.
//
//   testing_support::Unprivileged user(tree);
//   if (!user.Active()) GTEST_SKIP() << user.Why();
//
// Not root: nothing changes and Active() is true. The ids come back and the
// files return to root when the object goes away.

#include <pwd.h>
#include <sys/types.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace testing_support {

class Unprivileged {
public:
    explicit Unprivileged(std::filesystem::path tree) : tree_(std::move(tree))
    {
        if (geteuid() != 0)
            return;
        const passwd* nobody = getpwnam("nobody");
        uid_ = nobody != nullptr ? nobody->pw_uid : 65534;
        gid_ = nobody != nullptr ? nobody->pw_gid : 65534;
        Own(tree_, uid_, gid_);
        if (setegid(gid_) != 0) {
            why_ = "cannot switch to the group of nobody";
            Own(tree_, 0, 0);
            return;
        }
        if (seteuid(uid_) != 0) {
            why_ = "cannot switch to the user nobody";
            setegid(0);
            Own(tree_, 0, 0);
            return;
        }
        switched_ = true;
    }

    ~Unprivileged()
    {
        if (!switched_)
            return;
        if (seteuid(0) == 0 && setegid(0) == 0)
            Own(tree_, 0, 0);
    }

    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

    bool Active() const { return why_.empty(); }
    const std::string& Why() const { return why_; }

private:
    static void Own(const std::filesystem::path& tree, uid_t uid, gid_t gid)
    {
        std::error_code ignored;
        lchown(tree.c_str(), uid, gid);
        for (auto it = std::filesystem::recursive_directory_iterator(tree, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
            lchown(it->path().c_str(), uid, gid);
    }

    std::filesystem::path tree_;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    bool switched_ = false;
    std::string why_;
};

}  // namespace testing_support
