// quillmarsh: the desktop program. Everything it does is in the app library.

#include "app/startup.h"

int main(int argc, char** argv) {
  return RunQuillmarsh(argc, argv);
}
