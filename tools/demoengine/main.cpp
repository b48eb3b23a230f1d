// The demo quote engine, installed as "QuoForm1.pif" in the engine folder.
//
//   QuoForm1.pif                      rate "QuoForm1.001" of the current folder into
//                                     "Formula1.001" (how the program runs it)
//   QuoForm1.pif --explain            the same, printing each scheme's rating steps
//   QuoForm1.pif --write-reference-files DIR
//                                     write "PlanName.Dat" and "Choice.Dat" into DIR
//   QuoForm1.pif --describe-input     print the input layout as a Markdown table
//
// Exit status: 0 done, 1 a file could not be read or written, 2 malformed input, 64 usage.

#include <iostream>
#include <string>

#include "tools/demoengine/engine.h"
#include "tools/demoengine/inputlayout.h"

int main(int argc, char** argv) {
  if (argc == 1)
    return RunEngine(".", std::cerr, nullptr);
  std::string option = argv[1];
  if (argc == 2 && option == "--explain")
    return RunEngine(".", std::cerr, &std::cout);
  if (argc == 2 && option == "--describe-input") {
    std::cout << DescribeLayout(EngineInputLayout());
    return 0;
  }
  if (argc == 3 && option == "--write-reference-files")
    return WriteReferenceFiles(argv[2], std::cerr) ? 0 : 1;
  std::cerr << "usage: QuoForm1.pif [--explain | --describe-input | --write-reference-files DIR]\n";
  return 64;
}
