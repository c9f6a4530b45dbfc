// SPDX-License-Identifier: MIT
// The reference for the start-up benchmark: a plain Qt Widgets window with the
// same kinds and numbers of controls as the game's main window and no game
// behind them.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));

    auto* client = new QWidget(&window);
    window.setCentralWidget(client);

    auto* text = new QPlainTextEdit(client);
    text->setGeometry(0, 0, 369, 121);
    text->setReadOnly(true);
    text->setPlainText(QStringLiteral("A read-only narrative box with a few words in it. "));

    const char* const captions[] = {"N",     "W",     "E",       "S",      "Attack",
                                    "Drink", "Cross", "Pick Up", "Unlock", "Use"};
    for (int i = 0; i < 10; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(captions[i]), client);
        button->setGeometry(8 + (i % 5) * 58, 128 + (i / 5) * 24, 57, 17);
    }

    auto* group = new QGroupBox(QStringLiteral("Items"), client);
    group->setGeometry(232, 128, 137, 65);
    auto* items = new QLineEdit(group);
    items->setGeometry(8, 24, 121, 25);
    items->setReadOnly(true);

    auto* label = new QLabel(QStringLiteral("Last Action:"), client);
    label->setGeometry(0, 200, 57, 17);
    auto* action = new QLineEdit(QStringLiteral("Action"), client);
    action->setGeometry(64, 200, 305, 19);
    action->setReadOnly(true);

    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New"));
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("E&xit"));
    QObject::connect(quit, &QAction::triggered, &window, &QWidget::close);
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About..."));

    for (const char* panel : {"HP: 35", "Enemy HP:", "Time:"}) {
        window.statusBar()->addWidget(new QLabel(QString::fromLatin1(panel)));
    }

    QTimer timer;
    timer.start(60000);

    window.setFixedSize(369, window.menuBar()->sizeHint().height() + 236);
    window.show();
    return QApplication::exec();
}
