// SPDX-License-Identifier: GPL-3.0-or-later
// The window under test, with prompts answered from queues.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/MainDialog.h"
#include "app/Prompts.h"
#include "app/PropertiesDialog.h"
#include "gfxlib/GfxBinding.h"
#include "tests/support/TestSupport.h"
#include "tools/DictionaryBuilder.h"

class QListWidget;

namespace tinplate {

// The window under test is the program's own.

// Answers the window's questions from queues and keeps every report it was given.
class FakePrompts : public Prompts {
public:
    QString OpenFileName(QWidget*, const QString& filter, const QString& defaultExtension,
                         const QString& initialName) override;
    void Message(QWidget*, const QString& text) override { messages.push_back(text); }
    void Error(QWidget*, const QString& text) override { errors.push_back(text); }
    SaveChoice AskSaveChanges(QWidget*, const QString& fileName) override;
    int ChooseItem(QWidget*, const QString&, const QStringList&, int, const QString&) override;
    QString ChooseArchiveEntry(QWidget*, const QString&,
                               const std::vector<ArchiveEntryRow>& rows) override {
        entryLists.push_back(rows.size());
        const QString answer = entryAnswers.empty() ? QString() : entryAnswers.front();
        if (!entryAnswers.empty()) {
            entryAnswers.pop_front();
        }
        return answer;
    }
    // The real dialog, filled in by the next answer instead of a person.
    std::optional<PropertyChanges> EditProperties(
        QWidget* parent, const std::vector<const TextureEntry*>& textures) override;
    bool AskMakeAnyway(QWidget*, const QString& reason) override {
        anywayQuestions << reason;
        return anywayAnswer;
    }
    bool AskReopenChanged(QWidget*, const QString& fileName) override {
        reopenQuestions << fileName;
        return reopenAnswer;
    }

    std::deque<QString> openAnswers;  // an empty answer cancels
    std::vector<QStringList> openRequests;
    std::deque<int> itemAnswers;          // none left cancels
    QStringList itemQuestions;            // "TITLE: ITEM, ITEM..."
    std::deque<QString> entryAnswers;     // none left cancels
    std::vector<std::size_t> entryLists;  // how many entries each archive listed
    std::deque<std::function<void(PropertiesDialog&)>> propertyAnswers;  // none left cancels
    std::deque<SaveChoice> saveAnswers;
    QStringList saveQuestions;
    bool anywayAnswer = false;
    QStringList anywayQuestions;
    bool reopenAnswer = false;
    QStringList reopenQuestions;
    QStringList messages;
    QStringList errors;
};

// A main window in a private current directory, with the real image library by default.
class Window {
public:
    explicit Window(const std::string& gfxModule = "mwgfx");

    // Writes a dictionary of `textures` as NAME in the scratch folder and opens it.
    void OpenTextures(const std::vector<SampleTexture>& textures,
                      const std::string& name = "sample.txd");
    void Open(const std::string& path);
    // Selects row `row` and previews it, as a click and a double-click do.
    void Show(int row);

    QListWidget& List();
    // The record the list holds in row `row`.
    TextureRecord& Record(int row);
    QImage Picture();
    bool PictureIsEmpty();
    QString Field(const char* name);

    ScratchDir scratch;
    FakePrompts prompts;
    GfxBinding gfx;
    MainDialog dialog;
};

// The colour the editor shows for a palette entry or 32-bit texel stored B, G, R, A.
QRgb Opaque(const std::uint8_t* bgra);

}  // namespace tinplate
