#pragma once
// Small helpers shared by the fuzz targets.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace velorin::fuzz {

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Stops the run with a message the fuzzer keeps beside the input.
[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The input cut at one separator byte into at most `count` parts; missing
// parts are empty. Lets the fuzzer reach every field of a form at once.
inline std::vector<QByteArray> splitParts(const QByteArray& bytes, char separator, size_t count) {
    std::vector<QByteArray> parts;
    qsizetype start = 0;
    while (parts.size() + 1 < count) {
        qsizetype at = bytes.indexOf(separator, start);
        if (at < 0)
            break;
        parts.push_back(bytes.mid(start, at - start));
        start = at + 1;
    }
    parts.push_back(bytes.mid(start));
    parts.resize(count);
    return parts;
}

} // namespace velorin::fuzz
