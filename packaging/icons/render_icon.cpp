// Renders the icon drawings to PNG files of given sizes at build time:
//   quirewright_render_icon DRAWING.svg SIZE OUT.png [DRAWING.svg SIZE OUT.png ...]
// Each size names its own drawing, so the small sizes can use drawings made for their pixel grid.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // No application object: the drawings have no text, so nothing needs a platform or fonts.
    QTextStream err(stderr);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty() || args.size() % 3 != 0) {
        err << "usage: quirewright_render_icon DRAWING.svg SIZE OUT.png [...]\n";
        return 2;
    }
    for (qsizetype i = 0; i < args.size(); i += 3) {
        const QString &drawing = args[i];
        bool sizeOk = false;
        const int size = args[i + 1].toInt(&sizeOk);
        const QString &output = args[i + 2];
        if (!sizeOk || size < 1 || size > 4096) {
            err << "quirewright_render_icon: bad size '" << args[i + 1] << "'\n";
            return 2;
        }
        QSvgRenderer renderer(drawing);
        if (!renderer.isValid()) {
            err << "quirewright_render_icon: cannot read " << drawing << "\n";
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        if (!image.convertToFormat(QImage::Format_ARGB32).save(output, "PNG")) {
            err << "quirewright_render_icon: cannot write " << output << "\n";
            return 1;
        }
    }
    return 0;
}
