// SPDX-License-Identifier: GPL-3.0-or-later
// The picture area: zoom, channels and scroll bars over the texture's picture.
#pragma once

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <functional>

namespace tinplate {

// How large the picture is shown. Standard is the preview's own picture (textures up to
// 256 x 256 at their size, larger ones scaled to 256 x 256); the others show the texture at
// full size, fitted into the area or magnified without smoothing.
enum class Zoom { Standard, Fit, Percent100, Percent200, Percent400, Percent800 };

// What of the picture is shown: colour alone, colour over a checkerboard where it is
// transparent, or the alpha channel as grey.
enum class Channels { Colour, Checkerboard, Alpha };

// The label that draws its pixmap stretched to its own size, over a checkerboard on request.
class PictureLabel : public QLabel {
public:
    using QLabel::QLabel;
    void SetCheckerboard(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_checkerboard = false;
};

// The picture area: the label "picture" at the top left of a scroll area that shows scroll
// bars when the picture is larger than the area.
class PreviewView : public QScrollArea {
public:
    explicit PreviewView(QWidget* parent);

    // `standard` is the preview's picture; `fullSize` renders the same texture at full size
    // with its alpha channel, asked for only when a view needs it (a null image when it
    // cannot be made: the view then works from `standard`).
    void Show(const QPixmap& standard, std::function<QImage()> fullSize);
    void Clear();

    Zoom zoom() const { return m_zoom; }
    void SetZoom(Zoom zoom);
    // One step along Standard, 100 %, 200 %, 400 %, 800 %, counted from the scale shown now.
    void ZoomIn();
    void ZoomOut();
    Channels channels() const { return m_channels; }
    void SetChannels(Channels channels);

    QSize PictureSize() const;

    // Ctrl + wheel: +1 for a step in, -1 for a step out.
    std::function<void(int)> onWheelZoom;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool ShowsStandardPicture() const;
    const QImage& FullSize();
    QSize BaseSize();
    double ShownScale();
    void UpdatePixmap();
    void UpdateSize();

    PictureLabel* m_label;
    QPixmap m_standard;
    QImage m_full;
    std::function<QImage()> m_fullSource;
    Zoom m_zoom = Zoom::Standard;
    Channels m_channels = Channels::Colour;
};

}  // namespace tinplate
