// SPDX-License-Identifier: GPL-3.0-or-later
// Lists the lint findings of the open dictionary, one a row in lint's order, and keeps them
// up to date.
#include "app/CheckPanel.h"

#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QStyle>
#include <QTreeWidget>
#include <array>

#include "app/CommandTable.h"
#include "app/TextureDocument.h"
#include "checks/DictionaryLint.h"
#include "fileio/FileError.h"

namespace tinplate {
namespace {

enum Column { kTexture, kSeverity, kMessage, kRule, kColumns };
// The row of a finding's texture in the list, -1 for the file's own findings.
constexpr int kRowRole = Qt::UserRole;

QIcon SeverityIcon(Severity severity) {
    const QStyle::StandardPixmap icons[] = {QStyle::SP_MessageBoxInformation,
                                            QStyle::SP_MessageBoxWarning,
                                            QStyle::SP_MessageBoxCritical};
    return QApplication::style()->standardIcon(icons[static_cast<int>(severity)]);
}

QTreeWidgetItem* FindingRow(const QString& texture, Severity severity, const QString& message,
                            const QString& rule, int row) {
    auto* item = new QTreeWidgetItem;
    item->setText(kTexture, texture);
    item->setData(kTexture, kRowRole, row);
    item->setIcon(kSeverity, SeverityIcon(severity));
    item->setText(kSeverity, QString::fromUtf8(SeverityWord(severity)));
    item->setText(kMessage, message);
    item->setToolTip(kMessage, message);
    item->setText(kRule, rule);
    return item;
}

}  // namespace

CheckPanel::CheckPanel(TextureDocument& document, CommandTable& commands, QMainWindow& host)
    : QDockWidget(tr("Check"), &host), m_document(document), m_findings(new QTreeWidget(this)) {
    setObjectName("checkPanel");
    m_findings->setObjectName("checkFindings");
    m_findings->setAccessibleName(tr("Findings"));
    m_findings->setColumnCount(kColumns);
    m_findings->setHeaderLabels({tr("Texture"), tr("Severity"), tr("Finding"), tr("Rule")});
    m_findings->setRootIsDecorated(false);
    m_findings->setUniformRowHeights(true);
    m_findings->header()->setStretchLastSection(false);
    m_findings->header()->setSectionResizeMode(kMessage, QHeaderView::Stretch);
    // Tall enough for eight findings under the header.
    m_findings->setMinimumHeight(m_findings->fontMetrics().height() * 10 +
                                 m_findings->frameWidth() * 2);
    setWidget(m_findings);
    host.addDockWidget(Qt::BottomDockWidgetArea, this);
    hide();

    connect(m_findings, &QTreeWidget::itemDoubleClicked, this,
            [this](const QTreeWidgetItem* item) { ChooseTextureOf(item); });
    connect(&document, &TextureDocument::fileChanged, this, &CheckPanel::MarkOutOfDate);
    connect(&document, &TextureDocument::texturesReplaced, this, &CheckPanel::MarkOutOfDate);
    connect(&document, &TextureDocument::textureChanged, this, &CheckPanel::MarkOutOfDate);
    // Also shown by the dock area's own menu, which knows nothing of the findings.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && m_outOfDate) {
            Refresh();
        }
    });
    commands.Register(command::kDictionaryCheck, [this] { ShowFindings(); });
}

void CheckPanel::ShowFindings() {
    show();
    raise();
    if (m_outOfDate) {
        Refresh();
    }
}

void CheckPanel::MarkOutOfDate() {
    m_outOfDate = true;
    if (isHidden() || m_refreshQueued) {
        return;
    }
    m_refreshQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshQueued = false;
            if (m_outOfDate && !isHidden()) {
                Refresh();
            }
        },
        Qt::QueuedConnection);
}

void CheckPanel::Refresh() {
    m_outOfDate = false;
    m_findings->clear();
    const QString fileName = m_document.FileName();
    std::array<int, 3> counts{};
    QList<QTreeWidgetItem*> rows;
    try {
        // Against the game target chosen for the dictionary; without one, a note names those
        // it fits.
        for (const Finding& finding :
             LintDictionary(m_document.OriginalBytes(), m_document.Textures(),
                            m_document.ChosenTarget(), m_document.VersionWord())) {
            const int row = finding.texture ? static_cast<int>(*finding.texture) : -1;
            QString texture = QString::fromStdString(finding.textureName);
            if (row < 0) {
                texture = fileName;
            } else if (texture.isEmpty()) {
                texture = QStringLiteral("#%1").arg(row);
            }
            rows << FindingRow(texture, finding.severity, QString::fromStdString(finding.message),
                               QString::fromUtf8(finding.rule), row);
            ++counts[static_cast<std::size_t>(finding.severity)];
        }
    } catch (const FileError& error) {
        rows << FindingRow(fileName, Severity::Error, QString::fromStdString(error.reason()), {},
                           -1);
    }
    m_findings->addTopLevelItems(rows);
    for (int column : {kTexture, kSeverity, kRule}) {
        m_findings->resizeColumnToContents(column);
    }
    const auto count = [&](Severity severity, const char* one, const char* many) {
        const int n = counts[static_cast<std::size_t>(severity)];
        return n == 1 ? tr(one) : tr(many).arg(n);
    };
    setWindowTitle(rows.isEmpty() ? tr("Check: nothing found")
                                  : tr("Check: %1, %2, %3")
                                        .arg(count(Severity::Error, "1 error", "%1 errors"))
                                        .arg(count(Severity::Warning, "1 warning", "%1 warnings"))
                                        .arg(count(Severity::Note, "1 note", "%1 notes")));
}

void CheckPanel::ChooseTextureOf(const QTreeWidgetItem* item) {
    const int row = item->data(kTexture, kRowRole).toInt();
    if (row >= 0 && static_cast<std::size_t>(row) < m_document.Textures().size()) {
        emit textureChosen(row);
    }
}

}  // namespace tinplate
