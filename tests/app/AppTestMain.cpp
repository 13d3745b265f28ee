// SPDX-License-Identifier: GPL-3.0-or-later
// The editor tests' entry: a private runtime folder and settings, offscreen.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QSettings>
#include <string>

int main(int argc, char** argv) {
    // A private runtime folder: Qt complains about (and may share) the user's otherwise.
    std::string runtime = "/tmp/tinplate-runtime-XXXXXX";
    if (::mkdtemp(runtime.data()) != nullptr) {
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    // The editor remembers recent files and its window: in a private folder, not the user's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(runtime + "/config"));
    QApplication::setApplicationName("TXD Tinplate");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
