// Process entry: the whole life of the program runs in the host's Main.
#include "host/host.h"

int main(int argc, char** argv) {
  RtTrazelGame::Main(argc, const_cast<const char**>(argv));
  return 0;
}
