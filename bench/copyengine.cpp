// A trivial quote engine for measuring the program's own overhead around an engine run: in its
// working directory it copies the prepared results "Prepared.001" to "Formula1.001".

#include <fstream>

int main() {
  std::ifstream in("Prepared.001", std::ios::binary);
  if (!in) {
    return 1;
  }
  std::ofstream out("Formula1.001", std::ios::binary | std::ios::trunc);
  out << in.rdbuf();
  return out ? 0 : 1;
}
