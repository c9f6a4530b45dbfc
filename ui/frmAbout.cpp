// SPDX-License-Identifier: MIT
#include "frmAbout.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "captions.h"
#include "morvint/sky.h"
#include "morvint/texts.h"
#include "twips.h"

namespace {

namespace texts = morvint::texts;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont msSansSerif(qreal points) {
    // Away from Windows there is no MS Sans Serif: Liberation Sans, as wide as
    // Arial, is the nearest common font; without it the desktop's sans serif.
    static const bool substituted = [] {
        const QString family = QStringLiteral("MS Sans Serif");
        if (!QFontDatabase::hasFamily(family)) {
            QFont::insertSubstitution(family, QStringLiteral("Liberation Sans"));
        }
        return true;
    }();
    (void)substituted;
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
                  qreal points) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setFont(msSansSerif(points));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Letters without a side bearing ("A", "V") would touch the edge.
    label->setIndent(2);
    // Transparent: the sky shows around the letters.
    label->setAutoFillBackground(false);
    label->setFocusPolicy(Qt::NoFocus);
    label->setAccessibleName(text);
    return label;
}

void setBlackText(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
}

// The sky as the box paints it: the palette's 0xRRGGBB as opaque colours.
QImage skyImage(const morvint::SkyPicture& sky) {
    QImage image(sky.width, sky.height, QImage::Format_Indexed8);
    QList<QRgb> colours;
    colours.reserve(static_cast<qsizetype>(sky.palette.size()));
    for (const std::uint32_t colour : sky.palette) {
        colours.append(
            qRgb(int((colour >> 16) & 0xFF), int((colour >> 8) & 0xFF), int(colour & 0xFF)));
    }
    image.setColorTable(colours);
    // Rows are copied one by one: a scan line may be padded.
    const auto width = static_cast<std::size_t>(sky.width);
    const std::uint8_t* row = sky.indices.data();
    for (int y = 0; y < sky.height; ++y, row += width) {
        std::copy_n(row, width, image.scanLine(y));
    }
    return image;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      picture_(skyImage(morvint::drawSky())),
      platform_(morvint::makeSystemPlatform()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(qs(texts::aboutCaption));
    // The caption is never seen, as the box has no title bar; a screen reader
    // names the window after the game instead.
    setAccessibleName(qs(texts::aboutName));
    move(px(2295), px(1605));
    setFixedSize(px(6000), px(4485));

    // Created in tab order: the buttons first, then the labels.
    cmdOK_ = new QPushButton(qs(texts::aboutOk), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(twipsRect(3120, 3960, 1260, 345));
    cmdOK_->setDefault(true);
    cmdOK_->setAccessibleName(qs(texts::aboutOk));

    cmdSysInfo_ = new QPushButton(qs(texts::aboutSysInfo), this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo_->setGeometry(twipsRect(4560, 3960, 1245, 345));
    // The access key's marker is not read out.
    cmdSysInfo_->setAccessibleName(qs(texts::aboutSysInfo).remove(QLatin1Char('&')));

    lblDescription_ = makeLabel(this, "lblDescription", qs(texts::aboutDescription),
                                twipsRect(480, 1920, 5085, 1770), 13.5);
    lblDescription_->setWordWrap(true);
    setBlackText(lblDescription_);

    lblTitle_ =
        makeLabel(this, "lblTitle", qs(texts::aboutTitle), twipsRect(1050, 240, 3885, 480), 24);
    setBlackText(lblTitle_);

    lblVersion_ = makeLabel(this, "lblVersion", qs(texts::aboutVersion),
                            twipsRect(1050, 960, 3885, 225), 9.75);
    // Dark text over the light sky, whatever the desktop's colours.
    setBlackText(lblVersion_);

    setTabOrder(cmdOK_, cmdSysInfo_);
    connect(cmdOK_, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    cmdOK_->setFocus();

    Form_Load();
    for (QPushButton* button : {cmdOK_, cmdSysInfo_}) {
        fitCaption(button);
    }
    for (QLabel* label : {lblDescription_, lblTitle_, lblVersion_}) {
        fitCaption(label);
    }
}

frmAbout::~frmAbout() = default;

void frmAbout::setSysInfoPlatform(std::unique_ptr<morvint::SysInfoPlatform> platform) {
    platform_ = std::move(platform);
}

void frmAbout::Form_Load() {
    lblVersion_->setText(qs(texts::aboutVersionLine()));
    lblVersion_->setAccessibleName(lblVersion_->text());
}

void frmAbout::cmdOK_Click() {
    close();
}

void frmAbout::cmdSysInfo_Click() {
    morvint::StartSysInfo(*platform_, *this);
}

void frmAbout::showUnavailable() {
    QMessageBox box(QMessageBox::NoIcon, qs(morvint::sysInfoUnavailableTitle),
                    qs(morvint::sysInfoUnavailable), QMessageBox::Ok, this);
    plainButtons(box);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void frmAbout::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            // OK is the cancel button.
            cmdOK_->click();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // OK is the default button; a focused System Info... takes Enter
            // itself, as a focused button does.
            (focusWidget() == cmdSysInfo_ ? cmdSysInfo_ : cmdOK_)->click();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}
