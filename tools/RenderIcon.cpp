// Draws the program's SVG icon at given sizes when the program is built, with the renderer that
// Qt's own SVG icon engine uses:
//
//   quorvex-render-icon png SVG DIR SIZE...       DIR/SIZE.png for the icon theme
//   quorvex-render-icon pixels SVG HEADER SIZE... a C++ header with the pixels, built into quorvex
//
// Pixels built in spare the program the SVG renderer, two libraries loaded before its first
// paint, and an image decoder, whose plugins Qt looks through on first use.

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

QImage draw(QSvgRenderer &svg, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

[[noreturn]] void fail(const QString &problem)
{
    std::fprintf(stderr, "quorvex-render-icon: %s\n", qPrintable(problem));
    std::exit(EXIT_FAILURE);
}

// The premultiplied ARGB words of each size, as arrays that QImage reads in place.
QByteArray header(QSvgRenderer &svg, const QString &name, const QList<int> &sizes)
{
    QByteArray text = "// Drawn by quorvex-render-icon from " + name.toUtf8()
        + " when the program was built.\n#pragma once\n\n#include <cstdint>\n\nnamespace quorvex "
          "{\n\nstruct IconPixels\n{\n    int size;\n    const std::uint32_t *argb;\n};\n\n";
    QByteArray table = "inline constexpr IconPixels WindowIconPixels[] {\n";
    for (const int size : sizes) {
        const QImage image = draw(svg, size);
        const QByteArray array = "IconArgb" + QByteArray::number(size);
        text += "inline constexpr std::uint32_t " + array + "[] {";
        for (int y = 0; y < size; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            text += "\n   ";
            for (int x = 0; x < size; ++x)
                text += " 0x" + QByteArray::number(line[x], 16).rightJustified(8, '0') + ',';
        }
        text += "\n};\n\n";
        table += "    { " + QByteArray::number(size) + ", " + array + " },\n";
    }
    return text + table + "};\n\n} // namespace quorvex\n";
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5 || (std::string_view(argv[1]) != "png" && std::string_view(argv[1]) != "pixels"))
        fail("usage: quorvex-render-icon png|pixels SVG DIR|HEADER SIZE...");
    const std::string_view kind = argv[1];
    const QString source = QString::fromLocal8Bit(argv[2]);
    const QString target = QString::fromLocal8Bit(argv[3]);
    QSvgRenderer svg(source);
    if (!svg.isValid())
        fail(source + " is no SVG that Qt can draw");
    QList<int> sizes;
    for (int i = 4; i < argc; ++i) {
        bool number = false;
        sizes << QByteArray(argv[i]).toInt(&number);
        if (!number || sizes.back() < 1)
            fail(QStringLiteral("\"%1\" is no size in pixels").arg(argv[i]));
    }

    if (kind == "png") {
        for (const int size : sizes) {
            const QString file = target + '/' + QString::number(size) + ".png";
            if (!draw(svg, size).save(file, "PNG"))
                fail("cannot write " + file);
        }
        return EXIT_SUCCESS;
    }
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(header(svg, source.section('/', -1), sizes)) < 0 || !file.flush())
        fail("cannot write " + target);
    return EXIT_SUCCESS;
}
