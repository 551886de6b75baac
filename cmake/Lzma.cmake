# The LZMA SDK's C sources, unpacked by tools/setup.sh from Debian's 7zip source package.
set(LZMA_DIR "${LOGINTARN_DEPS}/lzma/C")
if(NOT EXISTS "${LZMA_DIR}/7zArcIn.c")
  message(FATAL_ERROR "LZMA SDK not found in ${LZMA_DIR}: run tools/setup.sh")
endif()
set(LZMA_DECODER_SOURCES 7zArcIn.c 7zDec.c 7zStream.c 7zFile.c 7zCrc.c 7zCrcOpt.c 7zBuf.c 7zAlloc.c
    Bcj2.c Bra.c Bra86.c BraIA64.c CpuArch.c Delta.c Lzma2Dec.c LzmaDec.c Lzma86Dec.c)
set(LZMA_ENCODER_SOURCES LzmaEnc.c LzFind.c LzFindOpt.c Lzma86Enc.c Alloc.c)
list(TRANSFORM LZMA_DECODER_SOURCES PREPEND "${LZMA_DIR}/")
list(TRANSFORM LZMA_ENCODER_SOURCES PREPEND "${LZMA_DIR}/")

add_library(lzma_decoder STATIC ${LZMA_DECODER_SOURCES})
target_include_directories(lzma_decoder SYSTEM PUBLIC "${LZMA_DIR}")
# Single-threaded reader; the SDK's own code is not ours to warn about.
target_compile_definitions(lzma_decoder PUBLIC Z7_ST _7ZIP_ST)
target_compile_options(lzma_decoder PRIVATE -w)

add_library(lzma_encoder STATIC ${LZMA_ENCODER_SOURCES})
target_link_libraries(lzma_encoder PUBLIC lzma_decoder)
target_compile_options(lzma_encoder PRIVATE -w)

# The SDK reads and writes unaligned words on purpose (x86 allows it).
if(LOGINTARN_SANITIZE)
  target_compile_options(lzma_decoder PRIVATE -fno-sanitize=alignment)
  target_compile_options(lzma_encoder PRIVATE -fno-sanitize=alignment)
endif()
