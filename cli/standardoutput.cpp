#include "standardoutput.h"

#include "platform/oserror.h"

#include <cerrno>
#include <iostream>
#include <new>
#include <unistd.h>

namespace velorin::cli {

DescriptorBuffer::DescriptorBuffer(int fd, std::size_t size) : fd_(fd), buffer_(size) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorBuffer::~DescriptorBuffer() {
    drain();
}

bool DescriptorBuffer::drain() {
    const char* p = pbase();
    const char* end = pptr();
    // After a failure the rest is dropped: a reader sees the output end
    // where the failure was, never a later part without the middle.
    while (error_ == 0 && p < end) {
        const ssize_t n = ::write(fd_, p, std::size_t(end - p));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error_ = errno;
        } else if (n == 0) {
            error_ = EIO;
        } else {
            p += n;
        }
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type ch) {
    if (!drain())
        return traits_type::eof();
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
}

int DescriptorBuffer::sync() {
    return drain() ? 0 : -1;
}

int finishOutput(std::ostream& out, const DescriptorBuffer& buffer, std::ostream& err, int status) {
    out.flush();
    const int error = buffer.error();
    if (error == 0 && out)
        return status;
    if (error == EPIPE)
        return status != 0 ? status : 1;
    if (status != 0)
        return status; // the run said why it failed; one failure, one line
    err << "velorin: a kimenet nem írható ki ("
        << (error ? osErrorText(error) : QStringLiteral("írási hiba")).toStdString()
        << "), a kiírt eredmény hiányos.\n";
    err.flush();
    return 1;
}

int runOnStandardOutput(const std::function<int(std::ostream& out)>& run) {
    DescriptorBuffer buffer(STDOUT_FILENO);
    std::ostream out(&buffer);
    if (::isatty(STDOUT_FILENO))
        out.setf(std::ios::unitbuf);
    try {
        return finishOutput(out, buffer, std::cerr, run(out));
    } catch (const std::bad_alloc&) {
        // Every file is replaced atomically, so stopping here changes none.
        std::cerr << "velorin: elfogyott a memória, a művelet félbemaradt; "
                     "a meglévő fájlok változatlanok.\n";
        return 1;
    }
}

} // namespace velorin::cli
