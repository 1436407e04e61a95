#include "options.h"

#include <charconv>
#include <sstream>

namespace producer_sim {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) {
        parts.push_back(part);
    }
    return parts;
}

template <typename Number> std::optional<Number> ParseNumber(const std::string& text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<Action> ParseAction(const std::string& spelling) {
    Action action;
    action.spelling = spelling;
    if (spelling == "page") {
        action.kind = Action::Kind::Page;
        return action;
    }
    if (spelling == "finish") {
        action.kind = Action::Kind::Finish;
        return action;
    }
    if (spelling.rfind("progress:", 0) == 0) {
        action.kind = Action::Kind::Progress;
        action.text = spelling.substr(9);
        return action;
    }
    if (spelling.rfind("send:", 0) == 0) {
        const std::string rest = spelling.substr(5);
        const auto colon = rest.find(':');
        const auto code = ParseNumber<std::uint32_t>(rest.substr(0, colon));
        if (!code) {
            return std::nullopt;
        }
        action.kind = Action::Kind::Send;
        action.code = *code;
        action.text = colon == std::string::npos ? "" : rest.substr(colon + 1);
        return action;
    }
    return std::nullopt;
}

bool ParseActions(const std::string& list, Options& options) {
    options.actions.clear();
    for (const std::string& spelling : Split(list, ',')) {
        const auto action = ParseAction(spelling);
        if (!action) {
            return false;
        }
        options.actions.push_back(*action);
    }
    return true;
}

bool ParseIndex(const std::string& list, Options& options) {
    for (const std::string& entry : Split(list, ';')) {
        const auto colon = entry.find(':');
        const auto page = ParseNumber<std::int16_t>(entry.substr(0, colon));
        if (colon == std::string::npos || !page) {
            return false;
        }
        options.index.emplace_back(*page, entry.substr(colon + 1));
    }
    return true;
}

bool ParseAllowed(const std::string& list, Options& options) {
    for (const std::string& what : Split(list, ',')) {
        if (what == "mail") {
            options.allowMail = true;
        } else if (what == "fax") {
            options.allowFax = true;
        } else if (what == "save") {
            options.allowSave = true;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error) {
    Options options;
    ParseActions("page,page,page,finish", options);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (i + 1 >= arguments.size()) {
            error = name + " needs a value";
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        bool ok = true;
        if (name == "--document") {
            options.document = value;
        } else if (name == "--viewer") {
            options.viewer = value;
        } else if (name == "--log") {
            options.log = value;
        } else if (name == "--actions") {
            ok = ParseActions(value, options);
        } else if (name == "--step-event") {
            options.stepEvent = value;
        } else if (name == "--delay") {
            const auto ms = ParseNumber<unsigned>(value);
            ok = ms.has_value();
            options.delayMs = ms.value_or(0);
        } else if (name == "--close-wait") {
            const auto ms = ParseNumber<unsigned>(value);
            ok = ms.has_value();
            options.closeWaitMs = ms.value_or(0);
        } else if (name == "--title") {
            options.title = value;
        } else if (name == "--allow") {
            ok = ParseAllowed(value, options);
        } else if (name == "--index") {
            ok = ParseIndex(value, options);
        } else {
            error = "unknown option " + name;
            return std::nullopt;
        }
        if (!ok) {
            error = "bad value for " + name + ": " + value;
            return std::nullopt;
        }
    }
    if (options.document.empty() || options.viewer.empty() || options.log.empty()) {
        error = "--document, --viewer and --log are needed";
        return std::nullopt;
    }
    return options;
}

} // namespace producer_sim
