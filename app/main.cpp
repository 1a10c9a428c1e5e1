// The editor's entry: vaskedit [-C FOLDER] [FILE...]. -C starts in the folder (the files
// are then taken from there, as after a "cd"); the other arguments are the info files to
// open; a single file given by its full path inside a workspace's "Infos/" starts the
// program in that workspace. Started in a folder that holds no infos, the program offers
// the last workspace or a folder chooser. "Resources/" is taken from the current
// directory, else from beside the program, else from the installed share folder.
#include "engine/platform/ArgumentTexts.h"
#include "info/ResourceTemplates.h"
#include "library/InfoFileLocation.h"
#include "ui/mainwindow/MainForm.h"
#include "ui/mainwindow/Workspaces.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QIcon>

#include <cstdio>
#include <cstring>
#include <system_error>

int main(int argc, char** argv) {
    // Before Qt takes its options out of argv: the folder's name as typed, which the
    // Windows code page may have cut.
    const TesselEngine::Platform::ArgumentTexts texts(argc, argv);
    QApplication app(argc, argv);
    app.setFont(QFont("DejaVu Sans", 9));
    // The desktop entry's name ties the windows to the installed icon and menu entry.
    QGuiApplication::setDesktopFileName("org.vaskedit.VaskEdit");
    app.setWindowIcon(QIcon::fromTheme("org.vaskedit.VaskEdit"));

    // QApplication has taken its own options out of argv; the rest are ours, handed on
    // with every byte of the files' names.
    int next = 1;
    bool folderGiven = false;
    while (next < argc && std::strcmp(argv[next], "-C") == 0) {
        if (next + 1 == argc) {
            std::fprintf(stderr, "vaskedit: -C needs a folder\n");
            return 2;
        }
        const std::string folder = texts.Utf8(argv[next + 1]);
        std::error_code error;
        if (!TesselEngine::Platform::ChangeDirectory(folder, error)) {
            std::fprintf(stderr, "vaskedit: cannot change to the folder \"%s\"\n", folder.c_str());
            return 2;
        }
        folderGiven = true;
        next += 2;
    }
    std::vector<std::string> arguments(argv + next, argv + argc);
    // A file opened from the desktop (Explorer's "open", a file manager) comes by its full
    // path, with the program started anywhere: its workspace is the folder above its
    // "Infos/", where a save must write.
    if (!folderGiven && arguments.size() == 1) {
        if (const auto location = VaskEdit::LocateInfoFile(texts.Utf8(argv[next]))) {
            std::error_code error;
            if (TesselEngine::Platform::ChangeDirectory(location->workspace, error)) {
                arguments.front() = location->relative;
                folderGiven = true;
            }
        }
    }
    // Not with files to open: their relative paths start where the program was started.
    if (!folderGiven && arguments.empty()) {
        const QString chosen = VaskEdit::OfferWorkspace();
        if (!chosen.isEmpty() && !QDir::setCurrent(chosen))
            std::fprintf(stderr, "vaskedit: cannot change to the folder \"%s\"\n",
                         QFile::encodeName(chosen).constData());
    }
    if (VaskEdit::LooksLikeWorkspace(QDir::currentPath()))
        VaskEdit::RememberWorkspace(QDir::currentPath());

    const std::string program =
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    VaskEdit::SetResourceRoot(VaskEdit::FindResourceRoot(program));
    VaskEdit::MainForm window(std::move(arguments));
    window.show();
    return app.exec();
}
