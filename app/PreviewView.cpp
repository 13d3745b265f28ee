// SPDX-License-Identifier: GPL-3.0-or-later
// Scales and paints the picture for the zoom and channels in force.
#include "app/PreviewView.h"

#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <utility>

namespace tinplate {

namespace {

constexpr std::array<int, 4> kPercents = {100, 200, 400, 800};
constexpr int kCheckerSquare = 8;
constexpr int kStandardSide = 256;

int PercentOf(Zoom zoom) {
    switch (zoom) {
        case Zoom::Percent100:
            return 100;
        case Zoom::Percent200:
            return 200;
        case Zoom::Percent400:
            return 400;
        case Zoom::Percent800:
            return 800;
        default:
            return 0;
    }
}

Zoom ZoomOfPercent(int percent) {
    switch (percent) {
        case 100:
            return Zoom::Percent100;
        case 200:
            return Zoom::Percent200;
        case 400:
            return Zoom::Percent400;
        default:
            return Zoom::Percent800;
    }
}

QImage AlphaAsGrey(const QImage& image) {
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage grey(argb.size(), QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const int alpha = qAlpha(in[x]);
            out[x] = qRgb(alpha, alpha, alpha);
        }
    }
    return grey;
}

const QBrush& CheckerBrush() {
    static const QBrush brush = [] {
        QPixmap tile(2 * kCheckerSquare, 2 * kCheckerSquare);
        tile.fill(QColor(0xff, 0xff, 0xff));
        QPainter painter(&tile);
        const QColor dark(0xcc, 0xcc, 0xcc);
        painter.fillRect(0, 0, kCheckerSquare, kCheckerSquare, dark);
        painter.fillRect(kCheckerSquare, kCheckerSquare, kCheckerSquare, kCheckerSquare, dark);
        return QBrush(tile);
    }();
    return brush;
}

}  // namespace

void PictureLabel::SetCheckerboard(bool on) {
    m_checkerboard = on;
    update();
}

void PictureLabel::paintEvent(QPaintEvent* event) {
    const QPixmap shown = pixmap();
    if (shown.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    if (m_checkerboard) {
        painter.fillRect(rect(), CheckerBrush());
    }
    // Magnified texels stay sharp squares; only a picture shrunk to fit is smoothed.
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          width() < shown.width() || height() < shown.height());
    painter.drawPixmap(rect(), shown);
}

PreviewView::PreviewView(QWidget* parent) : QScrollArea(parent), m_label(new PictureLabel) {
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Window);
    viewport()->setBackgroundRole(QPalette::Window);
    // A picture smaller than the area sits in its middle, as image viewers show one.
    setAlignment(Qt::AlignCenter);
    m_label->setObjectName("picture");
    m_label->setAccessibleName(tr("Preview"));
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(m_label);
}

void PreviewView::Show(const QPixmap& standard, std::function<QImage()> fullSize) {
    m_standard = standard;
    m_full = QImage();
    m_fullSource = std::move(fullSize);
    UpdatePixmap();
}

void PreviewView::Clear() {
    m_standard = QPixmap();
    m_full = QImage();
    m_fullSource = nullptr;
    UpdatePixmap();
}

void PreviewView::SetZoom(Zoom zoom) {
    const bool wasStandard = ShowsStandardPicture();
    m_zoom = zoom;
    if (wasStandard != ShowsStandardPicture()) {
        UpdatePixmap();
    } else {
        UpdateSize();
    }
}

void PreviewView::ZoomIn() {
    const double scale = ShownScale();
    const auto next = std::find_if(kPercents.begin(), kPercents.end(),
                                   [scale](int percent) { return percent > scale * 100 + 0.5; });
    SetZoom(ZoomOfPercent(next == kPercents.end() ? kPercents.back() : *next));
}

void PreviewView::ZoomOut() {
    const double scale = ShownScale();
    const auto previous = std::find_if(kPercents.rbegin(), kPercents.rend(), [scale](int percent) {
        return percent < scale * 100 - 0.5;
    });
    SetZoom(previous == kPercents.rend() ? Zoom::Standard : ZoomOfPercent(*previous));
}

void PreviewView::SetChannels(Channels channels) {
    m_channels = channels;
    UpdatePixmap();
}

QSize PreviewView::PictureSize() const {
    return m_label->pixmap().isNull() ? QSize() : m_label->size();
}

void PreviewView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    if (m_zoom == Zoom::Fit) {
        UpdateSize();
    }
}

void PreviewView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || !onWheelZoom) {
        QScrollArea::wheelEvent(event);
        return;
    }
    if (event->angleDelta().y() != 0) {
        onWheelZoom(event->angleDelta().y() > 0 ? 1 : -1);
    }
    event->accept();
}

bool PreviewView::ShowsStandardPicture() const {
    return m_zoom == Zoom::Standard && m_channels == Channels::Colour;
}

const QImage& PreviewView::FullSize() {
    if (m_fullSource) {
        m_full = std::exchange(m_fullSource, nullptr)();
    }
    return m_full;
}

// The size of the picture at 100 %.
QSize PreviewView::BaseSize() {
    const QImage& full = FullSize();
    return full.isNull() ? m_standard.size() : full.size();
}

double PreviewView::ShownScale() {
    const QSize base = BaseSize();
    const QSize shown = PictureSize();
    return base.isEmpty() || shown.isEmpty() ? 1.0 : double(shown.width()) / base.width();
}

void PreviewView::UpdatePixmap() {
    if (ShowsStandardPicture() || (m_standard.isNull() && FullSize().isNull())) {
        m_label->setPixmap(m_standard);
    } else {
        const QImage base = FullSize().isNull() ? m_standard.toImage() : m_full;
        switch (m_channels) {
            case Channels::Colour:
                m_label->setPixmap(QPixmap::fromImage(base.convertToFormat(QImage::Format_RGB32)));
                break;
            case Channels::Checkerboard:
                m_label->setPixmap(QPixmap::fromImage(base));
                break;
            case Channels::Alpha:
                m_label->setPixmap(QPixmap::fromImage(AlphaAsGrey(base)));
                break;
        }
    }
    m_label->SetCheckerboard(m_channels == Channels::Checkerboard);
    UpdateSize();
}

void PreviewView::UpdateSize() {
    const QSize pixmap = m_label->pixmap().size();
    QSize shown = pixmap;
    if (pixmap.isEmpty()) {
        shown = QSize(0, 0);
    } else if (m_zoom == Zoom::Fit) {
        shown = pixmap.scaled(maximumViewportSize(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    } else if (m_zoom != Zoom::Standard) {
        shown = pixmap * (PercentOf(m_zoom) / 100.0);
    } else if (!ShowsStandardPicture() && !m_standard.isNull()) {
        shown = m_standard.size();
    } else if (!ShowsStandardPicture() &&
               (pixmap.width() > kStandardSide || pixmap.height() > kStandardSide)) {
        shown = QSize(kStandardSide, kStandardSide);
    }
    m_label->resize(shown);
}

}  // namespace tinplate
