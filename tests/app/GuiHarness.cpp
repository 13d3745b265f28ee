// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the window on a dictionary and driving its commands.
#include "tests/app/GuiHarness.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>

#include "app/CommandTable.h"

namespace tinplate {

QString FakePrompts::OpenFileName(QWidget*, const QString& filter, const QString& defaultExtension,
                                  const QString& initialName) {
    openRequests.push_back({filter, defaultExtension, initialName});
    if (openAnswers.empty()) {
        return QString();
    }
    QString answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

Prompts::SaveChoice FakePrompts::AskSaveChanges(QWidget*, const QString& fileName) {
    saveQuestions << fileName;
    if (saveAnswers.empty()) {
        return SaveChoice::Cancel;
    }
    SaveChoice answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

int FakePrompts::ChooseItem(QWidget*, const QString&, const QStringList& items, int,
                            const QString& title) {
    itemQuestions << title + ": " + items.join(", ");
    if (itemAnswers.empty()) {
        return -1;
    }
    const int answer = itemAnswers.front();
    itemAnswers.pop_front();
    return answer;
}

std::optional<PropertyChanges> FakePrompts::EditProperties(
    QWidget* parent, const std::vector<const TextureEntry*>& textures) {
    if (propertyAnswers.empty()) {
        return std::nullopt;
    }
    PropertiesDialog dialog(textures, parent);
    propertyAnswers.front()(dialog);
    propertyAnswers.pop_front();
    return dialog.Changes();
}

Window::Window(const std::string& gfxModule) : gfx(gfxModule), dialog(prompts, gfx) {}

void Window::OpenTextures(const std::vector<SampleTexture>& textures, const std::string& name) {
    WriteDictionary(name, textures);
    Open((scratch.path() / name).string());
}

void Window::Open(const std::string& path) {
    prompts.openAnswers.push_back(QString::fromStdString(path));
    dialog.Dispatch(command::kFileOpen);
}

void Window::Show(int row) {
    List().setCurrentRow(row);
    dialog.Dispatch(command::kTextureListDoubleClick);
}

TextureRecord& Window::Record(int row) {
    return *static_cast<TextureRecord*>(List().item(row)->data(Qt::UserRole).value<void*>());
}

QListWidget& Window::List() {
    return *dialog.findChild<QListWidget*>("textureList");
}

QImage Window::Picture() {
    return dialog.findChild<QLabel*>("picture")->pixmap().toImage().convertToFormat(
        QImage::Format_RGB32);
}

bool Window::PictureIsEmpty() {
    return dialog.findChild<QLabel*>("picture")->pixmap().isNull();
}

QString Window::Field(const char* name) {
    return dialog.findChild<QLabel*>(name)->text();
}

QRgb Opaque(const std::uint8_t* bgra) {
    return qRgb(bgra[2], bgra[1], bgra[0]);
}

}  // namespace tinplate
