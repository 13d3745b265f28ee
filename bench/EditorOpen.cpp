// SPDX-License-Identifier: GPL-3.0-or-later
// Times the editor's window coming up, then opening a dictionary until its list and first
// picture are drawn, without a display: editor_open [FILE.txd] prints the two in seconds.
#include <QApplication>
#include <QListWidget>
#include <chrono>
#include <cstdio>

#include "app/MainDialog.h"
#include "app/Prompts.h"
#include "app/TexturePanel.h"
#include "gfxlib/GfxBinding.h"

using namespace tinplate;

namespace {

// A failure is printed rather than put in a box nobody can close.
class PrintedPrompts : public Prompts {
public:
    void Error(QWidget*, const QString& text) override {
        std::fprintf(stderr, "editor_open: %s\n", qPrintable(text));
        failed = true;
    }
    bool failed = false;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    PrintedPrompts prompts;
    GfxBinding gfx;
    MainDialog dialog(prompts, gfx);
    dialog.show();
    QApplication::processEvents();
    const double startUp = SecondsSince(start);
    if (argc < 2) {
        std::printf("%.4f\n", startUp);
        return 0;
    }
    const auto opening = std::chrono::steady_clock::now();
    dialog.OpenFileAtStart(QString::fromLocal8Bit(argv[1]));
    dialog.repaint();
    QApplication::processEvents();
    const double open = SecondsSince(opening);
    if (prompts.failed || dialog.Panel().List().count() == 0) {
        return 1;
    }
    std::printf("%.4f %.4f\n", startUp, open);
    return 0;
}
