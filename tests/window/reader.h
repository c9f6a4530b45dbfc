// SPDX-License-Identifier: MIT
// The window scripts' commands on the reader's place in the narrative, which text
// arriving must leave alone, for any front end:
//   append N WORDS...     adds the words and a blank to the narrative, N times
//   select A B            selects from A to B ("end": the end of the text) and
//                         scrolls the narrative halfway down
//   reader                prints {"event":"reader","selection":"A B","scrolled":S}:
//                         the selection, and whether the narrative scrolled since
//                         `select`
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "morvint/view.h"
#include "script.h"

namespace morvint::replay {

class ReaderCommands {
public:
    virtual ~ReaderCommands() = default;

    // False for a line that is none of them.
    bool runReader(const std::vector<std::string>& words, Output& out) {
        const std::string& command = words[0];
        if (command == "append" && words.size() > 2) {
            Changes changes;
            for (std::size_t i = 2; i < words.size(); ++i) {
                changes.appended += words[i] + " ";
            }
            View view = drawn();
            for (int i = std::stoi(words[1]); i > 0; --i) {
                view.boxes[0] += changes.appended;
                showView(view, changes);
            }
        } else if (command == "select" && words.size() == 3) {
            const auto at = [this](const std::string& w) {
                return w == "end" ? static_cast<int>(drawn().boxes[0].size()) : std::stoi(w);
            };
            select(at(words[1]), at(words[2]));
            scroll_ = firstLine();
        } else if (command == "reader" && words.size() == 1) {
            const auto [from, to] = selection();
            out.line(R"({"event":"reader","selection":")" + std::to_string(from) + " " +
                     std::to_string(to) + R"(","scrolled":)" +
                     (firstLine() != scroll_ ? "true" : "false") + "}");
        } else {
            return false;
        }
        return true;
    }

protected:
    // What the window shows, read back from it.
    virtual View drawn() const = 0;
    virtual void showView(const View& view, const Changes& changes) = 0;
    // Selects from `from` to `to` in the narrative, and scrolls it halfway down.
    virtual void select(int from, int to) = 0;
    virtual std::pair<int, int> selection() const = 0;
    // The first line the narrative shows, in the window's own units.
    virtual int firstLine() const = 0;

private:
    int scroll_ = 0;
};

}  // namespace morvint::replay
