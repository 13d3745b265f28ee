// SPDX-License-Identifier: GPL-3.0-or-later
// The texture list as a grid of thumbnails, or as the plain list of names.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <utility>
#include <vector>

class QListWidget;

namespace tinplate {

class TextureDocument;
class ThumbnailMaker;

// Switches the one texture list between Qt's list and icon modes, so that selection,
// double-click, Rename in place, the context menu and drops work alike in both. In icon mode
// each item shows its texture's picture, made in the background once the item comes into view
// and again after each change of the texture; the list mode shows names only, as it always did.
// The grid's cells are wide enough for names of up to 16 characters and share the list's width.
class ListThumbnails : public QObject {
    Q_OBJECT

public:
    ListThumbnails(TextureDocument& document, QListWidget& list, QObject* parent);

    void SetShown(bool shown);
    bool IsShown() const { return m_shown; }
    // After the list was filled anew: the items get the pictures they had under their names
    // until their own are made.
    void ListFilled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RequestInView();
    bool InView(int row) const;
    void Request(int row);
    void Place(int row, const QImage& picture);
    void MeasureNames();
    void FitGrid();

    TextureDocument& m_document;
    QListWidget& m_list;
    ThumbnailMaker* m_maker;
    bool m_shown = false;
    // Per row, whether its picture was asked for since the row was filled or its texture changed.
    std::vector<bool> m_requested;
    bool m_checkScheduled = false;
    int m_narrowestCell = 1;
    // The pictures on show, with the name of the texture each was made for.
    std::vector<std::pair<QString, QIcon>> m_icons;
};

}  // namespace tinplate
