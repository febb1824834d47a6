#pragma once

#include <functional>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex {

// An option a command accepts: "-o FILE" or "--output FILE" (also "--output=FILE"), or a flag
// without a value when ValueName is empty.
struct TOptionSpec {
    std::string_view Short; // "-o", or empty
    std::string_view Long;  // "--output"; the name the parsed options are kept under
    std::string_view ValueName;
    std::string_view Help;
    bool Repeatable = false; // a step that may be given again; every occurrence is kept
};

// A command's arguments split into operands, in order, and options.
struct TArguments {
    std::vector<std::string> Operands;
    std::map<std::string, std::string, std::less<>> Options; // by long name; flags hold ""
    // Every option given, by long name, in order: repeated steps run in the order given.
    std::vector<std::pair<std::string, std::string>> InOrder;

    bool Has(std::string_view longName) const { return Options.contains(longName); }
    // The option's value, or nullptr when it was not given.
    const std::string* Value(std::string_view longName) const;
};

// Wrong arguments: the tool answers with the message and its usage.
class EUsage : public std::runtime_error {
public:
    explicit EUsage(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

// Splits `args` into operands and the options in `options`. Everything after "--" is an
// operand, and so is a lone "-". EUsage for an unknown option, an option given twice that is
// not Repeatable (Options keeps the first value), a missing value, or a value given to a flag.
TArguments ParseArguments(std::span<const std::string> args, std::span<const TOptionSpec> options);

} // namespace quorvex
