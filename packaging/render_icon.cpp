// render_icon SVG SIZE PNG: draws the program's SVG icon as a SIZE x SIZE PNG for
// the icon theme's fixed-size folders (some launchers take no SVG). A build tool,
// not installed.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  int size = 0;
  if (argc == 4) size = QString::fromUtf8(argv[2]).toInt();
  if (size < 1 || size > 1024) {
    std::fputs("usage: render_icon SVG SIZE PNG (SIZE 1 to 1024)\n", stderr);
    return 64;
  }
  QSvgRenderer svg(QString::fromUtf8(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "render_icon: cannot read '%s'\n", argv[1]);
    return 2;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
  }
  if (!image.save(QString::fromUtf8(argv[3]), "PNG")) {
    std::fprintf(stderr, "render_icon: cannot write '%s'\n", argv[3]);
    return 2;
  }
  return 0;
}
