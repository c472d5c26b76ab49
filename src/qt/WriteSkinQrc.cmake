# Lists every rendered skin picture in a resource file under the prefix /skin.
file(GLOB pictures RELATIVE ${SKIN_DIR} ${SKIN_DIR}/*.bmp ${SKIN_DIR}/*.png ${SKIN_DIR}/*.svg)
list(SORT pictures)
set(body "<RCC>\n  <qresource prefix=\"/skin\">\n")
foreach(picture IN LISTS pictures)
  string(APPEND body "    <file>${picture}</file>\n")
endforeach()
string(APPEND body "  </qresource>\n</RCC>\n")
file(WRITE ${QRC} "${body}")
