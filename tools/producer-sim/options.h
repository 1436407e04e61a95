#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace producer_sim {

// One step of the producer, done in the order given.
struct Action {
    enum class Kind {
        Page,     // write the next page and announce it (code 100, its position)
        Progress, // code 102 with `text`
        Finish,   // close the document and announce the end (code 101)
        Send,     // any code with any text, for the viewer's edge cases
    };
    Kind kind = Kind::Page;
    std::uint32_t code = 0;
    std::string text;
    std::string spelling; // as given on the command line, for the log
};

struct Options {
    std::string document; // written page by page; its name must hold no blank
    std::string viewer;   // velk.exe, started with "/BV " and the document
    std::string log;      // every WM_COPYDATA received and every step done
    std::vector<Action> actions;
    // Before each action: wait until this named event is set (the test steps the producer),
    // or else wait this many milliseconds.
    std::string stepEvent;
    unsigned delayMs = 0;
    // After the last action: how long to wait for the viewer to close before ending.
    unsigned closeWaitMs = 60000;
    std::string title = "Producer Simulation";
    bool allowMail = false;
    bool allowFax = false;
    bool allowSave = false;
    // "page:caption" entries, written with the finished document.
    std::vector<std::pair<std::int16_t, std::string>> index;
};

// Reads the command line's arguments; nothing, with `error` set, when they make no sense.
//
//   --document PATH --viewer PATH --log PATH
//   [--actions page,page,progress:40,send:102:150,finish]   (default: page,page,page,finish)
//   [--step-event NAME | --delay MS] [--close-wait MS] [--title TEXT]
//   [--allow mail,fax,save] [--index 1:Summary;3:Chart]
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error);

} // namespace producer_sim
