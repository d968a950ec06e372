#!/usr/bin/python3
# Prints what an independent reader (mutagen) sees in an MP3 file's ID3v2 tag, as one JSON object.
import hashlib
import json
import sys

from mutagen.id3 import ID3, ID3NoHeaderError


def main(path):
    out = {"version": 0}
    try:
        tag = ID3(path)
    except ID3NoHeaderError:
        print(json.dumps(out))
        return
    # The file's version; the frames as read are upgraded to 2.4 names (TYER is given as TDRC).
    out["version"] = tag.version[1]
    out["size"] = tag.size
    for key in ("TIT2", "TPE1", "TALB", "TYER", "TDRC", "TRCK", "TCON", "TXXX:Mood"):
        if key in tag:
            out[key] = str(tag[key].text[0])
    for frame in tag.getall("COMM"):
        if frame.desc == "":
            out["COMM"] = frame.text[0]
    pictures = tag.getall("APIC")
    if pictures:
        out["APIC"] = hashlib.sha1(pictures[0].data).hexdigest()
    privates = tag.getall("PRIV")
    if privates:
        out["PRIV"] = privates[0].data.hex()
    print(json.dumps(out, ensure_ascii=False))


main(sys.argv[1])
