#pragma once
// Real faults of the file system under a project store, for the tests of a store that cannot
// be written: a small file system of its own (tmpfs) that fills up, and a store file made
// immutable (chattr +i; as root, permissions alone do not stop a write). Both need root (the
// CI runs so); where the system refuses, the test is skipped with a message that says why.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

// Sets or clears the immutable mark of a file; the reason when the system refused.
inline std::string Unveraenderlich(const std::filesystem::path& file, bool on)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::strerror(errno);
    int flags = 0;
    std::string error;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0)
        error = std::strerror(errno);
    else {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0)
            error = std::strerror(errno);
    }
    ::close(fd);
    return error;
}

// Marks the file immutable for the scope (Fehler() says why not).
class TSchreibschutz {
public:
    explicit TSchreibschutz(std::filesystem::path file)
        : m_file(std::move(file))
        , m_fehler(Unveraenderlich(m_file, true))
    {
    }
    ~TSchreibschutz()
    {
        if (m_fehler.empty())
            Unveraenderlich(m_file, false);
    }
    TSchreibschutz(const TSchreibschutz&) = delete;
    TSchreibschutz& operator=(const TSchreibschutz&) = delete;
    const std::string& Fehler() const { return m_fehler; }

private:
    std::filesystem::path m_file;
    std::string m_fehler;
};

// A tmpfs of the given size mounted on a folder of its own for the scope; Fill() takes every
// byte left.
class TKleinerDatentraeger {
public:
    TKleinerDatentraeger(const std::filesystem::path& folder, std::size_t kilobytes)
        : m_folder(folder)
    {
        std::filesystem::create_directories(m_folder);
        const std::string options = "size=" + std::to_string(kilobytes) + "k";
        if (::mount("tmpfs", m_folder.c_str(), "tmpfs", 0, options.c_str()) != 0)
            m_fehler = std::string("mount -t tmpfs: ") + std::strerror(errno);
    }
    ~TKleinerDatentraeger()
    {
        if (m_fehler.empty())
            ::umount2(m_folder.c_str(), MNT_DETACH);
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }
    TKleinerDatentraeger(const TKleinerDatentraeger&) = delete;
    TKleinerDatentraeger& operator=(const TKleinerDatentraeger&) = delete;
    const std::string& Fehler() const { return m_fehler; }
    const std::filesystem::path& Folder() const { return m_folder; }

    void Fill()
    {
        const int fd = ::open((m_folder / "voll").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'x');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        // The last partial block: byte by byte.
        while (::write(fd, "x", 1) > 0) {
        }
        ::close(fd);
    }

private:
    std::filesystem::path m_folder;
    std::string m_fehler;
};
