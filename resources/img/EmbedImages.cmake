# Writes a C++ source holding the bytes of every image listed in the resource
# script, as a table from resource id to bytes. Run by the build with
#   -DRC_FILE=<VORLA.rc> -DOUTPUT=<generated .cpp>
get_filename_component(image_dir "${RC_FILE}" DIRECTORY)
file(STRINGS "${RC_FILE}" entries REGEX "^[0-9]+ PNG \"[^\"]+\"$")

set(arrays "")
set(table "")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^([0-9]+) PNG \"([^\"]+)\"$" "\\1;\\2" parts "${entry}")
  list(GET parts 0 id)
  list(GET parts 1 file)
  file(READ "${image_dir}/${file}" hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const unsigned char image${id}[${size}] = {${bytes}};\n")
  string(APPEND table "    {${id}, image${id}, ${size}},\n")
endforeach()

file(WRITE "${OUTPUT}.tmp" "// Generated from ${RC_FILE}; do not edit.\n"
  "#include \"EmbeddedImages.h\"\n\nnamespace {\n${arrays}\n"
  "const EmbeddedImage images[] = {\n${table}};\n} // namespace\n\n"
  "const EmbeddedImage* FindEmbeddedImage(int id)\n{\n"
  "    for (const EmbeddedImage& image : images)\n"
  "        if (image.id == id) return &image;\n"
  "    return nullptr;\n}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
