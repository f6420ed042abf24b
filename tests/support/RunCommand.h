#pragma once

#include <string>

namespace vorla::test {

// A shell command's exit status (-1 when it did not exit normally) and everything
// it printed.
struct CommandResult {
    int status;
    std::string output;  // standard output and standard error
};

CommandResult RunCommand(const std::string& command);

}  // namespace vorla::test
