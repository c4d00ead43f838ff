// Reading and saving files as the program does: links followed, special files refused without
// hanging, stale temporary files of interrupted saves removed, failures said in French.
#include "platform/core/FileIO.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace fs = std::filesystem;

namespace velmor {
namespace {

struct Folder
{
    explicit Folder(const char* name)
        : path(fs::path(testing::TempDir()) / (std::string(name) + "_" + std::to_string(getpid())))
    {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    std::string operator/(const char* name) const { return (path / name).string(); }
    fs::path path;
};

std::string read(const std::string& path)
{
    std::string bytes, error;
    EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << error;
    return bytes;
}

TEST(FileIO, SaveThroughASymbolicLinkReplacesItsTarget)
{
    Folder dir("velmor_links");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(dir / "real.vlm", "old", error)) << error;
    fs::create_symlink("real.vlm", dir.path / "link.vlm");
    fs::create_symlink(dir.path / "link.vlm", dir.path / "link2.vlm"); // absolute, to a link
    ASSERT_TRUE(WriteFileAtomically(dir / "link2.vlm", "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir.path / "link2.vlm")) << "the links stay links";
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.vlm"));
    EXPECT_EQ(read(dir / "real.vlm"), "new");

    // A dangling link: its target is created.
    fs::create_symlink("later.vlm", dir.path / "dangling.vlm");
    ASSERT_TRUE(WriteFileAtomically(dir / "dangling.vlm", "made", error)) << error;
    EXPECT_EQ(read(dir / "later.vlm"), "made");

    // Links in a circle are refused.
    fs::create_symlink("b.vlm", dir.path / "a.vlm");
    fs::create_symlink("a.vlm", dir.path / "b.vlm");
    EXPECT_FALSE(WriteFileAtomically(dir / "a.vlm", "x", error));
    EXPECT_NE(error.find("trop de liens symboliques"), std::string::npos) << error;
}

TEST(FileIO, SpecialFilesAreRefusedWithoutWaiting)
{
    Folder dir("velmor_special");
    const std::string fifo = dir / "pipe.vlm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string bytes, error;
    // No writer: a blocking open would wait here for ever.
    EXPECT_FALSE(ReadWholeFile(fifo, bytes, error));
    EXPECT_NE(error.find("ce n'est pas un fichier ordinaire"), std::string::npos) << error;
    EXPECT_FALSE(WriteFileAtomically(fifo, "x", error));
    EXPECT_NE(error.find("ce n'est pas un fichier ordinaire"), std::string::npos) << error;
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO is not replaced by a file";

    // A link to the FIFO is no way round.
    fs::create_symlink("pipe.vlm", dir.path / "to-pipe.vlm");
    EXPECT_FALSE(WriteFileAtomically(dir / "to-pipe.vlm", "x", error));

    // A device: refused with what it is, not with the message of a success.
    EXPECT_FALSE(ReadWholeFile("/dev/zero", bytes, error));
    EXPECT_EQ(error, "/dev/zero: ce n'est pas un fichier ordinaire");
    for (const auto& entry : fs::directory_iterator(dir.path))
        EXPECT_EQ(entry.path().filename().string().rfind(".velmor-", 0), std::string::npos);
}

TEST(FileIO, StaleTemporaryFilesOfInterruptedSavesAreRemoved)
{
    Folder dir("velmor_stale");
    std::string error;
    const std::string stale = dir / ".velmor-ab12CD", fresh = dir / ".velmor-Zz9876";
    const std::string other = dir / ".velmor-notours.txt";
    for (const std::string& f : {stale, fresh, other})
        ASSERT_TRUE(WriteFileAtomically(f, "left", error)) << error;
    const time_t hourAgo = std::time(nullptr) - 3600;
    const utimbuf old{hourAgo, hourAgo};
    ASSERT_EQ(::utime(stale.c_str(), &old), 0);
    ASSERT_EQ(::utime(other.c_str(), &old), 0);
    ASSERT_TRUE(WriteFileAtomically(dir / "model.vlm", "saved", error)) << error;
    EXPECT_FALSE(fs::exists(stale)) << "an hour-old temporary file of ours goes";
    EXPECT_TRUE(fs::exists(fresh)) << "a save may still be writing a recent one";
    EXPECT_TRUE(fs::exists(other)) << "a file that is not one of ours stays";
}

TEST(FileIO, FailuresSayWhatHappened)
{
    struct Case
    {
        int err;
        const char* text;
    };
    for (const Case c : {Case{EACCES, "accès refusé"}, Case{EROFS, "le support est en lecture seule"},
                         Case{ENOSPC, "le disque est plein"}, Case{EISDIR, "c'est un dossier"}})
        EXPECT_EQ(FileErrorText(c.err), c.text);

    Folder dir("velmor_denied");
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(dir / "missing/x.vlm", "x", error));
    EXPECT_EQ(error.rfind("Nom de fichier non valide. ", 0), 0u) << error;

    // A folder the user may not write into. As root (CI), folder permissions do not apply:
    // the save then runs in a child process without privileges.
    const fs::path locked = dir.path / "locked";
    fs::create_directories(locked);
    ::chmod(locked.c_str(), 0555);
    const std::string target = (locked / "x.vlm").string();
    if (::geteuid() != 0) {
        EXPECT_FALSE(WriteFileAtomically(target, "x", error));
        EXPECT_EQ(error, "Impossible d'enregistrer " + target + ": accès refusé.");
    } else {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                _exit(3);
            std::string why;
            const bool refused = !WriteFileAtomically(target, "x", why) &&
                                 why == "Impossible d'enregistrer " + target + ": accès refusé.";
            _exit(refused ? 0 : 1);
        }
        int raw = 0;
        ASSERT_EQ(waitpid(child, &raw, 0), child);
        ASSERT_TRUE(WIFEXITED(raw));
        if (WEXITSTATUS(raw) == 3)
            GTEST_SKIP() << "no unprivileged user to run the save as";
        EXPECT_EQ(WEXITSTATUS(raw), 0);
    }
    EXPECT_FALSE(fs::exists(target));
    ::chmod(locked.c_str(), 0755);
}

} // namespace
} // namespace velmor
