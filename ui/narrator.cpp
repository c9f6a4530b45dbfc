// SPDX-License-Identifier: MIT
#include "narrator.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QLabel>
#include <QTimer>

#include <utility>

namespace {

// The notice is a label that a screen reader takes for a notification.
class NoticeAccessible : public QAccessibleWidget {
public:
    explicit NoticeAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<QLabel*>(widget())->text()
                                      : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* noticeFactory(const QString&, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    if (label != nullptr && label->objectName() == QLatin1String("notice")) {
        return new NoticeAccessible(label);
    }
    return nullptr;
}

// How long the screen reader is given to speak the window and its focused control
// before a held-back result, which would otherwise be cut short.
constexpr int settleMs = 400;

}  // namespace

Narrator::Narrator(QWidget* window)
    : QObject(window), window_(window), notice_(new QLabel(window)), settle_(new QTimer(this)) {
    QAccessible::installFactory(noticeFactory);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setTextFormat(Qt::PlainText);
    notice_->setGeometry(-2000, -2000, 10, 10);
    notice_->hide();
    settle_->setSingleShot(true);
    connect(settle_, &QTimer::timeout, this, [this] {
        if (window_->isActiveWindow()) {
            notify(std::exchange(waiting_, QString()));
        }
    });
    window->installEventFilter(this);
}

void Narrator::say(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    // A later result replaces one still waiting.
    waiting_.clear();
    if (std::exchange(holdNext_, false)) {
        waiting_ = text;
        sayWhenActive();
    } else {
        notify(text);
    }
}

void Narrator::notify(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    // Each showing is a new notification, even of the same text.
    notice_->hide();
    notice_->setText(text);
    notice_->show();
}

void Narrator::sayWhenActive() {
    if (window_->isActiveWindow()) {
        settle_->start(settleMs);
    }
}

bool Narrator::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !waiting_.isEmpty()) {
        sayWhenActive();
    }
    return false;
}
