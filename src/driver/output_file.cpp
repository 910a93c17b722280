#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

#include "error.h"
#include "state.h"

// Where the stream's bytes go: the descriptor, and the first write error
// (the stream itself keeps only a flag).  A sink that discards takes
// every byte without writing it, for a stream given up.
struct Sink {
    int fd;
    int error = 0;
    bool discard = false;
};

namespace {

ssize_t sink_write(void* cookie, const char* buf, size_t size) {
    Sink* s = static_cast<Sink*>(cookie);
    if (s->discard) return static_cast<ssize_t>(size);
    size_t done = 0;
    while (done < size) {
        ssize_t n = write(s->fd, buf + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (!s->error) s->error = n < 0 ? errno : ENOSPC;
            return -1;
        }
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(size);
}

// The descriptor is closed by its owner, which checks the result.
int sink_close(void*) { return 0; }

// ------------------------------------------------- removal on a signal
//
// The temporary files alive now, for the handler of SIGINT, SIGTERM and
// SIGHUP, which removes them and then lets the signal end the process.
// An entry is filled and emptied with those signals blocked.

constexpr int kTempSlots = 4;
struct TempSlot {
    volatile sig_atomic_t active;
    char path[PATH_MAX];
};
TempSlot temp_slots[kTempSlots];
const int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignals = sizeof kCleanupSignals / sizeof kCleanupSignals[0];
struct sigaction saved_actions[kSignals];
bool handled[kSignals];
int slots_in_use = 0;

extern "C" void remove_temporary_files(int sig) {
    for (TempSlot& s : temp_slots)
        if (s.active) unlink(s.path);
    signal(sig, SIG_DFL);
    raise(sig);  // delivered when the handler returns
}

// Blocks the clean-up signals while it lives.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int sig : kCleanupSignals) sigaddset(&set, sig);
        sigprocmask(SIG_BLOCK, &set, &saved_);
    }
    ~SignalsHeld() { sigprocmask(SIG_SETMASK, &saved_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t saved_;
};

// Registers `path` (signals held); the handlers are installed with the
// first entry, except for a signal that the process ignores.
int take_slot(const std::string& path) {
    for (int i = 0; i < kTempSlots; ++i) {
        TempSlot& s = temp_slots[i];
        if (s.active) continue;
        memcpy(s.path, path.c_str(), path.size() + 1);
        s.active = 1;
        if (slots_in_use++ == 0) {
            for (int k = 0; k < kSignals; ++k) {
                sigaction(kCleanupSignals[k], nullptr, &saved_actions[k]);
                handled[k] = saved_actions[k].sa_handler != SIG_IGN;
                if (!handled[k]) continue;
                struct sigaction sa;
                memset(&sa, 0, sizeof sa);
                sa.sa_handler = remove_temporary_files;
                sigfillset(&sa.sa_mask);
                sigaction(kCleanupSignals[k], &sa, nullptr);
            }
        }
        return i;
    }
    return -1;
}

// Empties an entry (signals held); the last one puts the handlers back.
void release_slot(int i) {
    temp_slots[i].active = 0;
    if (--slots_in_use == 0)
        for (int k = 0; k < kSignals; ++k)
            if (handled[k]) sigaction(kCleanupSignals[k], &saved_actions[k], nullptr);
}

std::string directory_of(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// True when the symbolic link `path` lies in /proc: a descriptor of this
// process, as /dev/stdout and /dev/fd/N lead to.  It is written directly.
bool in_proc(const std::string& path) {
    constexpr long kProcMagic = 0x9fa0;
    std::string dir = directory_of(path);
    struct statfs fs;
    return statfs(dir.empty() ? "." : dir.c_str(), &fs) == 0 && fs.f_type == kProcMagic;
}

[[noreturn]] void cannot_open(const std::string& name, int error) {
    errno = error;
    die(name);
}

// The file the symbolic link `path` points to.
std::string link_target(const std::string& path, const std::string& name) {
    char buf[PATH_MAX];
    ssize_t n = readlink(path.c_str(), buf, sizeof buf);
    if (n < 0) cannot_open(name, errno);
    if (n == static_cast<ssize_t>(sizeof buf)) cannot_open(name, ENAMETOOLONG);
    std::string target(buf, static_cast<size_t>(n));
    return target[0] == '/' ? target : directory_of(path) + target;
}

}  // namespace

OutputFile::OutputFile(const std::string& name, bool discard) : name_(name) {
    if (discard || name == kStandardOutput) {
        own_fd_ = false;
        fd_ = discard ? -1 : STDOUT_FILENO;
        open_stream();
        sink_->discard = discard;
        return;
    }
    struct stat st;
    if (stat(name.c_str(), &st) == 0) {
        existed_ = true;
        dev_ = st.st_dev;
        ino_ = st.st_ino;
    }
    // Follow the symbolic links to the file that is replaced.
    constexpr int kMaxLinks = 40;
    std::string target = name;
    for (int links = 0;; ++links) {
        struct stat lst;
        if (lstat(target.c_str(), &lst) != 0) {
            if (errno != ENOENT) cannot_open(name, errno);
            break;  // a new file
        }
        if (S_ISREG(lst.st_mode)) {
            // A file that may not be written is not replaced either.
            if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) cannot_open(name, errno);
            break;
        }
        if (!S_ISLNK(lst.st_mode) || in_proc(target)) {
            open_directly();
            return;
        }
        if (links == kMaxLinks) cannot_open(name, ELOOP);
        target = link_target(target, name);
    }
    open_replacement(target);
}

OutputFile::~OutputFile() { abandon(); }

void OutputFile::open_replacement(const std::string& target) {
    std::string dir = directory_of(target);
    // Long names are cut so that the temporary name stays a valid one.
    std::string base = target.substr(dir.size(), 200);
    static unsigned serial = 0;
    for (int attempt = 0;; ++attempt) {
        std::string temp = dir + "." + base + ".sflc-" + std::to_string(getpid()) + "-" +
                           std::to_string(serial++);
        if (temp.size() >= PATH_MAX) cannot_open(name_, ENAMETOOLONG);
        SignalsHeld held;
        // Created as any new file is: 0666 less the umask.
        int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST && attempt < 100) continue;
            cannot_open(name_, errno);
        }
        int slot = take_slot(temp);
        if (slot < 0) {
            unlink(temp.c_str());
            close(fd);
            cannot_open(name_, EMFILE);
        }
        fd_ = fd;
        slot_ = slot;
        temp_ = temp;
        target_ = target;
        break;
    }
    open_stream();
}

