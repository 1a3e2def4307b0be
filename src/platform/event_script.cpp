#include "platform/event_script.h"

#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/keys.h"
#include "platform/text.h"

namespace vxr::platform {
namespace {

// The whole of `text` as a decimal number, or nothing.
std::optional<double> wholeNumber(std::string_view text) {
    double value = 0;
#ifdef __EMSCRIPTEN__
    // The web build's C++ library reads no floating point with from_chars.
    const std::string copy(text);
    if (copy.empty() || !(std::isdigit(static_cast<unsigned char>(copy[0])) || copy[0] == '.' || copy[0] == '-'))
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(copy.c_str(), &end);
    if (errno != 0 || end != copy.c_str() + copy.size()) return std::nullopt;
#else
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
#endif
    return value;
}

using Kind = ScriptCommand::Kind;

struct CommandName {
    std::string_view name;
    Kind kind;
};

constexpr std::array kCommandNames{
    CommandName{"key", Kind::Key},         CommandName{"keydown", Kind::KeyDown}, CommandName{"keyup", Kind::KeyUp},
    CommandName{"type", Kind::Type},       CommandName{"move", Kind::Move},       CommandName{"click", Kind::Click},
    CommandName{"press", Kind::Press},     CommandName{"release", Kind::Release}, CommandName{"wheel", Kind::Wheel},
    CommandName{"close", Kind::Close},     CommandName{"shot", Kind::Shot},       CommandName{"waitfor", Kind::WaitFor},
    CommandName{"waitbox", Kind::WaitBox}, CommandName{"sleep", Kind::Sleep},
};

// The longest wait or sleep a script may ask for: a day is more than any
// unattended run needs, and keeps every limit well inside an int of
// milliseconds.
constexpr int kMaxWaitSeconds = 24 * 60 * 60;
constexpr int kMaxWaitMs = kMaxWaitSeconds * 1000;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A script's own text inside a message: quoted, control characters escaped
// so that a stray escape sequence cannot reach the terminal.
std::string quoted(std::string_view text) { return "'" + escapeControls(text) + "'"; }

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && std::isspace(static_cast<unsigned char>(line[pos]))) ++pos;
        const std::size_t start = pos;
        while (pos < line.size() && !std::isspace(static_cast<unsigned char>(line[pos]))) ++pos;
        if (pos > start) words.push_back(line.substr(start, pos - start));
    }
    return words;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

// Reads one line's command; throws ScriptError with the line's place.
class LineParser {
public:
    LineParser(std::string_view line, int number, const std::string& source)
        : line_(line), words_(splitWords(line)), number_(number), source_(source) {}

    ScriptCommand parse() {
        ScriptCommand command;
        command.line = number_;
        command.kind = kind(words_[0]);
        switch (command.kind) {
            case Kind::Key: parseKeys(command); break;
            case Kind::KeyDown:
            case Kind::KeyUp:
                expectWords(2);
                command.chords.push_back({key(words_[1])});
                break;
            case Kind::Type: command.text = restOfLine(false); break;
            case Kind::Move:
            case Kind::Click:
            case Kind::Press:
            case Kind::Release:
                expectWords(3);
                command.point = {integer(words_[1]), integer(words_[2])};
                break;
            case Kind::Wheel:
                expectWords(4);
                command.point = {integer(words_[1]), integer(words_[2])};
                command.amount = integer(words_[3]);
                break;
            case Kind::Close: expectWords(1); break;
            case Kind::Shot: command.text = restOfLine(true); break;
            case Kind::WaitFor: parseWaitFor(command); break;
            case Kind::WaitBox: parseWaitBox(command); break;
            case Kind::Sleep:
                expectWords(2);
                command.amount = sleepMilliseconds(words_[1]);
                break;
        }
        return command;
    }

private:
    [[noreturn]] void fail(const std::string& message) const {
        throw ScriptError(escapeControls(source_) + ":" + std::to_string(number_) + ": " + message);
    }

    Kind kind(std::string_view word) const {
        const std::string lower = lowerCase(word);
        for (const CommandName& name : kCommandNames) {
            if (name.name == lower) return name.kind;
        }
        fail("unknown command " + quoted(word));
    }

