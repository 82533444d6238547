// Writes the program icon as a desktop's icon theme looks it up:
//
//   make_icons FOLDER
//
// FOLDER/hicolor/<n>x<n>/apps/drawmentor.png for the sizes menus and docks ask
// for, and FOLDER/hicolor/scalable/apps/drawmentor.svg for every other size.
#include "Icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QSvgGenerator>

#include <cstdio>
#include <stdexcept>

namespace {

using namespace artwork;

QString MakeFolder(const QString& folder) {
    if (!QDir().mkpath(folder)) throw std::runtime_error("cannot create " + folder.toStdString());
    return folder + "/";
}

void WritePng(const QString& folder, int side) {
    const QString size = QString::number(side);
    const QString path = MakeFolder(folder + size + "x" + size + "/apps") + "drawmentor.png";
    if (!IconImage(side).save(path, "PNG"))
        throw std::runtime_error("cannot write " + path.toStdString());
}

void WriteSvg(const QString& folder) {
    const QString path = MakeFolder(folder + "scalable/apps") + "drawmentor.svg";
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kIconSide, kIconSide));
    svg.setViewBox(QRect(0, 0, kIconSide, kIconSide));
    svg.setTitle(QStringLiteral("DrawMentor"));
    QPainter p;
    if (!p.begin(&svg)) throw std::runtime_error("cannot write " + path.toStdString());
    PaintIcon(p);
    if (!p.end()) throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons FOLDER\n");
        return 2;
    }
    try {
        const QString folder = MakeFolder(QString::fromLocal8Bit(argv[1]) + "/hicolor");
        for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) WritePng(folder, side);
        WriteSvg(folder);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_icons: %s\n", error.what());
        return 1;
    }
    return 0;
}
