#pragma once

#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A command line the command cannot use; bodtool answers it with the command's usage and
// exit status 2.
class CUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arguments of one command, split into options and positional arguments. Options are
// "--name value" or "--name=value" for those that take a value and "--name" for switches; "--"
// ends the options. Anything else starting with "--" is a usage error, and so is a missing value.
class CCommandArgs {
public:
    CCommandArgs(const std::vector<std::string>& args,
                 std::initializer_list<std::string_view> valueOptions,
                 std::initializer_list<std::string_view> switchOptions = {});

    std::optional<std::string> Value(std::string_view option) const;
    bool Switch(std::string_view option) const;
    // The positional arguments, after checking there are at least nMin and at most nMax.
    const std::vector<std::string>& Positionals(std::size_t nMin, std::size_t nMax) const;

    // The paste mode of --mode: "aos" (the default), "pre-aos" or "tooltip", as the line parser
    // numbers it.
    int PasteMode() const;

private:
    std::vector<std::pair<std::string, std::string>> m_values;
    std::vector<std::string> m_switches;
    std::vector<std::string> m_positionals;
};
