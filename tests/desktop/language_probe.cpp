// Prints the language the programs choose from this process's environment,
// for the language tests to run under each environment of their table.
#include <cstdio>

#include "desktop/language.h"

int main() {
  const bool chinese = desktop::languageFor(desktop::userLanguages()) == desktop::Language::Chinese;
  std::puts(chinese ? "Chinese" : "English");
  return 0;
}
