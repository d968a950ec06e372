#!/usr/bin/python3
# Writes an ID3v2 tag with mutagen (an independent writer) in front of a file's audio:
#   mutagen_write.py FILE VERSION(3|4) ENCODING(0..3) PICTURE_BYTES
import sys

from mutagen.id3 import APIC, COMM, ID3, PRIV, TALB, TCON, TDRC, TIT2, TPE1, TRCK, TXXX


def main(path, version, encoding, picture):
    tag = ID3()
    if picture:
        tag.add(APIC(encoding=0, mime="image/jpeg", type=3, desc="", data=bytes([0xFF, 0xFB, 0x90, 0x00]) * (picture // 4)))
    tag.add(TIT2(encoding=encoding, text=["Straße über alles"]))
    tag.add(TPE1(encoding=encoding, text=["Künstler"]))
    tag.add(TALB(encoding=encoding, text=["Album"]))
    tag.add(TDRC(encoding=encoding, text=["2021-03-04"]))
    tag.add(TRCK(encoding=encoding, text=["5/9"]))
    tag.add(TCON(encoding=encoding, text=["Jazz"]))
    tag.add(COMM(encoding=encoding, lang="deu", desc="", text=["Bemerkung"]))
    tag.add(TXXX(encoding=encoding, desc="Mood", text=["ruhig"]))
    tag.add(PRIV(owner="melvora.test", data=bytes(range(256))))
    tag.save(path, v2_version=version, padding=lambda info: 256)


main(sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]))
