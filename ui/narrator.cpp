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

Narrator::Narrator(QWidget* window, QLabel* hpPanel, QLabel* enemyPanel)
    : QObject(window),
      window_(window),
      hpPanel_(hpPanel),
      enemyPanel_(enemyPanel),
      notice_(new QLabel(window)),
      settle_(new QTimer(this)) {
    QAccessible::installFactory(noticeFactory);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setTextFormat(Qt::PlainText);
    notice_->setGeometry(-2000, -2000, 10, 10);
    notice_->hide();
    settle_->setSingleShot(true);
    connect(settle_, &QTimer::timeout, this, [this] {
        if (window_->isActiveWindow()) {
            say(std::exchange(waiting_, QString()));
        }
    });
    window->installEventFilter(this);
}

void Narrator::begin(bool holdBack) {
    holdBack_ = holdBack;
    narrative_.clear();
    hpBefore_ = hpPanel_->text();
    enemyWritten_ = false;
}

void Narrator::end() {
    waiting_.clear();
    if (holdBack_) {
        waiting_ = heard();
        sayWhenActive();
    } else {
        say(heard());
    }
}

void Narrator::narrativeSet(const QString& text) {
    // A cleared narrative starts over (the room just entered); the end of a game
    // replaces it, and is heard after the blow that caused it.
    if (text.isEmpty()) {
        narrative_.clear();
    } else {
        narrative_ += text;
    }
}

void Narrator::narrativeAppended(const QString& text) {
    narrative_ += text;
}

void Narrator::sayBeforeBox() {
    say(heard());
    begin(true);
}

// Everything the command wrote to the narrative, in order, then the hit points
// if they changed and the enemy's if the command wrote them and the enemy is
// still here, one line each.
QString Narrator::heard() const {
    QStringList lines;
    if (!narrative_.isEmpty()) {
        lines << narrative_;
    }
    if (hpPanel_->text() != hpBefore_) {
        lines << hpPanel_->accessibleName();
    }
    if (enemyWritten_ && enemyPanel_->isEnabled()) {
        lines << enemyPanel_->accessibleName();
    }
    return lines.join(QLatin1Char('\n'));
}

void Narrator::say(const QString& text) {
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
