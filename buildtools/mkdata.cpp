// Build step: lays out the data folder given on the command line.
#include <QCoreApplication>
#include <cstdio>

#include "rules/datafolder.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: mkdata DATA_FOLDER\n");
    return 2;
  }
  QString error;
  if (!datafolder::layOut(QString::fromLocal8Bit(argv[1]), &error)) {
    std::fprintf(stderr, "mkdata: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
