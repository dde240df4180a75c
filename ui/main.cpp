#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel placeholder("Zodivane");
  placeholder.show();
  return QApplication::exec();
}
