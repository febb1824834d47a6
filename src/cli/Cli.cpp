#include "Cli.h"

#include "Commands.h"
#include "cli/CliVersion.h"
#include "dictionary/DBOraClass.h"

#include <algorithm>
#include <exception>
#include <ostream>

namespace quorvex {

namespace {

constexpr std::string_view kProgram = "quorvex-cli";

bool IsHelp(std::string_view arg)
{
    return arg == "--help" || arg == "-h";
}

constexpr size_t kLineWidth = 80;
constexpr std::string_view kUsagePrefix = "Usage: ";

// `prefix` and the words joined by blanks, wrapped before a word that would pass column 80;
// further lines start with `indent` blanks. The first word is never wrapped.
std::string Wrapped(std::string_view prefix, const std::vector<std::string>& words, size_t indent)
{
    std::string text(prefix);
    size_t lineStart = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i > 0 && text.size() - lineStart + 1 + words[i].size() > kLineWidth) {
            text += "\n";
            lineStart = text.size();
            text.append(indent, ' ');
        } else if (i > 0) {
            text += ' ';
        }
        text += words[i];
    }
    return text + "\n";
}

// "quorvex-cli NAME [SELECTOR [VALUE]] OPERANDS" as one word, then one word per option, "..."
// after one that may be repeated.
std::vector<std::string> SynopsisWords(const TCommand& command, const TCommandForm& form)
{
    std::string head = std::string(kProgram) + " " + std::string(command.Name);
    if (form.Selector != nullptr) {
        head += " " + std::string(form.Selector->Long);
        if (!form.Selector->ValueName.empty())
            head += " " + std::string(form.Selector->ValueName);
    }
    for (std::string_view operand : form.Operands)
        head += " " + std::string(operand);
    std::vector<std::string> words{head};
    for (const TOptionSpec& option : form.Options) {
        std::string word = "[" + std::string(option.Short.empty() ? option.Long : option.Short);
        if (!option.ValueName.empty())
            word += " " + std::string(option.ValueName);
        words.push_back(word + (option.Repeatable ? "]..." : "]"));
    }
    return words;
}

std::string SynopsisLines()
{
    const std::string next(kUsagePrefix.size(), ' ');
    const size_t indent = kUsagePrefix.size() + 4;
    std::string text;
    for (const TCommand& command : Commands()) {
        for (const TCommandForm& form : command.Forms)
            text +=
                Wrapped(text.empty() ? kUsagePrefix : next, SynopsisWords(command, form), indent);
    }
    text += next + std::string(kProgram) + " --help | --version\n";
    return text;
}

// Every option of the command's forms, selectors included, each once.
std::vector<TOptionSpec> AcceptedOptions(const TCommand& command)
{
    std::vector<TOptionSpec> options;
    const auto add = [&](const TOptionSpec& option) {
        const bool known = std::any_of(options.begin(), options.end(),
                                       [&](const TOptionSpec& o) { return o.Long == option.Long; });
        if (!known)
            options.push_back(option);
    };
    for (const TCommandForm& form : command.Forms) {
        if (form.Selector != nullptr)
            add(*form.Selector);
        for (const TOptionSpec& option : form.Options)
            add(option);
    }
    return options;
}

// The form whose selector was given, else the form without a selector.
const TCommandForm& ChooseForm(const TCommand& command, const TArguments& arguments)
{
    const TCommandForm* plain = nullptr;
    for (const TCommandForm& form : command.Forms) {
        if (form.Selector == nullptr) {
            if (plain == nullptr)
                plain = &form;
        } else if (arguments.Has(form.Selector->Long)) {
            return form;
        }
    }
    return *plain;
}

bool FormTakes(const TCommandForm& form, std::string_view longName)
{
    if (form.Selector != nullptr && form.Selector->Long == longName)
        return true;
    return std::any_of(form.Options.begin(), form.Options.end(),
                       [&](const TOptionSpec& o) { return o.Long == longName; });
}

void CheckOptions(const TCommand& command, const TCommandForm& form, const TArguments& arguments)
{
    for (const auto& [name, value] : arguments.Options) {
        if (FormTakes(form, name))
            continue;
        for (const TCommandForm& other : command.Forms) {
            if (other.Selector != nullptr && FormTakes(other, name))
                throw EUsage(std::string(command.Name) + ": option " + name + " needs " +
                             std::string(other.Selector->Long));
        }
        throw EUsage(std::string(command.Name) + ": option " + name + " is not used here");
    }
}

// `head` padded to `width`, then `body` with every further line indented to the same column.
std::string Entry(std::string_view head, size_t width, std::string_view body)
{
    std::string text(head);
    text.resize(std::max(width, head.size() + 1), ' ');
    for (const char c : body) {
        text += c;
        if (c == '\n')
            text.append(width, ' ');
    }
    return text + "\n";
}

