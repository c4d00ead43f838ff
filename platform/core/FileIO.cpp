#include "FileIO.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velmor {
namespace {

// Prefix of the temporary files of a save, followed by mkstemp's six characters.
constexpr const char* kTempPrefix = ".velmor-";
constexpr size_t kTempSuffixLength = 6;
// A temporary file of ours this much older than now belongs to a save that was interrupted
// (a save takes seconds at most): the next save into its folder removes it.
constexpr time_t kStaleTempSeconds = 10 * 60;
// Links followed to the file a save replaces, at most (the system's own limit is 40).
constexpr int kMaxLinks = 40;

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A name that leads nowhere is the one the user can mend by choosing another ("Nom de fichier
// non valide."); any other failure says what happened.
std::string saveFailure(const std::string& path, int err)
{
    const bool badName = err == ENOENT || err == ENOTDIR || err == ENAMETOOLONG || err == EINVAL;
    return std::string(badName ? "Nom de fichier non valide. " : "Impossible d'enregistrer ") +
           path + ": " + FileErrorText(err) + ".";
}

// The file a save to `path` replaces: `path` itself, or the file its symbolic links lead to
// (which need not exist yet). False with the reason when the links go round in a circle.
bool followLinks(const std::string& path, std::string& target, std::string& error)
{
    target = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::vector<char> buffer(size_t(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(target.c_str(), buffer.data(), buffer.size() - 1);
        if (n < 0) {
            error = saveFailure(path, errno);
            return false;
        }
        const std::string link(buffer.data(), size_t(n));
        target = !link.empty() && link[0] == '/' ? link : folderOf(target) + "/" + link;
    }
    error = saveFailure(path, ELOOP);
    return false;
}

bool isStaleTemp(const std::string& folder, const char* name, time_t now)
{
    const size_t prefix = std::strlen(kTempPrefix);
    if (std::strncmp(name, kTempPrefix, prefix) != 0 ||
        std::strlen(name) != prefix + kTempSuffixLength)
        return false;
    struct stat st {};
    const std::string path = folder + "/" + name;
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
           now - st.st_mtime > kStaleTempSeconds;
}

void removeStaleTemps(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const time_t now = std::time(nullptr);
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir))
        if (isStaleTemp(folder, entry->d_name, now))
            stale.emplace_back(folder + "/" + entry->d_name);
    ::closedir(dir);
    for (const std::string& path : stale)
        ::unlink(path.c_str());
}

} // namespace

std::string FileErrorText(int err)
{
    switch (err) {
    case EACCES:
    case EPERM: return "accès refusé";
    case EROFS: return "le support est en lecture seule";
    case ENOSPC:
    case EDQUOT: return "le disque est plein";
    case ENOENT: return "le fichier ou son dossier n'existe pas";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case EISDIR: return "c'est un dossier";
    case ENAMETOOLONG: return "le nom est trop long";
    case ELOOP: return "trop de liens symboliques";
    case EIO: return "erreur d'entrée-sortie";
    default: return std::strerror(err);
    }
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error)
{
    // Non-blocking, so that a FIFO without writer or a device does not hang the open; only a
    // regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = path + ": " + FileErrorText(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = path + ": " + FileErrorText(errno);
        ::close(fd);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = path + (S_ISDIR(st.st_mode) ? ": c'est un dossier" : ": ce n'est pas un fichier ordinaire");
        ::close(fd);
        return false;
    }
    bytes.clear();
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = path + ": " + FileErrorText(errno);
            ::close(fd);
            return false;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error)
{
    std::string target;
    if (!followLinks(path, target, error))
        return false;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        error = "Impossible d'enregistrer " + path + ": " +
                (S_ISDIR(existing.st_mode) ? std::string("c'est un dossier")
                                           : std::string("ce n'est pas un fichier ordinaire")) +
                ".";
        return false;
    }
    const std::string folder = folderOf(target);
    removeStaleTemps(folder);
    std::string name = folder + "/" + kTempPrefix + std::string(kTempSuffixLength, 'X');
    std::vector<char> temp(name.begin(), name.end());
    temp.push_back('\0');
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = saveFailure(path, errno);
        return false;
    }
    auto fail = [&](int err) {
        error = saveFailure(path, err);
        ::close(fd);
        ::unlink(temp.data());
        return false;
    };
    // Keep the permissions of the file being replaced (or the usual ones for a new file).
    mode_t mode = 0644;
    if (exists)
        mode = existing.st_mode & 07777;
    else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        error = saveFailure(path, errno);
        ::unlink(temp.data());
        return false;
    }
    if (::rename(temp.data(), target.c_str()) != 0) {
        error = saveFailure(path, errno);
        ::unlink(temp.data());
        return false;
    }
    return true;
}

} // namespace velmor