void OutputFile::open_directly() {
    fd_ = open(name_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd_ < 0) cannot_open(name_, errno);
    open_stream();
}

void OutputFile::open_stream() {
    sink_ = new Sink{fd_};
    stream_ = fopencookie(sink_, "w", cookie_io_functions_t{nullptr, sink_write, nullptr, sink_close});
    if (!stream_) {
        int e = errno;
        abandon();
        cannot_open(name_, e);
    }
    setvbuf(stream_, nullptr, _IOFBF, 1 << 16);
}

void OutputFile::write_failed(int error) {
    fprintf(stderr, "%s: %s: %s\n", g.program_name.c_str(), name_.c_str(), strerror(error));
    fatal_exit(1);
}

void OutputFile::commit() {
    if (fflush(stream_) != 0 || ferror(stream_)) write_failed(sink_->error ? sink_->error : EIO);
    fclose(stream_);
    stream_ = nullptr;
    int fd = fd_;
    fd_ = -1;
    if (own_fd_ && close(fd) != 0 && errno != EINTR) write_failed(errno);
    if (temp_.empty()) return;
    SignalsHeld held;
    if (rename(temp_.c_str(), target_.c_str()) != 0) write_failed(errno);
    release_slot(slot_);
    temp_.clear();
}

bool OutputFile::replaces(const struct stat& st) const {
    return existed_ && st.st_dev == dev_ && st.st_ino == ino_;
}

void OutputFile::abandon() {
    if (stream_) {
        sink_->discard = true;
        fclose(stream_);
        stream_ = nullptr;
    }
    if (fd_ >= 0 && own_fd_) close(fd_);
    fd_ = -1;
    if (!temp_.empty()) {
        SignalsHeld held;
        unlink(temp_.c_str());
        release_slot(slot_);
        temp_.clear();
    }
    delete sink_;
    sink_ = nullptr;
}
