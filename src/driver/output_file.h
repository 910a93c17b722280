// Output files, written whole or not at all.
//
// A regular file (or a name that does not exist yet) is written through a
// temporary file created beside it, which replaces it by a rename only
// after every write, the flush and the close succeeded.  Whatever ends the
// run before that (an error, an exception, SIGINT, SIGTERM, SIGHUP)
// removes the temporary file, so the output path keeps what it held.  A
// symbolic link keeps pointing where it did: the file it leads to is the
// one replaced.  A name that is not a regular file (a device such as
// /dev/null, a FIFO, /dev/stdout) is written directly and never removed;
// so is standard output, named "-".  A discarding output (--check) takes
// the text and writes nothing anywhere.
#ifndef SFLC_OUTPUT_FILE_H
#define SFLC_OUTPUT_FILE_H

#include <sys/types.h>

#include <cstdio>
#include <string>

#include "state.h"

class OutputFile : public OutputTarget {
public:
    // Opens `name` for writing; when it cannot be created, reports
    // "NAME: <system error text>" and ends the run with status 1.
    explicit OutputFile(const std::string& name, bool discard = false);
    // Removes the temporary file unless commit() has put it in place.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    FILE* stream() { return stream_; }
    // Flushes and closes the stream and puts the file in place; a failed
    // write, flush, close or rename is reported as
    // "PROGRAM: NAME: <system error text>" and ends the run with status 1.
    void commit();

    // True when `st` (from stat) is the file that this output replaces.
    bool replaces(const struct stat& st) const override;

private:
    void open_replacement(const std::string& target);
    void open_directly();
    void open_stream();
    void abandon();
    [[noreturn]] void write_failed(int error);

    std::string name_;      // as given, for messages
    std::string temp_;      // the temporary file, empty when written directly
    std::string target_;    // the file the temporary file replaces
    int fd_ = -1;
    bool own_fd_ = true;    // false for standard output, which stays open
    FILE* stream_ = nullptr;
    struct Sink* sink_ = nullptr;
    int slot_ = -1;         // the signal clean-up entry of temp_
    bool existed_ = false;  // the output was there before the run:
    dev_t dev_ = 0;         // its device and inode
    ino_t ino_ = 0;
};

#endif
