// The arguments of a program's command line: what follows the program's name, as the system's
// C run-time hands it to WinMain. Platform-free, so that the start-up's rule is tested natively.
#pragma once

namespace command_line {

// Every character from 0x01 up to and including the space ends an unquoted name and is
// skipped after the name (tabs, line ends, vertical tabs and other control characters alike).
constexpr bool IsBlank(char c) { return static_cast<unsigned char>(c) >= 0x01 && static_cast<unsigned char>(c) <= 0x20; }

// The command line past the program's name and the blanks after it: a quoted name runs to its
// closing quote (or to the end, when the quote is never closed), an unquoted one to the first
// blank. Whatever follows a closing quote directly is the first argument ("a b.exe"x
// has the argument x). Never null for a non-null line.
constexpr const char* ArgumentsOf(const char* line) {
    if (*line == '"') {
        ++line;
        while (*line != '\0' && *line != '"') ++line;
        if (*line == '"') ++line;
    } else {
        while (*line != '\0' && !IsBlank(*line)) ++line;
    }
    while (IsBlank(*line)) ++line;
    return line;
}

}  // namespace command_line
