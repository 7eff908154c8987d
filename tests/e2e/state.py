#!/usr/bin/env python3
"""The game's state file as the end-to-end cases see it: makes valid state strings and reads one back by
the game's own loading rules (each section kept only when its checksum matches).

  state.py make [optN=V ...] [topD=a,b,...] [lastD=a,b,...] [badgeN=1 ...]   -> state string on stdout
  state.py get FILE KEY     KEY: optN, topD, lastD (comma list), valid (settings,badges,b1,b2,b3 as 0/1)
  state.py rank FILE        how well the file loads: the number of valid sections (0..5)
"""
import sys


def wrap(v):
    v &= 0xFFFFFFFF
    return v - (1 << 32) if v & 0x80000000 else v


def make(args):
    opts = [0] * 25
    opts[5] = 1
    badges = [0] * 256
    scores = [0] * 150
    for a in args:
        key, val = a.split('=', 1)
        if key.startswith('opt'):
            opts[int(key[3:])] = int(val)
        elif key.startswith('badge'):
            badges[int(key[5:])] = int(val) != 0
        elif key.startswith('top') or key.startswith('last'):
            d = int(key[-1])
            base = 10 * (d - 1) + (30 if key.startswith('last') else 0)
            for i, v in enumerate(val.split(',')[:10]):
                scores[base + i] = int(v)
    fields = list(opts) + [wrap(sum(i * o for i, o in enumerate(opts)))]
    words = []
    for g in range(8):
        w = 0
        for b in range(32):
            if badges[32 * g + b]:
                w |= 1 << b
        words.append(wrap(w))
    fields += words + [wrap(sum(words))]
    for t in range(8):
        h = 0
        for j in range(10):
            a, l = scores[10 * t + j], scores[10 * t + 30 + j]
            fields += [a, l]
            h += (j + 4) * a + (t + j + 3) * l
        fields.append(wrap(h))
    return ''.join('%d|' % f for f in fields)


def atoi(piece):
    s = ''.join(chr(ord(c) & 0xFF) for c in piece[:63]).lstrip(' \t\n\v\f\r')
    n, sign, i = 0, 1, 0
    if i < len(s) and s[i] in '+-':
        sign = -1 if s[i] == '-' else 1
        i += 1
    while i < len(s) and '0' <= s[i] <= '9':
        n = n * 10 + ord(s[i]) - 48
        i += 1
    n *= sign
    return max(-2**31, min(2**31 - 1, n))


def load(path):
    """What the game keeps of the file: options, badge words, scores and which sections were valid."""
    try:
        raw = open(path, 'rb').read()
    except OSError:
        raw = b''
    text = raw.decode('utf-8', errors='replace')
    f = text.split('|')
    n = len(f)
    opts = [0] * 25
    opts[5] = 1
    valid = {'settings': 0, 'badges': 0, 'b1': 0, 'b2': 0, 'b3': 0}
    badge_start = 0
    if n >= 25:
        vals = [atoi(f[i]) for i in range(25)]
        if n > 25 and wrap(sum(i * v for i, v in enumerate(vals))) == atoi(f[25]):
            opts = vals
            valid['settings'] = 1
        badge_start = 26
    words = [0] * 8
    if n > badge_start + 8:
        vals = [atoi(f[badge_start + g]) for g in range(8)]
        if wrap(sum(vals)) == atoi(f[badge_start + 8]):
            words = vals
            valid['badges'] = 1
    scores = [0] * 150
    c = badge_start + 9
    for t in range(3):
        if not c + 20 < n:
            continue
        a = [atoi(f[c + 2 * j]) for j in range(10)]
        l = [atoi(f[c + 2 * j + 1]) for j in range(10)]
        h = wrap(sum((j + 4) * a[j] + (t + j + 3) * l[j] for j in range(10)))
        if h == atoi(f[c + 20]):
            scores[10 * t:10 * t + 10] = a
            scores[10 * t + 30:10 * t + 40] = l
            valid['b%d' % (t + 1)] = 1
        c += 21
    return opts, words, scores, valid


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cmd = sys.argv[1]
    if cmd == 'make':
        sys.stdout.write(make(sys.argv[2:]))
        return
    opts, words, scores, valid = load(sys.argv[2])
    if cmd == 'rank':
        print(sum(valid.values()))
    elif cmd == 'get':
        key = sys.argv[3]
        if key == 'valid':
            print(','.join(str(valid[k]) for k in ('settings', 'badges', 'b1', 'b2', 'b3')))
        elif key.startswith('opt'):
            print(opts[int(key[3:])])
        elif key.startswith('badgeword'):
            print(words[int(key[9:])])
        elif key.startswith('top') or key.startswith('last'):
            d = int(key[-1])
            base = 10 * (d - 1) + (30 if key.startswith('last') else 0)
            print(','.join(str(v) for v in scores[base:base + 10]))
        else:
            sys.exit('unknown key ' + key)
    else:
        sys.exit(__doc__)


if __name__ == '__main__':
    main()
