// SPDX-License-Identifier: MIT
#include "frmAbout.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "captions.h"
#include "twips.h"

#if !defined(MORVINT_VERSION_MAJOR) || !defined(MORVINT_VERSION_MINOR) || \
    !defined(MORVINT_VERSION_PATCH)
#error "MORVINT_VERSION_MAJOR, _MINOR and _PATCH must come from the build"
#endif

namespace {

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

// Value noise for the clouds: a fixed lattice of pseudo-random heights,
// smoothly interpolated.
double lattice(int x, int y, int octave) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(octave) * 2246822519u + 0x9E3779B9u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFFu) / static_cast<double>(0x1000000);
}

double smoothNoise(double x, double y, int octave) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0;
    const double fy = y - y0;
    const double sx = fx * fx * (3 - 2 * fx);
    const double sy = fy * fy * (3 - 2 * fy);
    const double top =
        lattice(x0, y0, octave) + sx * (lattice(x0 + 1, y0, octave) - lattice(x0, y0, octave));
    const double bottom = lattice(x0, y0 + 1, octave) +
                          sx * (lattice(x0 + 1, y0 + 1, octave) - lattice(x0, y0 + 1, octave));
    return top + sy * (bottom - top);
}

// Cloud cover at a pixel, 0 (clear sky) to 1 (thick cloud). Clouds are wider
// than high, as a sky seen from the ground.
double cloudCover(int x, int y) {
    double sum = 0;
    double amplitude = 1;
    double total = 0;
    double scale = 1.0 / 90.0;
    for (int octave = 0; octave < 5; ++octave) {
        sum += amplitude * smoothNoise(x * scale, y * scale * 1.8, octave);
        total += amplitude;
        amplitude *= 0.5;
        scale *= 2;
    }
    const double n = sum / total;
    return std::clamp((n - 0.48) * 3.2, 0.0, 1.0);
}

}  // namespace

frmAbout::frmAbout(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      picture_(drawSkyPicture()),
      platform_(morvint::makeSystemPlatform()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About MyApp"));
    // The caption is never seen, as the box has no title bar; a screen reader
    // names the window after the game instead.
    setAccessibleName(QStringLiteral("About Morvint"));
    move(px(2295), px(1605));
    setFixedSize(px(6000), px(4485));

    // Created in tab order: the buttons first, then the labels.
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(3120, 3960, 1260, 345));
    cmdOK->setDefault(true);
    cmdOK->setAccessibleName(QStringLiteral("OK"));

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twipsRect(4560, 3960, 1245, 345));
    cmdSysInfo->setAccessibleName(QStringLiteral("System Info..."));

    lblDescription = makeLabel(this, "lblDescription",
                               QStringLiteral("A text-based maze which you navigate your way "
                                              "through. The object is to find the gold and "
                                              "escape the maze alive. Be careful though, "
                                              "monsters lurk within the maze."),
                               twipsRect(480, 1920, 5085, 1770), 13.5);
    lblDescription->setWordWrap(true);
    setBlackText(lblDescription);

    lblTitle =
        makeLabel(this, "lblTitle", QStringLiteral("Morvint"), twipsRect(1050, 240, 3885, 480), 24);
    setBlackText(lblTitle);

    lblVersion = makeLabel(this, "lblVersion", QStringLiteral("Version"),
                           twipsRect(1050, 960, 3885, 225), 9.75);
    // Dark text over the light sky, whatever the desktop's colours.
    setBlackText(lblVersion);

    setTabOrder(cmdOK, cmdSysInfo);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    cmdOK->setFocus();

    Form_Load();
    for (QPushButton* button : {cmdOK, cmdSysInfo}) {
        fitCaption(button);
    }
    for (QLabel* label : {lblDescription, lblTitle, lblVersion}) {
        fitCaption(label);
    }
}

frmAbout::~frmAbout() = default;

void frmAbout::setSysInfoPlatform(std::unique_ptr<morvint::SysInfoPlatform> platform) {
    platform_ = std::move(platform);
}

void frmAbout::Form_Load() {
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(MORVINT_VERSION_MAJOR)
                            .arg(MORVINT_VERSION_MINOR)
                            .arg(MORVINT_VERSION_PATCH));
    lblVersion->setAccessibleName(lblVersion->text());
}

void frmAbout::cmdOK_Click() {
    close();
}

void frmAbout::cmdSysInfo_Click() {
    morvint::StartSysInfo(*platform_, *this);
}

void frmAbout::showUnavailable() {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Morvint"),
                    QStringLiteral("System Information Is Unavailable At This Time"),
                    QMessageBox::Ok, this);
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
            cmdOK->click();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // OK is the default button; a focused System Info... takes Enter
            // itself, as a focused button does.
            (focusWidget() == cmdSysInfo ? cmdSysInfo : cmdOK)->click();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

QImage frmAbout::drawSkyPicture() {
    constexpr int width = 400;
    constexpr int height = 300;
    // 16 shades of sky from the top (deeper blue) to the bottom (paler), each
    // in 16 steps towards white for the clouds: 256 colours, all different.
    constexpr int levels = 16;
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> colours;
    colours.reserve(levels * levels);
    for (int sky = 0; sky < levels; ++sky) {
        const double t = sky / double(levels - 1);
        const double r = 96 + t * (178 - 96);
        const double g = 160 + t * (214 - 160);
        const double b = 232 + t * (247 - 232);
        for (int cloud = 0; cloud < levels; ++cloud) {
            const double w = 0.94 * cloud / double(levels - 1);
            int red = int(r + w * (255 - r) + 0.5);
            const int green = int(g + w * (255 - g) + 0.5);
            const int blue = int(b + w * (255 - b) + 0.5);
            // Near white, neighbouring shades can round to one colour; such a
            // shade moves by a step of red, so that all 256 differ.
            while (colours.contains(qRgb(red, green, blue))) {
                red = red > 0 ? red - 1 : 255;
            }
            colours.append(qRgb(red, green, blue));
        }
    }
    image.setColorTable(colours);

    // A 4 by 4 ordered dither keeps the gradient and the cloud edges soft.
    static constexpr std::array<int, 16> bayer = {0, 8,  2, 10, 12, 4, 14, 6,
                                                  3, 11, 1, 9,  15, 7, 13, 5};
    for (int y = 0; y < height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const double threshold = (bayer[(y % 4) * 4 + x % 4] + 0.5) / 16.0;
            const double skyLevel = y * (levels - 1) / double(height - 1);
            const double cloudLevel = cloudCover(x, y) * (levels - 1);
            const int sky =
                std::min(levels - 1, int(skyLevel) + (skyLevel - int(skyLevel) > threshold));
            const int cloud =
                std::min(levels - 1, int(cloudLevel) + (cloudLevel - int(cloudLevel) > threshold));
            line[x] = static_cast<uchar>(sky * levels + cloud);
        }
    }
    return image;
}
