#include <QApplication>

#include "frmMain.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
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
