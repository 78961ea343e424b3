#include <QApplication>
#include <QMainWindow>

#include "Common.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow w;
  w.setWindowTitle(kAppTitle);
  w.show();
  return app.exec();
}
