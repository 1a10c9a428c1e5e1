// The editor's entry: vaskedit [-C FOLDER] [FILE...]. -C starts in the folder (the files
// are then taken from there, as after a "cd"); the other arguments are the info files to
// open. Started in a folder that holds no infos, the program offers the last workspace
// or a folder chooser. "Resources/" is taken from the current directory, else from beside
// the program, else from the installed share folder.
#include "info/ResourceTemplates.h"
#include "ui/MainForm.h"
#include "ui/Workspaces.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QIcon>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setFont(QFont("DejaVu Sans", 9));
    // The desktop entry's name ties the windows to the installed icon and menu entry.
    QGuiApplication::setDesktopFileName("org.vaskedit.VaskEdit");
    app.setWindowIcon(QIcon::fromTheme("org.vaskedit.VaskEdit"));

    // QApplication has taken its own options out of argv; the rest are ours, handed on
    // with every byte of the files' names.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    bool folderGiven = false;
    while (!arguments.empty() && arguments.front() == "-C") {
        if (arguments.size() < 2) {
            std::fprintf(stderr, "vaskedit: -C needs a folder\n");
            return 2;
        }
        const QString folder = QFile::decodeName(QByteArray::fromStdString(arguments[1]));
        if (!QDir::setCurrent(folder)) {
            std::fprintf(stderr, "vaskedit: cannot change to the folder \"%s\"\n",
                         arguments[1].c_str());
            return 2;
        }
        folderGiven = true;
        arguments.erase(arguments.begin(), arguments.begin() + 2);
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
