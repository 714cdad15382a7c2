// zorbel-cli: the tables of a game executable from the command line.
#include <iostream>

#include "cli/cli.h"

int main(int argc, char* argv[]) {
    return zorbel::RunCli({argv + 1, argv + argc}, std::cout, std::cerr);
}
