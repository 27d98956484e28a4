# cmake -DINPUT=<file> -DOUTPUT=<cpp> -DNAME=<name> -DTYPE=<type> -P embed_resource_script.cmake
# Writes a C++ source that holds INPUT's bytes and registers them as the resource NAME of
# type TYPE. The bytes are kept exactly (no terminating zero is added to the resource's size).
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
if(size EQUAL 0)
  set(bytes "0")
else()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # 16 bytes a line.
  string(REPEAT "0x..," 16 line_pattern)
  string(REGEX REPLACE "(${line_pattern})" "\\1\n    " bytes "${bytes}")
endif()
get_filename_component(input_name ${INPUT} NAME)
file(WRITE ${OUTPUT}.tmp
"// Generated from ${input_name} at build time; edit the source file, not this one.
#include \"platform/sys/resources.h\"

namespace {

const unsigned char kBytes[] = {
    ${bytes}
};

const ResourceRegistration kRegistration(\"${NAME}\", \"${TYPE}\", kBytes, ${size});

}  // namespace
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
