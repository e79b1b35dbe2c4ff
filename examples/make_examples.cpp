// Writes the bundled example files natural-gas.gas and natural-gas.trv into a folder with the
// program's own writer.
//   make_examples FOLDER
#include <iostream>
#include <string>

#include "document/case_files.h"
#include "example_case.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_examples FOLDER\n";
    return 2;
  }
  const std::string folder = argv[1];
  try {
    const torvane::ExampleCase example = torvane::BuildExampleCase();
    torvane::WriteGasFile(folder + "/natural-gas.gas", example.record);
    torvane::WriteSettingsFile(folder + "/natural-gas.trv", example.record, example.laby_data);
  } catch (const std::exception& e) {
    std::cerr << "make_examples: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
