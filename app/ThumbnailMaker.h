// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures for the thumbnail view, made on a worker thread.
#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>
#include <cstdint>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

// Makes the pictures of the thumbnail view on a worker thread, so that the window stays usable
// while a large dictionary's are made. Each request copies now just the level its picture is
// made from; a newer request for the same row outdates an older one, whose result is dropped.
class ThumbnailMaker : public QObject {
    Q_OBJECT

public:
    explicit ThumbnailMaker(QSize size, QObject* parent = nullptr);
    ~ThumbnailMaker() override;

    QSize size() const { return m_size; }

    // Asks for the picture of `record`, the texture at `row`.
    void Request(int row, const TextureRecord& record);
    // Drops every request still under way (a new list of textures).
    void Forget();
    // Whether requests are still under way.
    bool Busy() const;

signals:
    // The picture of the texture at `row`, fitted into size() on a transparent square.
    void Made(int row, const QImage& picture);

private:
    void Deliver(int row, std::uint64_t ticket, const QImage& picture);

    QSize m_size;
    QThreadPool m_pool;
    std::uint64_t m_nextTicket = 1;
    std::vector<std::uint64_t> m_tickets;  // per row, the request that counts
    int m_outstanding = 0;
};

}  // namespace tinplate
