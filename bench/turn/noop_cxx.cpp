// A bare process start of a C++ program linked like snapvane-cli.
#include <string>

int main(int argc, char**) { return std::string(static_cast<std::size_t>(argc - 1), 'x').size() ? 1 : 0; }
