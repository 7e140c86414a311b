#pragma once
#include <gtest/gtest.h>

#include <string>

// Expects `statement` to throw a std::exception whose what() is exactly
// `expected`.
#define EXPECT_MESSAGE(statement, expected)                                       \
    do {                                                                          \
        try {                                                                     \
            statement;                                                            \
            ADD_FAILURE() << "no exception from: " #statement;                    \
        } catch (const std::exception& error_) {                                 \
            EXPECT_EQ(std::string(error_.what()), std::string(expected));         \
        }                                                                         \
    } while (false)

// Expects `statement` to throw a std::exception whose what() begins with
// `prefix`: for messages that carry run-dependent detail after a fixed text
// ("State::cast(): expected ..., found ...").
#define EXPECT_MESSAGE_STARTS(statement, prefix)                                  \
    do {                                                                          \
        try {                                                                     \
            statement;                                                            \
            ADD_FAILURE() << "no exception from: " #statement;                    \
        } catch (const std::exception& error_) {                                 \
            EXPECT_EQ(std::string(error_.what()).rfind(std::string(prefix), 0), 0u) \
                << "message: " << error_.what();                                  \
        }                                                                         \
    } while (false)

// Expects `statement` to throw a std::exception whose what() contains
// `part`: for errors that report every problem of an element at once.
#define EXPECT_MESSAGE_CONTAINS(statement, part)                                  \
    do {                                                                          \
        try {                                                                     \
            statement;                                                            \
            ADD_FAILURE() << "no exception from: " #statement;                    \
        } catch (const std::exception& error_) {                                 \
            EXPECT_NE(std::string(error_.what()).find(std::string(part)), std::string::npos) \
                << "message: " << error_.what();                                  \
        }                                                                         \
    } while (false)
