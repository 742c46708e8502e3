// SPDX-License-Identifier: GPL-3.0-or-later
#include "filechangewatch.h"

#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace margino {

namespace {

// File systems on this machine's own disks or memory, where every write to a file, by any
// process, sends a notice. Network and user-space ones (NFS, SMB, FUSE) are left out: a write
// from elsewhere sends none there.
bool noticesTrusted(const QByteArray &folder) {
    struct statfs fs {};
    if (statfs(folder.constData(), &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x58465342: // XFS
    case 0x9123683E: // Btrfs
    case 0x01021994: // tmpfs
    case 0xF2F52010: // F2FS
    case 0x2FC12FC1: // ZFS
    case 0xCA451A4E: // bcachefs
    case 0x3153464A: // JFS
    case 0x794C7630: // overlayfs, as containers mount it
        return true;
    default:
        return false;
    }
}

} // namespace

FileChangeWatch::FileChangeWatch(const QString &fileName) {
    const QFileInfo file(fileName);
    const QByteArray folder = QFile::encodeName(file.absolutePath());
    name_ = QFile::encodeName(file.fileName());
    if (name_.isEmpty() || !noticesTrusted(folder))
        return;
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // The folder, not the file: a journal is created, written and deleted beside it.
    constexpr uint32_t changes = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE |
                                 IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
    if (fd_ >= 0 && inotify_add_watch(fd_, folder.constData(), changes) < 0)
        stop();
}

FileChangeWatch::~FileChangeWatch() {
    stop();
}

void FileChangeWatch::stop() {
    notifier_.reset(); // before its descriptor closes
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
}

void FileChangeWatch::onChange(std::function<void()> noticed) {
    noticed_ = std::move(noticed);
    if (fd_ < 0 || notifier_)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        if (drain() || fd_ < 0) {
            pending_ = true;
            if (noticed_)
                noticed_();
        }
    });
}

bool FileChangeWatch::mayHaveChanged() {
    // With a listener, the event loop takes the notices at each pass, and one it has not yet
    // seen reaches the listener at the next: reading here as well costs a system call a key.
    const bool changed = (!notifier_ && drain()) || pending_ || !asked_ || fd_ < 0;
    asked_ = true;
    pending_ = false;
    return changed;
}

bool FileChangeWatch::drain() {
    bool changed = false;
    while (fd_ >= 0) {
        alignas(inotify_event) char buffer[4096];
        const ssize_t length = read(fd_, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length < 0 && errno == EAGAIN)
            break;
        if (length <= 0) { // the watch is broken: from now on, always read
            stop();
            return true;
        }
        for (const char *at = buffer; at < buffer + length;) {
            const auto *notice = reinterpret_cast<const inotify_event *>(at);
            at += sizeof(inotify_event) + notice->len;
            // Lost notices, or the folder itself gone or moved: the watch says no more.
            if (notice->mask & (IN_Q_OVERFLOW | IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                stop();
                return true;
            }
            const QByteArray name(notice->len ? notice->name : "");
            if (name == name_ || name.startsWith(name_ + '-'))
                changed = true;
        }
    }
    return changed;
}

} // namespace margino
