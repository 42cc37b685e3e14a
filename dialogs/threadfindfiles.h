#pragma once

#include "companion/core/workerthread.h"

#include <QStringList>

// The background walk of the return file search. It goes through the search
// folders in order, every sub-folder included (regular files only; symbolic
// links and hidden entries are left out), and reports each file whose suffix
// is one of the suffixes searched for. Nothing of the dialog is touched from
// the walk: every finding and every status line leaves through a signal, which
// the dialog receives queued on its own thread, in the order found.
//
// A file reached from two search folders (the folders overlap: the home
// folder holds the documents folder) is reported once, under the path by
// which it was first reached.
class ThreadFindFiles : public MyWorkerThread
{
    Q_OBJECT
public:
    // Status lines and progress are sent at most this often while walking,
    // besides once at the start of each search folder, so that a walk over a
    // whole home folder sends few signals.
    static constexpr qint64 kReportEveryMs = 5000;

    explicit ThreadFindFiles(QObject* parent = nullptr);
    ~ThreadFindFiles() override;

    // Folders in search order and the suffixes looked for (compared without
    // regard to case). Set before start().
    void setFileSuffixForSearch(const QStringList& folders, const QStringList& suffixes);

signals:
    // A file found: the path as reached and its canonical form.
    void fileFound(const QString& path, const QString& canonicalPath);
    // The status line; progressChanged (whole seconds since the walk began)
    // follows it.
    void statusChanged(const QString& text);

protected:
    void run() override;

private:
    QStringList m_folders;
    QStringList m_suffixes;
};
