#include "CommandLine.h"

#include <optional>

namespace quorvex {

namespace {

bool LooksLikeOption(std::string_view arg)
{
    return arg.size() > 1 && arg.front() == '-';
}

const TOptionSpec* FindOption(std::span<const TOptionSpec> options, std::string_view name)
{
    for (const TOptionSpec& option : options) {
        if (name == option.Long || (!option.Short.empty() && name == option.Short))
            return &option;
    }
    return nullptr;
}

} // namespace

const std::string* TArguments::Value(std::string_view longName) const
{
    const auto it = Options.find(longName);
    return it == Options.end() ? nullptr : &it->second;
}

TArguments ParseArguments(std::span<const std::string> args, std::span<const TOptionSpec> options)
{
    TArguments parsed;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !LooksLikeOption(arg)) {
            parsed.Operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string> inlineValue;
        if (const size_t equals = name.find('='); name.starts_with("--") && equals != name.npos) {
            inlineValue = std::string(name.substr(equals + 1));
            name = name.substr(0, equals);
        }
        const TOptionSpec* option = FindOption(options, name);
        if (option == nullptr)
            throw EUsage("unknown option " + std::string(name));
        if (parsed.Has(option->Long) && !option->Repeatable)
            throw EUsage("option " + std::string(name) + " given twice");
        std::string value;
        if (option->ValueName.empty()) {
            if (inlineValue)
                throw EUsage("option " + std::string(name) + " takes no value");
        } else if (inlineValue) {
            value = std::move(*inlineValue);
        } else {
            // A following option is taken for a forgotten value rather than for a file name.
            if (i + 1 >= args.size() || LooksLikeOption(args[i + 1]))
                throw EUsage("option " + std::string(name) + " needs a " +
                             std::string(option->ValueName));
            value = args[++i];
        }
        if (!option->ValueName.empty() && value.empty())
            throw EUsage("option " + std::string(name) + " needs a " +
                         std::string(option->ValueName));
        parsed.Options.emplace(std::string(option->Long), value);
        parsed.InOrder.emplace_back(std::string(option->Long), std::move(value));
    }
    return parsed;
}

} // namespace quorvex
