// Output files written safely: what is already under the name, or beside it,
// is never harmed; links are followed; folders are refused.
#include "png_file.h"
#include "safe_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A fresh folder of the test's own, removed with everything in it.
class SafeFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = std::string(::testing::TempDir()) + "/safe-file-XXXXXX";
        ASSERT_NE(mkdtemp(&name[0]), nullptr);
        char* absolute = realpath(name.c_str(), nullptr);  // as the temporary names are given
        folder = absolute;
        std::free(absolute);
    }
    void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }

    std::string in(const std::string& name) const { return folder + "/" + name; }
    // The folder's entries, hidden ones included, one per line.
    std::string entries() const {
        std::string list;
        if (FILE* ls = popen(("ls -A '" + folder + "'").c_str(), "r")) {
            char line[512];
            while (std::fgets(line, sizeof line, ls)) list += line;
            pclose(ls);
        }
        return list;
    }
    bool write_frame(const std::string& path, std::string& error) const {
        const std::uint32_t pixels[2] = {0x00FF8000, 0x000080FF};
        return write_png_rgb(path, pixels, 2, 1, error);
    }

    std::string folder;
};

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool is_png(const std::string& path) { return contents(path).compare(0, 4, "\x89PNG") == 0; }

TEST_F(SafeFile, ASymbolicLinkStaysALinkAndItsTargetGetsTheFile) {
    mkdir(in("real").c_str(), 0755);
    std::ofstream(in("real/frame.png")) << "old";
    ASSERT_EQ(symlink("real/frame.png", in("link.png").c_str()), 0);
    std::string error;
    ASSERT_TRUE(write_frame(in("link.png"), error)) << error;
    struct stat info;
    ASSERT_EQ(lstat(in("link.png").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_TRUE(is_png(in("real/frame.png")));
    EXPECT_EQ(entries(), "link.png\nreal\n");
}

TEST_F(SafeFile, AFileNamedLikeAnOldTemporaryOneSurvivesAndNothingIsLeftBeside) {
    std::ofstream(in("x.png.partial")) << "mine";
    std::string error;
    ASSERT_TRUE(write_frame(in("x.png"), error)) << error;
    EXPECT_EQ(contents(in("x.png.partial")), "mine");
    EXPECT_EQ(entries(), "x.png\nx.png.partial\n");
}

TEST_F(SafeFile, AReplacedFileKeepsItsPermissionsAndANewOneGetsWhatTheUmaskAllows) {
    std::ofstream(in("x.png")) << "old";
    chmod(in("x.png").c_str(), 0604);
    const mode_t saved = umask(027);
    std::string error;
    const bool written = write_frame(in("x.png"), error) && write_frame(in("new.png"), error);
    umask(saved);
    ASSERT_TRUE(written) << error;
    struct stat info;
    ASSERT_EQ(stat(in("x.png").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
    EXPECT_TRUE(is_png(in("x.png")));
    ASSERT_EQ(stat(in("new.png").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(SafeFile, AFolderIsRefusedByTheNameTheUserGave) {
    mkdir(in("folder.png").c_str(), 0755);
    std::string error;
    EXPECT_FALSE(write_frame(in("folder.png"), error));
    EXPECT_EQ(error, "cannot write " + in("folder.png") + ": Is a directory");
    EXPECT_EQ(entries(), "folder.png\n");
}

TEST_F(SafeFile, TheLongestValidNameStillGetsATemporaryName) {
    const std::string name = std::string(251, 'n') + ".png";  // 255 bytes
    std::string error;
    ASSERT_TRUE(write_frame(in(name), error)) << error;
    EXPECT_EQ(entries(), name + "\n");
}

TEST_F(SafeFile, AStreamOnlyRefusalAppliesToADeviceNotToAFile) {
    SafeOutput output;
    std::string error;
    EXPECT_FALSE(output.open("/dev/null", "must seek", error));
    EXPECT_EQ(error, "cannot write /dev/null: must seek");
    ASSERT_TRUE(output.open(in("v.mp4"), "must seek", error)) << error;
    EXPECT_EQ(output.temporary_path().rfind(folder + "/.v.", 0), 0u);  // beside it, hidden
    EXPECT_EQ(output.temporary_path().substr(output.temporary_path().size() - 4), ".mp4");
    output.discard();
    EXPECT_EQ(entries(), "");
}

// Kept names: anything under the name (a dangling link too) is refused at
// once, and a file that takes the name while the new one is being written
// wins: the new one is dropped, nothing is left beside.
TEST_F(SafeFile, AKeptNameIsNeverReplacedEvenWhenTakenDuringTheWrite) {
    ASSERT_EQ(symlink("nowhere.png", in("dangling.png").c_str()), 0);
    std::string error;
    const std::uint32_t pixel = 0;
    EXPECT_FALSE(write_png_rgb(in("dangling.png"), &pixel, 1, 1, error, Existing::keep));
    EXPECT_EQ(error, "cannot write " + in("dangling.png") + ": File exists");

    SafeOutput output;
    ASSERT_TRUE(output.open(in("late.png"), "", error, Existing::keep)) << error;
    std::ofstream(in("late.png")) << "first";
    EXPECT_FALSE(output.commit(error));
    EXPECT_EQ(error, "cannot write " + in("late.png") + ": File exists");
    EXPECT_EQ(contents(in("late.png")), "first");
    EXPECT_EQ(entries(), "dangling.png\nlate.png\n");
}

}  // namespace