std::string OptionHead(const TOptionSpec& option)
{
    std::string head = option.Short.empty() ? "      " : "  " + std::string(option.Short) + ", ";
    head += option.Long;
    if (!option.ValueName.empty())
        head += " " + std::string(option.ValueName);
    return head;
}

void CheckOperands(const TCommand& command, const TCommandForm& form, const TArguments& arguments)
{
    const size_t given = arguments.Operands.size();
    if (given < form.Operands.size())
        throw EUsage(std::string(command.Name) + ": missing operand " +
                     std::string(form.Operands[given]));
    const bool repeats = !form.Operands.empty() && form.Operands.back().ends_with("...");
    if (given > form.Operands.size() && !repeats)
        throw EUsage(std::string(command.Name) + ": unexpected operand \"" +
                     arguments.Operands[form.Operands.size()] + "\"");
}

bool AsksForHelp(std::span<const std::string> args)
{
    for (const std::string& arg : args) {
        if (arg == "--")
            return false;
        if (IsHelp(arg))
            return true;
    }
    return false;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const TCliEnvironment& environment)
{
    if (args.empty())
        throw EUsage("no command given");
    const std::string& name = args.front();
    if (IsHelp(name)) {
        out << UsageText();
        return ExitCodes::Success;
    }
    if (name == "--version") {
        if (args.size() > 1)
            throw EUsage("unexpected operand \"" + args[1] + "\"");
        out << kProgram << " " << CliVersion() << "\n";
        return ExitCodes::Success;
    }
    const TCommand* command = FindCommand(name);
    if (command == nullptr) {
        if (name.starts_with("-"))
            throw EUsage("unknown option " + name);
        throw EUsage("unknown command \"" + name + "\"");
    }
    const auto rest = std::span<const std::string>(args).subspan(1);
    if (AsksForHelp(rest)) {
        out << UsageText();
        return ExitCodes::Success;
    }
    const TArguments arguments = ParseArguments(rest, AcceptedOptions(*command));
    const TCommandForm& form = ChooseForm(*command, arguments);
    CheckOptions(*command, form, arguments);
    CheckOperands(*command, form, arguments);

    RegisterDictionaryClasses();
    return command->Run(
        TCommandContext{arguments, out, err, environment.Now, environment.ErrIsTerminal});
}

} // namespace

std::string_view CliVersion() noexcept
{
    return generated::kProjectVersion;
}

std::string UsageText()
{
    std::string text = SynopsisLines();

    text += "\nCommands:\n";
    size_t nameWidth = 0;
    for (const TCommand& command : Commands())
        nameWidth = std::max(nameWidth, command.Name.size());
    for (const TCommand& command : Commands())
        text += Entry("  " + std::string(command.Name), nameWidth + 4, command.Summary);

    std::vector<TOptionSpec> options;
    for (const TCommand& command : Commands()) {
        for (const TOptionSpec& option : AcceptedOptions(command)) {
            const bool known =
                std::any_of(options.begin(), options.end(),
                            [&](const TOptionSpec& o) { return o.Long == option.Long; });
            if (!known)
                options.push_back(option);
        }
    }
    options.push_back({"-h", "--help", "", "show this help and exit"});
    options.push_back({"", "--version", "", "show the version and exit"});
    size_t optionWidth = 0;
    for (const TOptionSpec& option : options)
        optionWidth = std::max(optionWidth, OptionHead(option).size() + 2);
    text += "\nOptions:\n";
    for (const TOptionSpec& option : options)
        text += Entry(OptionHead(option), optionWidth, option.Help);

    text += "\nExit status:\n"
            "  0  success; for compare: no line is to be removed or added\n"
            "  1  compare: the models differ; script: a statement failed\n"
            "  2  wrong arguments, a file that cannot be read or written, or a failed\n"
            "     login or database read\n";
    text += "\nEnvironment:\n"
            "  QUORVEX_ALIASES   the aliases file, instead of\n"
            "                    ~/.config/quorvex/aliases.ini\n"
            "  QUORVEX_PASSWORD  the password when PASSWORD is \"-\"\n";
    return text;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const TCliEnvironment& environment)
{
    try {
        return Run(args, out, err, environment);
    } catch (const EUsage& e) {
        err << kProgram << ": " << e.what() << "\n" << SynopsisLines();
    } catch (const std::exception& e) {
        // quorvex::Exception carries the message the user sees, as the GUI shows it.
        err << e.what() << "\n";
    }
    return ExitCodes::Error;
}

} // namespace quorvex
