// SPDX-License-Identifier: MIT
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "frmMain.h"

namespace {

// What Qt says while it connects to the display is held back until the
// connection stands: without a display the player gets one line of ours
// instead of Qt's lines and an abort.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
std::vector<HeldMessage> held;
QtMessageHandler qtHandler = nullptr;

void replayHeld() {
    for (const HeldMessage& m : held) {
        qtHandler(m.type, QMessageLogContext(nullptr, 0, nullptr, m.category.c_str()), m.text);
    }
    held.clear();
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        held.push_back({type, context.category ? context.category : "default", text});
        return;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs(
            "morvint: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY "
            "is set): start it from a desktop session, or in a virtual display with "
            "\"xvfb-run morvint\"\n",
            stderr);
    } else {
        held.push_back({QtCriticalMsg, context.category ? context.category : "default", text});
        replayHeld();
    }
    std::_Exit(1);
}

}  // namespace

int main(int argc, char* argv[]) {
    // The game takes no command line, not even Qt's own options (-qwindowtitle,
    // -reverse, -style ...): Qt sees the program's name only. Qt's environment
    // variables still apply.
    char name[] = "morvint";
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : name, nullptr};

    qtHandler = qInstallMessageHandler(holdMessage);
    QApplication app(qtArgc, qtArgv);
    qInstallMessageHandler(qtHandler);
    replayHeld();

    // Lets the desktop match the window to its launcher and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.morvint.Morvint"));
    // Closing the main window destroys it, and with it its clock; the program
    // goes on while another window (the About box) is still open.
    auto* window = new frmMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    const int result = QApplication::exec();
    // Windows closed by the end of the program are deleted here, after the loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}
