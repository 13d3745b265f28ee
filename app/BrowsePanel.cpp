// SPDX-License-Identifier: GPL-3.0-or-later
// The folder panel: the scan's results as a tree and as search matches.
#include "app/BrowsePanel.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/CommandTable.h"
#include "app/EditorSettings.h"
#include "app/Prompts.h"
#include "fileio/PrintableText.h"

namespace tinplate {

namespace {

constexpr int kPickupMilliseconds = 100;
// More matches than a person reads are counted, not listed.
constexpr std::size_t kShownMatches = 1000;
constexpr const char* kFolderKey = "browse/folder";
// A double-clickable row: its dictionary's number and its texture's index (-1: none).
constexpr int kDictionaryRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

QString Text(const std::string& bytes) {
    return QString::fromStdString(PrintableText(bytes));
}

}  // namespace

BrowsePanel::BrowsePanel(Prompts& prompts, CommandTable& commands, QMainWindow& host)
    : QDockWidget(tr("Browse"), &host),
      m_prompts(prompts),
      m_search(new QLineEdit),
      m_progress(new QLabel),
      m_tree(new QTreeWidget),
      m_matches(new QTreeWidget),
      m_pickup(new QTimer(this)) {
    setObjectName("browsePanel");
    m_search->setObjectName("browseSearch");
    m_search->setPlaceholderText(tr("Search texture names"));
    m_search->setClearButtonEnabled(true);
    m_progress->setObjectName("browseProgress");
    m_tree->setObjectName("browseTree");
    m_tree->setHeaderLabels({tr("Dictionary"), tr("Textures")});
    m_tree->setUniformRowHeights(true);
    m_matches->setObjectName("browseMatches");
    m_matches->setHeaderLabels({tr("Texture"), tr("Size"), tr("Kind"), tr("Dictionary")});
    m_matches->setRootIsDecorated(false);
    m_matches->setUniformRowHeights(true);
    m_matches->hide();
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_search);
    layout->addWidget(m_progress);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_matches, 1);
    setWidget(body);
    host.addDockWidget(Qt::LeftDockWidgetArea, this);
    hide();

    m_pickup->setInterval(kPickupMilliseconds);
    connect(m_pickup, &QTimer::timeout, this, &BrowsePanel::TakeResults);
    connect(m_search, &QLineEdit::textChanged, this, &BrowsePanel::ShowMatches);
    for (QTreeWidget* view : {m_tree, m_matches}) {
        connect(view, &QTreeWidget::itemDoubleClicked, this,
                [this](const QTreeWidgetItem* item) { Choose(item); });
    }
    commands.Register(command::kFileBrowseFolder, [this] { OnBrowseFolder(); });
}

BrowsePanel::~BrowsePanel() = default;

void BrowsePanel::OnBrowseFolder() {
    const QString start = EditorSettings().value(kFolderKey).toString();
    const QString folder = m_prompts.FolderName(parentWidget(), start);
    if (!folder.isEmpty()) {
        Browse(folder);
    }
}

void BrowsePanel::Browse(const QString& folder) {
    m_scan.reset();
    EditorSettings().setValue(kFolderKey, folder);
    m_folder = folder;
    m_dictionaries.clear();
    m_textures.clear();
    m_names = NameSearch();
    m_unreadable = 0;
    m_tree->clear();
    m_matches->clear();
    setWindowTitle(tr("Browse: %1").arg(folder));
    show();
    raise();
    m_scan = std::make_unique<FolderScan>(folder.toStdString());
    m_pickup->start();
    ShowProgress();
}

void BrowsePanel::TakeResults() {
    if (!m_scan) {
        return;
    }
    ScanBatch batch = m_scan->TakeBatch();
    for (FoundDictionary& dictionary : batch.dictionaries) {
        m_unreadable += dictionary.failure.empty() ? 0 : 1;
        m_dictionaries.push_back(std::move(dictionary));
        AddToTree(m_dictionaries.back(), static_cast<std::uint32_t>(m_dictionaries.size() - 1));
    }
    for (FoundTexture& texture : batch.textures) {
        m_names.Add(texture.name);
        m_textures.push_back(std::move(texture));
    }
    if (batch.finished) {
        m_pickup->stop();
        m_scan.reset();
    }
    if (!batch.textures.empty() && !m_search->text().isEmpty()) {
        ShowMatches();
    } else {
        ShowProgress();
    }
}

