#include "common/specialfiles.h"

#include <QFile>

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace specialfiles {

bool makeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

int makeSocket(const QString& path)
{
    const QByteArray local = QFile::encodeName(path);
    sockaddr_un address {};
    if (size_t(local.size()) >= sizeof(address.sun_path))
        return -1;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, local.constData(), size_t(local.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 || ::listen(fd, 1) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace specialfiles

FifoReleaser::FifoReleaser(const QString& path, int graceMs)
{
    const QByteArray local = QFile::encodeName(path);
    m_thread = std::thread([this, local, graceMs] {
        const auto start = std::chrono::steady_clock::now();
        while (!m_stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(graceMs))
                continue;
            // Succeeds only while a reader has the FIFO open.
            const int fd = ::open(local.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        }
    });
}

FifoReleaser::~FifoReleaser()
{
    m_stop = true;
    m_thread.join();
}
