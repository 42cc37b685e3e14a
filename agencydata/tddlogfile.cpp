#include "agencydata/tddlogfile.h"

#include <QFile>

#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

TddLogFile::TddLogFile(const QString& path)
{
    if (path.isEmpty())
        return;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0)
        return;
    // A log left by an older version may be readable by others: narrow it.
    if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0 || !(m_file = ::fdopen(fd, "a")))
        ::close(fd);
}

TddLogFile::~TddLogFile()
{
    close();
}

void TddLogFile::write(const char* text)
{
    if (m_file && text) {
        std::fputs(text, m_file);
        std::fflush(m_file);
    }
}

void TddLogFile::write(const std::string& text)
{
    if (m_file) {
        std::fwrite(text.data(), 1, text.size(), m_file);
        std::fflush(m_file);
    }
}

void TddLogFile::close()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}
