// Renders the program's scalable icon into the PNG sizes of the hicolor icon theme:
//   iconrender ICON.svg OUTPUT-FOLDER NAME SIZE...
// writes OUTPUT-FOLDER/<size>x<size>/apps/NAME.png for every size.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fputs("usage: iconrender ICON.svg OUTPUT-FOLDER NAME SIZE...\n", stderr);
        return 2;
    }
    // Rendering needs no screen; the offscreen platform keeps the build free of a display.
    std::vector<char*> qtArguments = {argv[0], const_cast<char*>("-platform"),
                                      const_cast<char*>("offscreen")};
    int qtCount = static_cast<int>(qtArguments.size());
    QGuiApplication app(qtCount, qtArguments.data());
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "iconrender: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "iconrender: bad size %s\n", argv[i]);
            return 2;
        }
        const QString folder =
            QDir(QString::fromLocal8Bit(argv[2])).filePath(QStringLiteral("%1x%1/apps").arg(size));
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        if (!QDir().mkpath(folder) || !image.save(QDir(folder).filePath(name + ".png"), "PNG")) {
            std::fprintf(stderr, "iconrender: cannot write into %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
