#pragma once

#include <QString>

#include <atomic>
#include <thread>

// File-system objects that are not regular files, made under a return
// file's name, for tests of the readers' refusal.
namespace specialfiles {

// A FIFO at path; false when it cannot be made.
bool makeFifo(const QString& path);
// A bound Unix-domain socket at path; the descriptor (to close later) or -1.
int makeSocket(const QString& path);

} // namespace specialfiles

// While it lives, and after a grace period, opens the FIFO at its path for
// writing now and then. A reader stuck in an open() of the FIFO is thereby
// released, so a reader that would block shows up as a slow result in the
// test instead of a test that never ends.
class FifoReleaser
{
public:
    FifoReleaser(const QString& path, int graceMs = 2000);
    ~FifoReleaser();

    FifoReleaser(const FifoReleaser&) = delete;
    FifoReleaser& operator=(const FifoReleaser&) = delete;

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
