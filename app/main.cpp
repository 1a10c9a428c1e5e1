// The editor's entry. The full main window is still being built; until then this
// opens a window that shows which workspace the program works in.
#include "engine/File.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("VaskEdit");
    int infos = 0;
    auto it = TesselEngine::WinAPI::Directory(TesselEngine::Char32("Infos/"))
                  .GetIterator(TesselEngine::Char32("*.vaskinfo"));
    for (; it.IsValid(); it.Next())
        ++infos;
    auto* label = new QLabel(
        QString("Workspace: %1\nInfo files in \"Infos/\": %2").arg(QDir::currentPath()).arg(infos));
    label->setMargin(24);
    window.setCentralWidget(label);
    window.resize(1043, 644);
    window.show();
    return app.exec();
}