void BrowsePanel::ShowProgress() {
    const QString counts = tr("%1 dictionaries, %2 textures, %3 unreadable")
                               .arg(m_dictionaries.size() - m_unreadable)
                               .arg(m_textures.size())
                               .arg(m_unreadable);
    QString line = m_scan ? tr("Scanning: %1").arg(counts) : counts;
    if (!m_search->text().isEmpty()) {
        line += m_matchCount > kShownMatches
                    ? tr("; %1 match, the first %2 listed").arg(m_matchCount).arg(kShownMatches)
                    : tr("; %1 match").arg(m_matchCount);
    }
    m_progress->setText(line);
}

QTreeWidgetItem* BrowsePanel::FolderItem(const QString& relative) {
    QTreeWidgetItem* parent = m_tree->invisibleRootItem();
    for (const QString& part : relative.split('/', Qt::SkipEmptyParts)) {
        QTreeWidgetItem* found = nullptr;
        for (int i = 0; i < parent->childCount() && found == nullptr; ++i) {
            if (parent->child(i)->text(0) == part &&
                parent->child(i)->data(0, kIndexRole).isNull()) {
                found = parent->child(i);
            }
        }
        if (found == nullptr) {
            found = new QTreeWidgetItem(parent, {part});
            found->setIcon(0, QApplication::style()->standardIcon(QStyle::SP_DirIcon));
        }
        parent = found;
    }
    return parent;
}

void BrowsePanel::AddToTree(const FoundDictionary& dictionary, std::uint32_t number) {
    QString path = QString::fromStdString(dictionary.place.file);
    if (path.startsWith(m_folder)) {
        path = path.mid(m_folder.size());
    }
    const int slash = static_cast<int>(path.lastIndexOf('/'));
    QTreeWidgetItem* parent = FolderItem(path.left(std::max(slash, 0)));
    QString leaf = path.mid(slash + 1);
    if (dictionary.place.InArchive()) {
        // The archive is a folder of its entries.
        parent = FolderItem(path);
        leaf = Text(dictionary.place.entry);
    }
    auto* item = new QTreeWidgetItem(parent, {leaf});
    if (dictionary.failure.empty()) {
        item->setText(1, QString::number(dictionary.textures));
        item->setData(0, kDictionaryRole, number);
        item->setData(0, kIndexRole, 0);
        item->setIcon(0, QApplication::style()->standardIcon(QStyle::SP_FileIcon));
    } else {
        item->setText(1, Text(dictionary.failure));
        item->setToolTip(1, Text(dictionary.failure));
        item->setIcon(0, QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning));
    }
}

void BrowsePanel::ShowMatches() {
    const QString text = m_search->text();
    m_tree->setVisible(text.isEmpty());
    m_matches->setVisible(!text.isEmpty());
    m_matches->clear();
    if (text.isEmpty()) {
        ShowProgress();
        return;
    }
    const std::vector<std::uint32_t>& found = m_names.Find(text.toStdString());
    m_matchCount = found.size();
    QList<QTreeWidgetItem*> rows;
    for (std::size_t i = 0; i < found.size() && i < kShownMatches; ++i) {
        const FoundTexture& texture = m_textures[found[i]];
        const ScanPlace& place = m_dictionaries[texture.dictionary].place;
        auto* row = new QTreeWidgetItem(
            {Text(texture.name), QStringLiteral("%1 × %2").arg(texture.width).arg(texture.height),
             QString::fromStdString(texture.kind), Text(PlaceText(place))});
        row->setData(0, kDictionaryRole, texture.dictionary);
        row->setData(0, kIndexRole, texture.index);
        rows << row;
    }
    m_matches->addTopLevelItems(rows);
    ShowProgress();
}

void BrowsePanel::Choose(const QTreeWidgetItem* item) {
    const QVariant dictionary = item->data(0, kDictionaryRole);
    if (dictionary.isNull()) {
        return;
    }
    const ScanPlace& place = m_dictionaries[dictionary.toUInt()].place;
    emit textureChosen(QString::fromStdString(PlaceText(place)), item->data(0, kIndexRole).toInt());
}

}  // namespace tinplate
