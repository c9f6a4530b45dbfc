// SPDX-License-Identifier: MIT
// morvint-ink-check WITH.png WITHOUT.png PROBE DPI: whether the captions of the windows
// that morvint-win32-probe read show whole, judged on screenshots of them with and
// without captions: no ink within 2 pixels (3 at 144 dots per inch) of a push
// button's or a status bar part's edge, none on a label's edge.
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstdlib>

#include "ink.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: morvint-ink-check WITH.png WITHOUT.png PROBE DPI\n");
        return 2;
    }
    const int margin = std::atoi(argv[4]) >= 144 ? 3 : 2;
    std::vector<InkRule> rules;
    QPoint origin;  // the window's client corner on the screen
    QRect window;
    QList<QRect> front;  // the windows in front, which hide what is behind them
    QRect stat;
    int left = 0;  // where the next status bar part starts
    // A control that a window in front hides is not judged.
    const auto judge = [&rules, &front](const InkRule& rule) {
        for (const QRect& hiding : front) {
            if (hiding.intersects(rule.rect)) {
                return;
            }
        }
        rules.push_back(rule);
    };
    QFile probe(QString::fromLocal8Bit(argv[3]));
    probe.open(QIODevice::ReadOnly);
    while (!probe.atEnd()) {
        const QJsonObject o = QJsonDocument::fromJson(probe.readLine()).object();
        const auto numbers = [&o](const char* key) { return o[key].toString().split(' '); };
        if (o.contains("window")) {
            front << window;
            const QStringList r = numbers("rect");
            window = QRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
            origin = {numbers("origin")[0].toInt(), numbers("origin")[1].toInt()};
        } else if (o.contains("part")) {
            const int right = o["right"].toInt();
            judge({"part " + QString::number(o["part"].toInt()),
                   QRect(stat.left() + left, stat.top(), right - left, stat.height()),
                   margin,
                   {}});
            left = right;
        } else {
            const QStringList r = numbers("rect");
            const QRect place =
                QRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt()).translated(origin);
            const QString kind = o["class"].toString();
            if (kind == "msctls_statusbar32") {
                stat = place;
                left = 0;
            } else if (kind == "Button" && o["tabstop"].toBool()) {
                judge({o["text"].toString(), place, margin, {}});
            } else if (kind == "Static") {
                judge({o["text"].toString().left(24), place, 1, {}});
            }
        }
    }
    const QStringList problems = inkProblems(QImage(QString::fromLocal8Bit(argv[1])),
                                             QImage(QString::fromLocal8Bit(argv[2])), rules);
    for (const QString& problem : problems) {
        std::printf("%s\n", qPrintable(problem));
    }
    if (problems.isEmpty()) {
        std::printf("%zu captions whole at %s dots per inch\n", rules.size(), argv[4]);
    }
    return problems.isEmpty() ? 0 : 1;
}
