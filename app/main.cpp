// The editor's entry: the main window with the command-line arguments as the info files
// to open. "Resources/" is taken from the current directory, or from beside the program
// when the current directory has none.
#include "info/ResourceTemplates.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QFile>
#include <QFont>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setFont(QFont("DejaVu Sans", 9));
    const std::string program =
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    VaskEdit::SetResourceRoot(VaskEdit::FindResourceRoot(program));

    // QApplication has taken its own options out of argv; the rest are info files,
    // handed on with every byte of their names.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    VaskEdit::MainForm window(std::move(arguments));
    window.show();
    return app.exec();
}
