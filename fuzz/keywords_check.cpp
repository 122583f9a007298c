// The fuzz build's core must read the E syntax as the program does: its
// keywords in code page 936. Reads a seed in that code page and fails when
// the function and its parameters are not found.
#include <fstream>
#include <iostream>
#include <sstream>

#include "import/Readers.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  declarium::ParsedDeclarations parsed;
  declarium::ReadDeclarations(text.str(), declarium::SyntaxKind::E, parsed);
  if (parsed.functions.empty() || parsed.functions.front().parameters.size() != 4) {
    std::cerr << argv[1] << ": the E keywords in code page 936 were not read\n";
    return 1;
  }
  return 0;
}
