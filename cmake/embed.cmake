# Writes a C++ source holding the bytes of INPUT as PolkamootResources.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}"
  "#include <cstddef>\n"
  "extern const unsigned char PolkamootResources[];\n"
  "extern const std::size_t PolkamootResourcesSize;\n"
  "alignas(4) const unsigned char PolkamootResources[] = {\n${bytes}\n};\n"
  "const std::size_t PolkamootResourcesSize = ${size};\n")
