#include "platform/FileChecks.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/PlainUserRights.h"

namespace {

namespace fs = std::filesystem;

class FileChecksTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/merrow-checks-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        fs::create_directory(dir / "sub");
        std::ofstream(dir / "file.tov") << "x";
    }
    void TearDown() override {
        fs::permissions(dir / "sub", fs::perms::owner_all);
        fs::remove_all(dir);
    }
    void Link(const std::string& name, const std::string& to) {
        fs::create_symlink(to, dir / name);
    }
    std::string At(const std::string& name) const { return (dir / name).string(); }

    fs::path dir;
};

TEST_F(FileChecksTest, FollowLinksEndsAtTheFileTheLinksLeadTo) {
    Link("relative", "sub/hop");     // from the link's own folder
    Link("sub/hop", "../file.tov");  // and from that link's folder
    Link("absolute", At("file.tov"));
    Link("dangling", "sub/new.tov");  // a file still to be made
    Link("loop", "loop2");
    Link("loop2", "loop");
    struct Case {
        std::string name;
        int error;
        std::string target;
    };
    const Case cases[] = {
        {"file.tov", 0, At("file.tov")},     {"relative", 0, At("sub/../file.tov")},
        {"absolute", 0, At("file.tov")},     {"dangling", 0, At("sub/new.tov")},
        {"absent.tov", 0, At("absent.tov")}, {"loop", ELOOP, ""},
        {"file.tov/inside", ENOTDIR, ""},    {std::string(300, 'n'), ENAMETOOLONG, ""},
    };
    for (const Case& c : cases) {
        std::string target;
        EXPECT_EQ(platform::FollowLinks(At(c.name), &target), c.error) << c.name;
        EXPECT_EQ(target, c.target) << c.name;
    }
}

TEST_F(FileChecksTest, SameFileComparesTheFilesNotTheirNames) {
    std::ofstream(dir / "FILE.tov") << "another file";
    fs::create_hard_link(dir / "file.tov", dir / "hard.tov");
    Link("link.tov", "file.tov");
    EXPECT_TRUE(platform::SameFile(At("file.tov"), At("sub/../file.tov")));
    EXPECT_TRUE(platform::SameFile(At("file.tov"), At("hard.tov")));
    EXPECT_TRUE(platform::SameFile(At("link.tov"), At("file.tov")));
    EXPECT_FALSE(platform::SameFile(At("file.tov"), At("FILE.tov")));
    EXPECT_FALSE(platform::SameFile(At("file.tov"), At("absent.tov")));
    EXPECT_TRUE(platform::SameFile(At("absent.tov"), At("absent.tov")));
}

// Names that cannot be looked at are answered, never thrown.
TEST_F(FileChecksTest, NameExistsSeesLinksAndNeverThrows) {
    Link("loop", "loop");
    Link("dangling", "absent.tov");
    std::ofstream(dir / "sub" / "hidden.tov") << "x";
    EXPECT_TRUE(platform::NameExists(At("loop")));
    EXPECT_TRUE(platform::NameExists(At("dangling")));
    EXPECT_FALSE(platform::NameExists(At("absent.tov")));
    EXPECT_FALSE(platform::NameExists(At(std::string(5000, 'n'))));
    fs::permissions(dir / "sub", fs::perms::none);
    const testsupport::PlainUserRights plainUser;
    EXPECT_FALSE(platform::NameExists(At("sub/hidden.tov")));
}

}  // namespace
