// Build tool: draws the program's SVG icon at the sizes the window system is given and writes
// them as C++ arrays (see src/platform/icon_pictures.h), so that the program shows its icon
// without loading the SVG libraries or decoding a picture file.
//   render_icon ICON.svg OUT.cpp SIZE...

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QTextStream>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: render_icon ICON.svg OUT.cpp SIZE...\n");
        return 2;
    }
    const QIcon icon(args.at(1));
    QString code;
    QTextStream out(&code);
    out << "// Drawn from " << QFileInfo(args.at(1)).fileName() << " by render_icon.\n"
        << "#include \"platform/icon_pictures.h\"\n\nnamespace {\n";
    QStringList entries;
    for (int i = 3; i < args.size(); ++i) {
        const int size = args.at(i).toInt();
        const QImage image = icon.pixmap(QSize(size, size))
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (size <= 0 || image.size() != QSize(size, size)) {
            std::fprintf(stderr, "render_icon: cannot draw %s at %d pixels "
                                 "(is the SVG icon plugin of libqt6svg6 installed?)\n",
                         qPrintable(args.at(1)), size);
            return 1;
        }
        out << "const quint32 picture" << size << "[] = {";
        for (int y = 0; y < size; ++y) {
            const auto *row = reinterpret_cast<const quint32 *>(image.constScanLine(y));
            out << "\n   ";
            for (int x = 0; x < size; ++x)
                out << " 0x" << QString::number(row[x], 16) << ",";
        }
        out << "\n};\n";
        entries << QStringLiteral("{%1, picture%1}").arg(size);
    }
    out << "} // namespace\n\nconst IconPicture iconPictures[] = {" << entries.join(QStringLiteral(", "))
        << "};\nconst int iconPictureCount = " << entries.size() << ";\n";
    out.flush();
    QFile file(args.at(2));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(code.toUtf8()) < 0) {
        std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}
