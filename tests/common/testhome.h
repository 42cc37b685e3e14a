#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Gives a test a fresh, empty home folder for as long as it lives, so that
// folders, databases and settings the program creates never touch the real
// user's files and never leak between test cases.
class TestHome
{
public:
    TestHome();
    ~TestHome();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previousHome;
    bool m_hadHome;
};
