# Writes OUTPUT, a C++ source that registers the bytes of INPUT as resource TYPE/ID.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.
#include \"platform/resources.h\"

namespace {
const unsigned char kBytes[${size}] = {
${bytes}
};
const selvara::ResourceRegistration kRegistration{\"${TYPE}\", ${ID}, kBytes, ${size}};
}  // namespace

namespace selvara {
const ResourceRegistration& ${SYMBOL}() { return kRegistration; }
}  // namespace selvara
")
