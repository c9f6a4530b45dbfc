// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QWidget>

#include <memory>

#include "morvint/sysinfo.h"

class QLabel;
class QPushButton;

// The About box: title, version and description over a sky picture, with OK
// and System Info... buttons. Borderless, modeless, at a fixed place on the
// screen; it deletes itself when closed.
class frmAbout : public QWidget, public morvint::SysInfoMessages {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;

    // Replaces the operating system's registry, file test and program start.
    void setSysInfoPlatform(std::unique_ptr<morvint::SysInfoPlatform> platform);

    // The background picture as drawn: the sky, 400 by 300 pixels, 8-bit
    // indexed with 256 colours.
    const QImage& picture() const { return picture_; }

    // morvint::SysInfoMessages: "System Information Is Unavailable At This Time".
    void showUnavailable() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdSysInfo_ = nullptr;
    QLabel* lblDescription_ = nullptr;
    QLabel* lblTitle_ = nullptr;
    QLabel* lblVersion_ = nullptr;

    QImage picture_;
    std::unique_ptr<morvint::SysInfoPlatform> platform_;
};
