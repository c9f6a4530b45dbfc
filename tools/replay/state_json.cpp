// SPDX-License-Identifier: MIT
#include "state_json.h"

#include <cstdio>

#include "morvint/texts.h"

namespace morvint::replay {

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

namespace {

std::string boolText(bool b) {
    return b ? "true" : "false";
}

std::string field(std::string_view key, std::int64_t value) {
    return jsonString(key) + ":" + std::to_string(value);
}

}  // namespace

std::string stateJson(const View& w, const Game& game, std::int64_t draws) {
    const GameState& s = game.state();
    std::string out = "{";
    out += "\"mainTxt\":" + jsonString(w.text(Box::mainTxt));
    out += ",\"actionTxt\":" + jsonString(w.text(Box::actionTxt));
    out += ",\"itemTxt\":" + jsonString(w.text(Box::itemTxt));
    out += ",\"stat\":[";
    for (Panel p : allPanels) {
        if (p != Panel::hp) {
            out += ",";
        }
        out += "{\"text\":" + jsonString(w.panel(p).text) +
               ",\"enabled\":" + boolText(w.panel(p).enabled) + "}";
    }
    out += "],\"buttons\":{";
    bool first = true;
    for (Button b : allButtons) {
        if (!first) {
            out += ",";
        }
        first = false;
        out += jsonString(buttonName(b)) + ":{\"enabled\":" + boolText(w.button(b).enabled) +
               ",\"tag\":" + jsonString(w.button(b).tag) + "}";
    }
    out += "}," + field("hp", s.hp) + "," + field("vroom", s.vroom) + "," + field("hroom", s.hroom);
    out += ",\"side\":" + jsonString(s.side);
    out += "," + field("potion1", s.potion1) + "," + field("potion2", s.potion2);
    out += "," + field("k1", s.k1) + "," + field("d1", s.d1) + "," + field("k2", s.k2) + "," +
           field("d2", s.d2) + "," + field("k3", s.k3) + "," + field("d3", s.d3);
    out += "," + field("gold", s.gold);
    out += ",\"enemyhp\":[";
    for (int row = 0; row < mazeSize; ++row) {
        out += row ? ",[" : "[";
        for (int col = 0; col < mazeSize; ++col) {
            out += (col ? "," : "") + std::to_string(s.enemyhp.at(row, col));
        }
        out += "]";
    }
    out += "]," + field("wellcount", game.wellcount()) + "," + field("draws", draws) + "}";
    return out;
}

std::string ignoredEvent(Button b) {
    return R"({"event":"ignored","click":)" + jsonString(buttonName(b)) + "}";
}

std::string msgboxEvent(bool yes) {
    return R"({"event":"msgbox","prompt":)" + jsonString(texts::playAgainQuestion) +
           R"(,"title":)" + jsonString(texts::playAgainTitle) + R"(,"style":4,"answer":")" +
           std::string(yes ? "yes" : "no") + "\"}";
}

}  // namespace morvint::replay
