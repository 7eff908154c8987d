#!/usr/bin/env python3
"""Lists the icon, version and manifest resources of a Windows program (a PE file), one fact a line:

  icon GROUP WIDTHxHEIGHT BITS      for each image of each icon group (width 0 in the file means 256),
                                    when the image it names is there
  missing-icon GROUP ID             for an image an icon group names and the file does not hold
  fileversion A.B.C.D               from the fixed version information
  productversion A.B.C.D
  string KEY=VALUE                  for each value of the version's string tables
  manifest ID SIZE                  for each application manifest

  pe_resources.py PROGRAM.exe
  pe_resources.py --manifest PROGRAM.exe    prints the text of manifest 1, the one Windows reads
"""
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from('<I', data, 0x3C)[0]
        if data[:2] != b'MZ' or data[pe:pe + 4] != b'PE\0\0':
            sys.exit('not a PE file')
        sections, opt_size = struct.unpack_from('<H', data, pe + 6)[0], struct.unpack_from('<H', data, pe + 20)[0]
        self.sections = []
        table = pe + 24 + opt_size
        for i in range(sections):
            name, vsize, vaddr, rawsize, rawptr = struct.unpack_from('<8sIIII', data, table + 40 * i)
            self.sections.append((name.rstrip(b'\0'), vaddr, max(vsize, rawsize), rawptr))

    def offset(self, rva):
        for _, vaddr, size, rawptr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + rawptr
        sys.exit('address %#x lies in no section' % rva)

    def resources(self):
        """{type: {id: bytes}} (the first language of each)."""
        rsrc = [s for s in self.sections if s[0] == b'.rsrc']
        if not rsrc:
            return {}
        base = rsrc[0][3]

        def entries(at):
            named, ids = struct.unpack_from('<HH', self.data, base + at + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from('<II', self.data, base + at + 16 + 8 * i)
                yield name, target

        out = {}
        for rtype, to_names in entries(0):
            for rid, to_langs in entries(to_names & 0x7FFFFFFF):
                _, leaf = next(entries(to_langs & 0x7FFFFFFF))
                rva, size = struct.unpack_from('<II', self.data, base + leaf)
                at = self.offset(rva)
                out.setdefault(rtype, {})[rid] = self.data[at:at + size]
        return out


def version_blocks(data, at=0, end=None):
    """Walks a VS_VERSIONINFO tree: yields (key, value bytes, is_text) of every block."""
    end = len(data) if end is None else end
    while at + 6 <= end:
        length, value_length, is_text = struct.unpack_from('<HHH', data, at)
        if length == 0:
            break
        k = at + 6
        key_end = k
        while data[key_end:key_end + 2] != b'\0\0':
            key_end += 2
        key = data[k:key_end].decode('utf-16-le')
        v = (key_end + 2 + 3) & ~3
        value_size = value_length * 2 if is_text else value_length
        yield key, data[v:v + value_size], is_text
        children = (v + value_size + 3) & ~3
        yield from version_blocks(data, children, at + length)
        at = (at + length + 3) & ~3


def main():
    if len(sys.argv) == 3 and sys.argv[1] == '--manifest':
        manifest = Image(open(sys.argv[2], 'rb').read()).resources().get(RT_MANIFEST, {}).get(1)
        if manifest is None:
            sys.exit('no manifest 1')
        sys.stdout.write(manifest.decode('utf-8'))
        return
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    res = Image(open(sys.argv[1], 'rb').read()).resources()
    icons = res.get(RT_ICON, {})
    for group, data in sorted(res.get(RT_GROUP_ICON, {}).items()):
        count = struct.unpack_from('<H', data, 4)[0]
        for i in range(count):
            w, h, _, _, _, bits, _, image = struct.unpack_from('<BBBBHHIH', data, 6 + 14 * i)
            if image in icons:
                print('icon %d %dx%d %d' % (group, w or 256, h or 256, bits))
            else:
                print('missing-icon %d %d' % (group, image))
    for _, data in sorted(res.get(RT_VERSION, {}).items()):
        for key, value, is_text in version_blocks(data):
            if key == 'VS_VERSION_INFO' and len(value) >= 52:
                sig, _, fms, fls, pms, pls = struct.unpack_from('<IIIIII', value)
                if sig == 0xFEEF04BD:
                    print('fileversion %d.%d.%d.%d' % (fms >> 16, fms & 0xFFFF, fls >> 16, fls & 0xFFFF))
                    print('productversion %d.%d.%d.%d' % (pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF))
            elif is_text and value:
                print('string %s=%s' % (key, value.decode('utf-16-le').rstrip('\0')))
    for rid, data in sorted(res.get(RT_MANIFEST, {}).items()):
        print('manifest %d %d' % (rid, len(data)))


if __name__ == '__main__':
    main()
