# Writes OUTPUT, a C++ source that holds the bytes of every file in FILES
# (paths relative to ROOT) and a table of them sorted by path. Run as
#   cmake -DROOT=... -DOUTPUT=... -DFILES="a|b" -P EmbedResources.cmake
cmake_minimum_required(VERSION 3.20)

string(REPLACE "|" ";" FILES "${FILES}")
list(SORT FILES)
set(arrays "")
set(table "")
set(index 0)
foreach(relative IN LISTS FILES)
  file(READ "${ROOT}/${relative}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  # Twenty bytes a line, each as 0xNN; a final 0 keeps empty files legal C++.
  string(REGEX REPLACE "(........................................)" "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(APPEND arrays "alignas(8) unsigned char const kBytes${index}[] = {\n${hex}0x00};\n")
  string(APPEND table "    {\"${relative}\", kBytes${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()

set(text "// Generated from the files under resources/ by EmbedResources.cmake; do not edit.\n")
string(APPEND text "#include \"core/library/EmbeddedResourceTable.h\"\n\n")
string(APPEND text "namespace orlenza::embedded {\n\nnamespace {\n\n${arrays}\n")
if(index EQUAL 0)
  string(APPEND text "}  // namespace\n\nstd::span<Entry const> table() { return {}; }\n")
else()
  string(APPEND text "Entry const kTable[] = {\n${table}};\n\n}  // namespace\n\n")
  string(APPEND text "std::span<Entry const> table() { return kTable; }\n")
endif()
string(APPEND text "\n}  // namespace orlenza::embedded\n")

# Leaves the source untouched when nothing changed, so nothing recompiles.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${text}")
