// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: builds its parts, dispatches commands, keeps its title and saved state, and
// takes dropped files.
#include "app/MainDialog.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/Artwork.h"
#include "app/BrowsePanel.h"
#include "app/CheckPanel.h"
#include "app/CommandContext.h"
#include "app/EditorSettings.h"
#include "app/FileCommands.h"
#include "app/FileDrop.h"
#include "app/FileErrorReport.h"
#include "app/ImageCommands.h"
#include "app/MenuBar.h"
#include "app/PlatformCommands.h"
#include "app/PreviewView.h"
#include "app/Prompts.h"
#include "app/TargetCommands.h"
#include "app/TextureCommands.h"
#include "app/TextureDocument.h"
#include "app/TexturePanel.h"
#include "app/ViewCommands.h"

namespace tinplate {
namespace {

constexpr const char* kTitle = "TXD Tinplate v1.03";

}  // namespace

MainDialog::MainDialog(Prompts& prompts, GfxBinding& gfx, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_document(new TextureDocument(this)) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowIcon(ApplicationIcon());
    setAcceptDrops(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    // Docks need a main window; this one holds the texture panel alone until one is shown.
    auto* body = new QMainWindow(this);
    body->setWindowFlags(Qt::Widget);
    m_panel = new TexturePanel(*m_document, gfx, prompts, this);
    body->setCentralWidget(m_panel);
    outer->addWidget(body, 1);

    const CommandContext context{*this, prompts, gfx, *m_document, *m_panel, m_commands};
    m_file = new FileCommands(context);
    m_image = new ImageCommands(context);
    m_texture = new TextureCommands(context);
    m_view = new ViewCommands(context);
    m_checks = new CheckPanel(*m_document, m_commands, *body);
    m_browse = new BrowsePanel(prompts, m_commands, *body);
    m_platform = new PlatformCommands(context);
    new TargetCommands(context);
    m_menuBar = new MenuBar(
        context, [this](int id) { Dispatch(id); },
        [this](const QString& path) { OpenAfterAsking(path); });
    outer->setMenuBar(&m_menuBar->Bar());
    m_view->UpdateViewChecks();
    BuildStatusBar();
    m_commands.Register(command::kTextureListDoubleClick,
                        [this] { m_panel->OnDblclkTextureList(); });

    connect(m_document, &TextureDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(m_document, &TextureDocument::fileChanged, this, &MainDialog::UpdateTitle);
    connect(m_panel, &TexturePanel::doubleClicked, this,
            [this] { Dispatch(command::kTextureListDoubleClick); });
    connect(m_checks, &CheckPanel::textureChosen, this, [this](int row) {
        // A finding's texture that the search field hides is shown with all the others.
        if (m_panel->List().item(row)->isHidden()) {
            m_panel->CloseFilter();
        }
        m_panel->List().setCurrentRow(row);
        Dispatch(command::kTextureListDoubleClick);
    });
    connect(m_browse, &BrowsePanel::textureChosen, this, &MainDialog::OpenAndSelect);
    connect(m_panel, &TexturePanel::contextMenuRequested, this,
            [this](const QPoint& at) { m_menuBar->TextureMenu().popup(at); });
    connect(m_panel, &TexturePanel::renameTyped, this, [this](int row, const QString& name) {
        ReportFileErrors(m_prompts, this, [&] { m_texture->RenameFromList(row, name); });
    });
    m_panel->Picture().onWheelZoom = [this](int step) {
        Dispatch(step > 0 ? command::kViewZoomIn : command::kViewZoomOut);
    };
    UpdateTitle();
}

MainDialog::~MainDialog() = default;

void MainDialog::BuildStatusBar() {
    auto* bar = new QStatusBar(this);
    m_panel->BuildStatusWidgets(*bar);
    layout()->addWidget(bar);
}

void MainDialog::Dispatch(int commandId) {
    ReportFileErrors(m_prompts, this, [this, commandId] { m_commands.Run(commandId); });
}

void MainDialog::OpenFileAtStart(const QString& path) {
    ReportFileErrors(m_prompts, this, [this, &path] { m_file->OpenDictionary(path); });
}

void MainDialog::OpenAfterAsking(const QString& path) {
    m_file->OpenAfterAsking(path);
}

void MainDialog::OpenAndSelect(const QString& dictionary, int row) {
    const QString path = QFileInfo(dictionary).absoluteFilePath();
    if (m_document->Path() != path) {
        OpenAfterAsking(dictionary);
    }
    // Kept open: the user cancelled, or the file could not be read (and was reported).
    if (m_document->Path() != path || row < 0 || row >= m_panel->List().count()) {
        return;
    }
    if (m_panel->List().item(row)->isHidden()) {
        m_panel->CloseFilter();
    }
    m_panel->List().setCurrentRow(row);
    Dispatch(command::kTextureListDoubleClick);
}

bool MainDialog::IsModified() const {
    return m_document->IsModified();
}

void MainDialog::UpdateTitle() {
    const QString name = m_document->FileName();
    setWindowTitle(name.isEmpty() ? QString(kTitle) : tr("%1[*] — %2").arg(name, kTitle));
}

void MainDialog::closeEvent(QCloseEvent* event) {
    if (IsModified() && !m_file->ConfirmDiscardOrSave()) {
        event->ignore();
        return;
    }
    SaveWindowState();
    accept();
    event->accept();
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape would end a dialog; here they must not throw away the user's work.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainDialog::SaveWindowState() const {
    EditorSettings().setValue(EditorSettings::kGeometry, saveGeometry());
    m_view->SaveViewState();
}

void MainDialog::RestoreWindowState() {
    if (!restoreGeometry(EditorSettings().value(EditorSettings::kGeometry).toByteArray())) {
        // The first time: a 256 x 256 picture beside the list, neither scrolled.
        resize(sizeHint() + m_panel->GrowthToShow({256, 256}));
    }
    m_view->RestoreViewState();
}

void MainDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainDialog::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainDialog::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    if (IsDictionaryName(path)) {
        OpenAfterAsking(path);
        return;
    }
    const QPoint position = event->position().toPoint();
    ReportFileErrors(m_prompts, this, [&] { m_image->DropOnTexture(path, position); });
}

}  // namespace tinplate
