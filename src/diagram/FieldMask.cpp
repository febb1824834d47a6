#include "FieldMask.h"

#include <cctype>

namespace quorvex {

namespace {

constexpr int kLastIndex = 5;
// Widths and precisions beyond this are refused rather than padded into huge texts.
constexpr int kMaxWidth = 1024;

[[noreturn]] void Fail(std::string_view mask)
{
    throw EFormatError("Format '" + std::string(mask) + "' invalid or incompatible with argument");
}

// Reads a decimal number at `at`; -1 when there is none.
int ReadNumber(std::string_view mask, size_t& at)
{
    if (at >= mask.size() || !std::isdigit(static_cast<unsigned char>(mask[at])))
        return -1;
    int value = 0;
    while (at < mask.size() && std::isdigit(static_cast<unsigned char>(mask[at]))) {
        value = value * 10 + (mask[at++] - '0');
        if (value > kMaxWidth)
            Fail(mask);
    }
    return value;
}

void AppendPadded(std::string& out, std::string_view text, int width, bool left)
{
    const size_t pad = width > 0 && size_t(width) > text.size() ? size_t(width) - text.size() : 0;
    if (!left)
        out.append(pad, ' ');
    out.append(text);
    if (left)
        out.append(pad, ' ');
}

} // namespace

std::string FormatFieldMask(std::string_view mask, const TFieldMaskArgs& args)
{
    std::string out;
    int next = 0;
    size_t at = 0;
    while (at < mask.size()) {
        const char c = mask[at++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (at < mask.size() && mask[at] == '%') {
            out += '%';
            ++at;
            continue;
        }
        // "%index:" names the argument; without it the next one is taken.
        int index = next;
        const size_t start = at;
        const int number = ReadNumber(mask, at);
        if (number >= 0 && at < mask.size() && mask[at] == ':') {
            index = number;
            ++at;
        } else {
            at = start;
        }
        const bool left = at < mask.size() && mask[at] == '-';
        if (left)
            ++at;
        const int width = ReadNumber(mask, at);
        int precision = -1;
        if (at < mask.size() && mask[at] == '.') {
            ++at;
            precision = ReadNumber(mask, at);
            if (precision < 0)
                Fail(mask);
        }
        if (at >= mask.size() || index > kLastIndex)
            Fail(mask);
        const char type = static_cast<char>(std::tolower(static_cast<unsigned char>(mask[at++])));
        if (type == 'd' && index == 0) {
            std::string digits = std::to_string(args.No < 0 ? -args.No : args.No);
            if (precision > 0 && size_t(precision) > digits.size())
                digits.insert(0, size_t(precision) - digits.size(), '0');
            if (args.No < 0)
                digits.insert(0, 1, '-');
            AppendPadded(out, digits, width, left);
        } else if (type == 's' && index > 0) {
            std::string_view text = args.Texts[size_t(index - 1)];
            if (precision >= 0 && size_t(precision) < text.size())
                text = text.substr(0, size_t(precision));
            AppendPadded(out, text, width, left);
        } else {
            Fail(mask);
        }
        next = index + 1;
    }
    return out;
}

} // namespace quorvex
