#pragma once
// velorin's standard output, with its failures kept: a full disk or a closed
// pipe is an error of the run like any other, not a silently short output.

#include <functional>
#include <ostream>
#include <streambuf>
#include <vector>

namespace velorin::cli {

// A buffer over a file descriptor that remembers the first failing write's
// errno (iostreams keep only "bad", and stdio may lose the reason by the
// time the program asks).
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd, std::size_t size = 64 * 1024);
    ~DescriptorBuffer() override;
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

    // 0 while every write succeeded, else the errno of the first that failed.
    int error() const { return error_; }

protected:
    int_type overflow(int_type ch) override;
    int sync() override;

private:
    bool drain();

    int fd_;
    int error_ = 0;
    std::vector<char> buffer_;
};

// The run's status once its output is flushed: unchanged when the output
// went out (or the run already failed and said why). A failed output turns
// success into status 1 with one Hungarian line on err; a closed pipe (EPIPE,
// when SIGPIPE is ignored) ends quietly with status 1, as the usual filters do.
int finishOutput(std::ostream& out, const DescriptorBuffer& buffer, std::ostream& err, int status);

// A whole run of a program's subcommand with its output on standard output:
// buffered, each line at once when a person watches a terminal, checked once
// the last byte is out; running out of memory is said in Hungarian.
int runOnStandardOutput(const std::function<int(std::ostream& out)>& run);

} // namespace velorin::cli
