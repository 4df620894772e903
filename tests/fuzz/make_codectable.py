#!/usr/bin/env python3
"""Writes codectable.h: what Python's own codecs make of each byte, for the
fuzz target over the principle text to compare the program's decoding with.

  cp1251[b]       the character Python's cp1251 codec gives for byte b; the
                  one byte the code page leaves undefined, 0x98, is U+0098,
                  as the Windows converters have it
  utf8Length[b]   how many bytes a UTF-8 sequence that starts with b has,
                  0 where no sequence starts with b
  utf8Second[b]   the lowest and highest second byte that Python's utf-8
                  codec accepts after b (the rest are 0x80..0xBF)

Run it again only to check: python3 make_codectable.py > codectable.h
"""


def cp1251(b):
    try:
        return ord(bytes([b]).decode("cp1251"))
    except UnicodeDecodeError:
        return b


def decodes(sequence):
    try:
        bytes(sequence).decode("utf-8")
        return True
    except UnicodeDecodeError:
        return False


def utf8(b):
    if decodes([b]):
        return 1, 0, 0
    for length in (2, 3, 4):
        seconds = [s for s in range(0x80, 0xC0) if decodes([b, s] + [0x80] * (length - 2))]
        if seconds:
            return length, seconds[0], seconds[-1]
    return 0, 0, 0


def row(values, width):
    return ", ".join(f"0x{v:0{width}X}" for v in values)


print("// Written by make_codectable.py from Python's cp1251 and utf-8 codecs.")
print("#pragma once\n\n#include <array>\n#include <cstdint>\n")
# Eight or sixteen values a line read better than clang-format's packing.
print("namespace codectable {\n")
print("// clang-format off")
print("inline constexpr std::array<char16_t, 256> cp1251 = {")
for start in range(0, 256, 8):
    print("    " + row([cp1251(b) for b in range(start, start + 8)], 4) + ",")
print("};\n")
table = [utf8(b) for b in range(256)]
print("inline constexpr std::array<uint8_t, 256> utf8Length = {")
for start in range(0, 256, 16):
    print("    " + ", ".join(str(t[0]) for t in table[start:start + 16]) + ",")
print("};\n")
print("inline constexpr std::array<std::array<uint8_t, 2>, 256> utf8Second = {{")
for start in range(0, 256, 8):
    print("    " + ", ".join(f"{{0x{t[1]:02X}, 0x{t[2]:02X}}}" for t in table[start:start + 8]) + ",")
print("}};")
print("// clang-format on\n")
print("} // namespace codectable")
