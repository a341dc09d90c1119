// The yardstick for the whole-program benchmark: the least a Qt Widgets
// program can be, one empty window of the game's size painted in one colour.
#include <QApplication>
#include <QPalette>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("baseline window"));
  window.setFixedSize(664, 520);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xC0));  // the game's background
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.show();
  return app.exec();
}
