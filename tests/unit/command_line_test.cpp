#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Row {
    const char* line;
    const char* arguments;
};

TEST(CommandLine, ArgumentsFollowTheProgramsNameAndTheBlanksAfterIt) {
    const Row rows[] = {
        {"\"C:\\Program Files\\Desk\\smptedesk.exe\"", ""},
        {"\"C:\\Program Files\\Desk\\smptedesk.exe\" \t  \t", ""},
        {"smptedesk.exe /log", "/log"},
        {"smptedesk.exe\t \t/log x", "/log x"},
        {"\"a b.exe\"x", "x"},
        {"\"a b.exe\" \"quoted arg\"", "\"quoted arg\""},
        {"smptedesk.exe", ""},
        {"\"C:\\Program Files\\Desk\\smptedesk.exe /log", ""},  // the quote is never closed
        {"", ""},
        {"  leading", "leading"},  // an empty unquoted name: the blanks go, the rest stays
        {"smptedesk.exe\v/log", "/log"},  // every character up to the space ends the name
        {"smptedesk.exe \r\n", ""},        // and is skipped after it
        {"smptedesk.exe\x01\x01/log", "/log"},
        {"\"a b.exe\"\x1F\t/log", "/log"},
        {"smptedesk.exe\xA0/log", ""},     // past 0x7F a character is part of the name
    };
    for (const Row& row : rows) {
        const char* arguments = command_line::ArgumentsOf(row.line);
        EXPECT_STREQ(arguments, row.arguments) << "line [" << row.line << "]";
        // The arguments are the tail of the line itself, never a copy.
        EXPECT_EQ(arguments, row.line + std::strlen(row.line) - std::strlen(arguments));
    }
}

}  // namespace
