// The message for an error nobody planned for.

#include "platform/unexpectederror.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using namespace velorin;

namespace {

TEST(UnexpectedError, SaysWhatFailedWhyAndWhatStayedInHungarian) {
    const std::bad_alloc noMemory;
    const std::length_error tooLong("basic_string::_M_create");
    const std::out_of_range outOfRange("vector::_M_range_check: __n (which is 3) >= this->size()");
    const struct {
        const std::exception& e;
        const char* reason;
    } rows[] = {
        {noMemory, "elfogyott a memória"},
        {tooLong, "túl nagy adat"},
        {outOfRange, "belső programhiba"},
    };
    for (const auto& row : rows) {
        const QString text = unexpectedFailureText(QStringLiteral("A program betöltése"), row.e,
                                                   QStringLiteral("A fájlok változatlanok."));
        EXPECT_TRUE(text.startsWith(QStringLiteral("A program betöltése egy váratlan hiba")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(row.reason))) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QStringLiteral("A fájlok változatlanok."))) << text.toStdString();
        // The library's English never reaches the user.
        EXPECT_FALSE(text.contains(QString::fromLocal8Bit(row.e.what()))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("Error")));
        EXPECT_FALSE(text.contains(QStringLiteral("procedure")));
    }
}

} // namespace