    void expectWords(std::size_t count) const {
        if (words_.size() != count) fail(quoted(words_[0]) + " takes " + std::to_string(count - 1) + " argument(s)");
    }

    int integer(std::string_view word) const {
        int value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc{} || end != word.data() + word.size()) fail("not a whole number: " + quoted(word));
        return value;
    }

    int sleepMilliseconds(std::string_view word) const {
        const int value = integer(word);
        if (value < 0 || value > kMaxWaitMs)
            fail("not a number of milliseconds from 0 to " + std::to_string(kMaxWaitMs) + ": " + quoted(word));
        return value;
    }

    // Rejects nan, inf, negative and overlong waits rather than letting them
    // wrap into a limit that ends at once or never.
    int waitMilliseconds(std::string_view seconds) const {
        const std::optional<double> read = wholeNumber(seconds);
        const double value = read.value_or(-1);
        if (!read || !std::isfinite(value) || value < 0 || value > kMaxWaitSeconds)
            fail("not a number of seconds from 0 to " + std::to_string(kMaxWaitSeconds) + ": " + quoted(seconds));
        return static_cast<int>(std::lround(value * 1000));
    }

    int key(std::string_view name) const {
        const auto found = keyFromName(name);
        if (!found) fail("unknown key " + quoted(name));
        return *found;
    }

    // The text after the command word and one blank; `trimmed` also drops
    // blanks around it.
    std::string restOfLine(bool trimmed) const {
        std::string_view rest = line_;
        while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.front()))) rest.remove_prefix(1);
        rest.remove_prefix(words_[0].size());
        if (!rest.empty()) rest.remove_prefix(1);
        if (trimmed) rest = trim(rest);
        if (rest.empty()) fail(quoted(words_[0]) + " needs text");
        return std::string(rest);
    }

    void parseKeys(ScriptCommand& command) const {
        if (words_.size() < 2) fail("'key' needs at least one key");
        for (std::size_t i = 1; i < words_.size(); ++i) {
            std::vector<int> chord;
            std::string_view rest = words_[i];
            for (std::size_t plus = rest.find('+'); plus != std::string_view::npos && plus > 0; plus = rest.find('+')) {
                chord.push_back(key(rest.substr(0, plus)));
                rest.remove_prefix(plus + 1);
            }
            chord.push_back(key(rest));
            command.chords.push_back(std::move(chord));
        }
    }

    void parseWaitFor(ScriptCommand& command) const {
        if (words_.size() != 2 && words_.size() != 3) fail("'waitfor' takes a control name and optional seconds");
        command.text = std::string(words_[1]);
        command.amount = words_.size() == 3 ? waitMilliseconds(words_[2]) : EventScript::kDefaultWaitMs;
    }

    void parseWaitBox(ScriptCommand& command) const {
        if (words_.size() > 2) fail("'waitbox' takes optional seconds");
        command.amount = words_.size() == 2 ? waitMilliseconds(words_[1]) : EventScript::kDefaultWaitMs;
    }

    std::string_view line_;
    std::vector<std::string_view> words_;
    int number_;
    const std::string& source_;
};

}  // namespace

EventScript EventScript::parse(std::string_view text, std::string source) {
    EventScript script;
    script.source_ = std::move(source);
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    int number = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++number;
        pos = end + 1;
        const std::string_view content = trim(line);
        if (content.empty() || content.front() == '#') continue;
        script.commands_.push_back(LineParser(line, number, script.source_).parse());
    }
    return script;
}

// A directory opens like a file but reads as nothing; it is refused rather
// than played as an empty script.
EventScript EventScript::load(const std::filesystem::path& path) {
    const auto unreadable = [&path](const std::string& why) {
        return ScriptError("cannot read the event script " + escapeControls(path.string()) + ": " + why);
    };
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw unreadable("it is a directory");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw unreadable(std::strerror(errno));
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw unreadable(std::strerror(errno));
    return parse(text.str(), path.string());
}

}  // namespace vxr::platform
