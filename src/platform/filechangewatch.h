// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Says whether a file, or a journal beside it ("name-journal", "name-wal"), may have changed
// since it was last asked, from the kernel's notices for the file's folder. What to read again
// then is the caller's. Where notices are not trusted, every answer is "may have".

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace margino {

class FileChangeWatch {
public:
    explicit FileChangeWatch(const QString &fileName);
    ~FileChangeWatch();
    FileChangeWatch(const FileChangeWatch &) = delete;
    FileChangeWatch &operator=(const FileChangeWatch &) = delete;

    // True the first time, and whenever a notice for the file or its journals has arrived
    // since the last call, or notices may have been lost. Notices are taken before the caller
    // reads, so a change made after this call is reported at the next; with a listener
    // (onChange), the event loop takes them, and a change it has not seen yet goes to the
    // listener at its next pass.
    bool mayHaveChanged();
    // False where the folder's notices are not trusted: a network or user-space file system
    // (another machine's writes send none), or no watch could be set.
    bool watching() const { return fd_ >= 0; }
    // Calls `noticed` from the event loop as soon as a change is reported (or the watch
    // ends), so what was computed from the file is computed again without waiting for a key.
    void onChange(std::function<void()> noticed);

private:
    bool drain(); // takes the notices waiting; true if one concerns the file
    void stop();

    int fd_ = -1;
    QByteArray name_;
    bool asked_ = false;
    bool pending_ = false; // a notice taken by the event loop, not yet asked about
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> noticed_;
};

} // namespace margino
