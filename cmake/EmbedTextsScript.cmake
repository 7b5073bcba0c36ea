# Run with -DOUTPUT=<file.cpp> -DINPUTS=<list of files>; writes one byte array per file.
set(body "")
set(table "")
foreach(input IN LISTS INPUTS)
  get_filename_component(name ${input} NAME_WE)
  file(READ ${input} hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
  string(APPEND body "const unsigned char k_${name}[] = {\n${bytes}0x00};\n")
  string(APPEND table "  {\"${name}\", std::string_view(reinterpret_cast<const char*>(k_${name}), ${size})},\n")
endforeach()
if(table STREQUAL "")
  set(table "  {\"\", std::string_view()},\n")
endif()
file(WRITE ${OUTPUT}.tmp
"// Generated from the files under core/import/stock; do not edit.
#include <span>
#include <string_view>

#include \"core/import/embedded_texts.h\"

namespace scriptdesk {
namespace {
${body}
const EmbeddedText kTexts[] = {
${table}};
}  // namespace

std::span<const EmbeddedText> EmbeddedTexts() { return kTexts; }
}  // namespace scriptdesk
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
