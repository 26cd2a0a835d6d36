# orvanta_embed_file(INPUT OUTPUT SYMBOL): writes a C++ source that defines
# `extern const std::string_view SYMBOL` holding the bytes of INPUT exactly, so tests of
# portable code see the very file the exe compiles in, natively and under Wine.
function(orvanta_embed_file input output symbol)
  file(READ ${input} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n  " bytes "${bytes}")
  file(WRITE ${output}.tmp
    "// Generated from ${input}; do not edit.\n"
    "#include <string_view>\n\n"
    "extern const std::string_view ${symbol};\n\n"
    "namespace {\nconst unsigned char Bytes[] = {\n  ${bytes}\n};\n}  // namespace\n\n"
    "const std::string_view ${symbol}(reinterpret_cast<const char*>(Bytes), sizeof(Bytes));\n")
  file(COPY_FILE ${output}.tmp ${output} ONLY_IF_DIFFERENT)
  file(REMOVE ${output}.tmp)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
endfunction()
