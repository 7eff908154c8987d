#!/usr/bin/env python3
"""Reads what OpenAL Soft's wave writer captured: a RIFF file whose format is WAVE_FORMAT_EXTENSIBLE
(or plain) 32-bit float or 16-bit integer samples. While the game runs, and when it ends without closing
the device, the RIFF and data sizes are still 0xFFFFFFFF: the data then runs to the end of the file.

  wave.py format FILE              -> "float32 2 48000" (sample kind, channels, rate)
  wave.py rms FILE FROM TO         -> root mean square (0..1) of the samples between FROM and TO seconds
"""
import math
import struct
import sys

WAVE_FORMAT_PCM, WAVE_FORMAT_IEEE_FLOAT, WAVE_FORMAT_EXTENSIBLE = 1, 3, 0xFFFE


def read(path):
    data = open(path, 'rb').read()
    if data[:4] != b'RIFF' or data[8:12] != b'WAVE':
        sys.exit('%s: not a RIFF WAVE file' % path)
    pos, fmt = 12, None
    while pos + 8 <= len(data):
        cid, size = data[pos:pos + 4], struct.unpack('<I', data[pos + 4:pos + 8])[0]
        body = pos + 8
        if cid == b'fmt ':
            tag, channels, rate = struct.unpack('<HHI', data[body:body + 8])
            bits = struct.unpack('<H', data[body + 14:body + 16])[0]
            if tag == WAVE_FORMAT_EXTENSIBLE:
                tag = struct.unpack('<H', data[body + 24:body + 26])[0]  # the sub-format GUID's first field
            kind = {(WAVE_FORMAT_IEEE_FLOAT, 32): 'float32', (WAVE_FORMAT_PCM, 16): 'int16'}.get((tag, bits))
            if kind is None:
                sys.exit('%s: format %d with %d bits is not read here' % (path, tag, bits))
            fmt = (kind, channels, rate)
        elif cid == b'data':
            if fmt is None:
                sys.exit('%s: data before the format' % path)
            end = len(data) if size == 0xFFFFFFFF else min(len(data), body + size)
            return fmt, data[body:end]
        pos = body + size + (size & 1)
    sys.exit('%s: no data chunk' % path)


def samples(fmt, data, start, stop):
    kind, channels, rate = fmt
    width = 4 if kind == 'float32' else 2
    frame = width * channels
    a = max(0, int(start * rate)) * frame
    b = min(len(data) // frame, int(stop * rate)) * frame
    if b <= a:
        return []
    values = struct.unpack('<%d%s' % ((b - a) // width, 'f' if kind == 'float32' else 'h'), data[a:b])
    return values if kind == 'float32' else [v / 32768.0 for v in values]


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    fmt, data = read(sys.argv[2])
    if sys.argv[1] == 'format':
        print('%s %d %d' % fmt)
    elif sys.argv[1] == 'rms' and len(sys.argv) == 5:
        v = samples(fmt, data, float(sys.argv[3]), float(sys.argv[4]))
        print('%.5f' % (math.sqrt(sum(x * x for x in v) / len(v)) if v else 0.0))
    else:
        sys.exit(__doc__)


if __name__ == '__main__':
    main()
